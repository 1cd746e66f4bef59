# Runs the real scene2 program (through the emulator for the Win32 build) on
# the sample scene and on malformed files: exit statuses, output framing and
# a byte-exact save.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/RunScene2.cmake)

set(sample ${SOURCE}/samples/scene2.bin)
set(data ${SOURCE}/tests/data)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

run_scene2(0 save ${sample} ${WORK}/saved.bin)
file(SHA256 ${sample} before)
file(SHA256 ${WORK}/saved.bin after)
expect("save changed the sample's bytes" before STREQUAL after)

run_scene2(0 trace ${data}/small.bin)
set(expected "* qScene2bin.clear done *\r\nqScene2bin.ReadFromFile: file open\r\nTqScene2bin.ReadHeadFromStream: 0001 - done\r\nqScene2bin.ReadFromFile: reading head - done\r\nqScene2bin.ReadSectionsFromStream BeginOffs: 14\r\nqScene2bin.ReadSectionsFromStream sectionSize: 14\r\nqScene2bin.ReadSectionsFromStream - done\r\nqScene2bin.ReadFromFile: reading sections - done\r\nobjects: 1\r\ndifinition: 0\r\ninit scripts: 0\r\n* qScene2bin.clear done *\r\n")
string(HEX "${expected}" expected_hex)
expect("trace of small.bin:\n${out}" out_hex STREQUAL expected_hex)

run_scene2(0 list ${sample})
string(REGEX MATCHALL "[^\n]*\n" lines "${out}")
list(LENGTH lines count)
expect("list printed ${count} lines" count GREATER 50)
list(GET lines 0 first)
expect("first line of list: ${first}" first MATCHES "^objects\t0\t4010\t")
expect("list shows no visual effects" out MATCHES "\nviseffects\t")
string(REGEX MATCH "^(..)*0d0d0a" doubled "${err_hex}")
expect("trace lines end in CR CR LF" NOT doubled)

foreach(bad truncated swapped-signature tiny-chunk)
  run_scene2(1 list ${data}/${bad}.bin)
  expect("list printed items of ${bad}.bin" NOT out)
  run_scene2(1 save ${data}/${bad}.bin ${WORK}/${bad}.bin)
  expect("save wrote ${bad}.bin after a failed load" NOT EXISTS ${WORK}/${bad}.bin)
endforeach()

run_scene2(0 export ${sample} ${WORK}/dnc)
expect("export summary:\n${out}" out MATCHES "\n[0-9]+ files written to ${WORK}/dnc\n$")

run_scene2(2)
expect("no usage text" err MATCHES "^usage: scene2")

run_scene2(0 --version)
expect("version: ${out}" out STREQUAL "scene2 ${VERSION}\n")
