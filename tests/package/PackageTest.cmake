# The release as a modder gets it: CPack makes the zip, which is unpacked into
# a folder whose path holds a space, Cyrillic and an accented letter; the
# release's 32-bit binaries are read for what they need of Windows (see
# ReleaseBinaries.cmake), scene2.exe works on the sample from there, then
# package_tests looks at the version resources and drives tool.exe from there.
# Where this build is not the release's (win64, whose tests run where 32-bit
# programs don't), the zip of RELEASE, the win32 build's CPackConfig.cmake,
# is made and read as well, and this build's own is the one run.
#
# cmake -DCPACK=... -DCONFIG=CPackConfig.cmake -DRELEASE=CPackConfig.cmake -DVERSION=...
#       -DEMULATOR=... -DOBJDUMP=... -DTESTS=package_tests.exe -DWORK=... -P PackageTest.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../RunScene2.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ReleaseBinaries.cmake)

file(REMOVE_RECURSE ${WORK})
# unpacked_zip(CONFIG DIST PLACE VARIABLE): CPack makes the zip of the build
# whose CPackConfig.cmake is CONFIG into DIST, which is unpacked into PLACE;
# sets VARIABLE to the release's folder there.
function(unpacked_zip config dist place variable)
  expect("no ${config}: build the win32 preset's programs first (scripts/test does)" EXISTS ${config})
  execute_process(COMMAND ${CPACK} --config ${config} -B ${dist} RESULT_VARIABLE status OUTPUT_VARIABLE log
                  ERROR_VARIABLE log)
  set(zip ${dist}/scene2-tools-${VERSION}-win32.zip)
  expect("cpack made no ${zip}:\n${log}" status EQUAL 0 AND EXISTS ${zip})
  file(MAKE_DIRECTORY ${place})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip} WORKING_DIRECTORY ${place} RESULT_VARIABLE status)
  expect("${zip} did not unpack" status EQUAL 0)
  set(folder "${place}/scene2-tools-${VERSION}-win32")
  file(GLOB_RECURSE files RELATIVE ${folder} "${folder}/*")
  list(SORT files)
  set(release Ambrel.dll LICENSE.txt README.txt samples/scene2.bin scene2.exe scenegen.exe tool.exe)
  expect("${zip} holds: ${files}" files STREQUAL release)
  set(${variable} "${folder}" PARENT_SCOPE)
endfunction()

# Wine reads the paths given to the programs as UTF-8 under this locale.
set(ENV{LC_ALL} C.UTF-8)
unpacked_zip(${CONFIG} ${WORK}/dist "${WORK}/Моды é folder" folder)
if(RELEASE STREQUAL CONFIG)
  check_release_binaries(${folder})
else()
  unpacked_zip(${RELEASE} ${WORK}/release-dist ${WORK}/release release)
  check_release_binaries(${release})
endif()
file(READ ${folder}/README.txt mark LIMIT 3 HEX)
expect("README.txt has no UTF-8 byte-order mark" mark STREQUAL "efbbbf")
# file(READ) drops CRs from text: look at the bytes, one pair of hex digits each.
foreach(text README.txt LICENSE.txt)
  file(READ ${folder}/${text} hex HEX)
  string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
  string(REPLACE "0d 0a " "" bytes "${bytes}")
  expect("${text} has a line without CR LF" NOT bytes MATCHES "(^| )0[ad] ")
endforeach()

set(SCENE2 ${folder}/scene2.exe)
set(sample ${folder}/samples/scene2.bin)
run_scene2(0 list ${sample})
expect("list of the sample:\n${out}" out MATCHES "^objects\t0\t4010\t")
run_scene2(0 save ${sample} "${folder}/saved é.bin")
file(SHA256 ${sample} before)
file(SHA256 "${folder}/saved é.bin" after)
expect("save changed the sample's bytes" before STREQUAL after)
run_scene2(0 export ${sample} "${folder}/exports é" definitions)
file(GLOB exported "${folder}/exports é/*.dnc")
list(LENGTH exported count)
expect("export wrote ${count} files:\n${out}" count GREATER 0 AND out MATCHES "^${count} files written to ")

execute_process(COMMAND ${EMULATOR} ${TESTS} ${folder} RESULT_VARIABLE status)
expect("package_tests failed" status EQUAL 0)
