# The headers a target gives its users, included as "PREFIX/Name.h": a folder
# of the build that holds only a link named PREFIX to the target's own source
# folder. A library thus sees its own headers and those of the libraries it
# links, and nothing else: an include of a layer it does not use fails the
# build.
function(scene2_headers target prefix)
  set(root ${PROJECT_BINARY_DIR}/headers/${target})
  get_filename_component(parent ${root}/${prefix} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${prefix} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()
