# The application manifest of TARGET, made in its binary folder; its path in VARIABLE.
function(scene2_configure_manifest target variable)
  set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/Manifest.xml.in ${manifest} @ONLY)
  set(${variable} ${manifest} PARENT_SCOPE)
endfunction()

# scene2_manifest(TARGET): gives a program outside the release (a test, a
# screenshot driver) the manifest of the release's programs, so that it sees
# their windows as they see themselves: at their monitor's DPI.
function(scene2_manifest target)
  scene2_configure_manifest(${target} manifest)
  set(resource ${CMAKE_CURRENT_BINARY_DIR}/${target}-manifest.rc)
  file(CONFIGURE OUTPUT ${resource} CONTENT "1 24 \"@manifest@\"\n" @ONLY)
  target_sources(${target} PRIVATE ${resource})
  set_source_files_properties(${resource} PROPERTIES OBJECT_DEPENDS ${manifest})
endfunction()

# scene2_version_resource(TARGET DESCRIPTION): gives a Win32 binary a version
# resource with the project's version, product name and copyright and the
# binary's own description and file name, and its application manifest (a
# program's as resource 1, a library's as resource 2, where Windows looks).
function(scene2_version_resource target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(file_type VFT_DLL)
    set(manifest_id 2)
  else()
    set(file_type VFT_APP)
    set(manifest_id 1)
  endif()
  scene2_configure_manifest(${target} manifest)
  # configure_file fills in the values; file(GENERATE) then the file name,
  # which only the generator knows.
  set(configured ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc.in)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${configured} @ONLY)
  file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc INPUT ${configured})
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  # windres reports no dependencies: name the manifest so that a new one is built in.
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc PROPERTIES OBJECT_DEPENDS ${manifest})
endfunction()
