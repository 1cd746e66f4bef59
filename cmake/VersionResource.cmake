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
  set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/Manifest.xml.in ${manifest} @ONLY)
  # configure_file fills in the values; file(GENERATE) then the file name,
  # which only the generator knows.
  set(configured ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc.in)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${configured} @ONLY)
  file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc INPUT ${configured})
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  # windres reports no dependencies: name the manifest so that a new one is built in.
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc PROPERTIES OBJECT_DEPENDS ${manifest})
endfunction()
