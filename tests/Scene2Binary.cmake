# Runs the real scene2 program (through the emulator for the Win32 build) on
# the sample scene and on malformed files: exit statuses, output framing,
# a byte-exact save, help and usage, and names in UTF-8 on both platforms
# (Wine hands the program its arguments in UTF-16, decoded from this
# script's UTF-8).
# tests/data/names.bin holds five objects, named "\xDF\xF9\xE8\xEA" (Cyrillic
# in Windows-1251), "a\x98b" (a byte without a character there),
# "back\x5Cslash", "tab\x09name" and "crate".
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/RunScene2.cmake)

# Wine decodes the arguments by the locale.
set(ENV{LC_ALL} C.UTF-8)

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
expect("list traced unasked:\n${err}" NOT err)
run_scene2(0 list --trace ${sample})
expect("list --trace printed no trace:\n${err}" err MATCHES "^[*] qScene2bin[.]clear done [*]")
string(REGEX MATCH "^(..)*0d0d0a" doubled "${err_hex}")
expect("trace lines end in CR CR LF" NOT doubled)

foreach(bad truncated swapped-signature tiny-chunk)
  run_scene2(1 list ${data}/${bad}.bin)
  expect("list printed items of ${bad}.bin" NOT out)
  run_scene2(1 save ${data}/${bad}.bin ${WORK}/${bad}.bin)
  expect("save wrote ${bad}.bin after a failed load" NOT EXISTS ${WORK}/${bad}.bin)
endforeach()

run_scene2(0 export ${sample} ${WORK}/dnc)
expect("export summary:\n${out}" out MATCHES "^[0-9]+ files written to ${WORK}/dnc\n$")

run_scene2(2)
expect("no usage error:\n${err}" err MATCHES "^scene2: no command given\nusage: scene2 .--trace. COMMAND")
run_scene2(2 delete ${sample} ${WORK}/deleted.bin object crate)
expect("usage error:\n${err}" err MATCHES "^scene2: unknown section \"object\": [^\n]*\nusage: scene2 delete ")
expect("usage error on standard output" NOT out)
foreach(help --help -h help)
  run_scene2(0 ${help})
  expect("${help}: no overview:\n${out}" out MATCHES "^usage: scene2 " AND NOT err)
endforeach()
run_scene2(0 rename --help)
expect("rename --help:\n${out}" out MATCHES "^usage: scene2 rename .--trace. IN OUT SECTION OLD NEW\n.*\nexample:\n")

run_scene2(0 --version)
expect("version: ${out}" out STREQUAL "scene2 ${VERSION}\n")

# The summary stands alone on standard output; -q, which once made it so,
# is still taken.
run_scene2(0 delete ${sample} ${WORK}/deleted.bin objects crate_0003)
expect("delete:\n${out}" out STREQUAL "1 chunk deleted from objects, saved to ${WORK}/deleted.bin\n" AND NOT err)
run_scene2(0 -q delete ${sample} ${WORK}/deleted.bin objects crate_0003)
expect("quiet delete:\n${out}" out STREQUAL "1 chunk deleted from objects, saved to ${WORK}/deleted.bin\n" AND NOT err)

# check and diff answer with their exit status.
run_scene2(0 check ${sample})
expect("check of the sample:\n${out}" out MATCHES "no problems found\n$")
run_scene2(1 check ${data}/truncated.bin)
expect("check of truncated.bin:\n${out}" out MATCHES "^offset [0-9]+: ")
run_scene2(0 diff -q ${sample} ${WORK}/saved.bin)
expect("diff of equal scenes:\n${out}" NOT out)
run_scene2(1 diff -q --json ${sample} ${WORK}/deleted.bin)
expect("diff --json:\n${out}" out MATCHES "^{\n  \"same\": false,\n" AND out MATCHES "\"name\": \"crate_0003\"")
run_scene2(2 diff -q ${sample} ${data}/truncated.bin)

# Names in UTF-8 on both platforms, and back into a command.
set(names ${data}/names.bin)
run_scene2(0 -q list ${names})
string(HEX "objects\t0\t4010\tmodel\t" first_hex)
string(HEX "objects\t1\t4010\tmodel\ta" second_hex)
string(HEX "Ящик\n" crate_hex)
string(HEX "\\x98b\n" escaped_hex)
expect("list:\n${out}" out_hex MATCHES "^${first_hex}${crate_hex}${second_hex}${escaped_hex}")
string(REGEX MATCHALL "[^\t\n]+\n" listed "${out}")
list(TRANSFORM listed STRIP)
set(crate "Ящик")
string(HEX "Совпадение имён." names_coincide)
run_scene2(0 -q export ${names} ${WORK}/names objects ${crate})
expect("export of a Cyrillic name" EXISTS "${WORK}/names/Obj_Ящик.dnc")
run_scene2(0 -q delete ${names} ${WORK}/names.bin objects ${listed})
expect("delete by listed names:\n${out}" out STREQUAL "5 chunks deleted from objects, saved to ${WORK}/names.bin\n")
run_scene2(1 -q rename ${names} ${WORK}/renamed.bin objects crate ${crate})
string(HEX "scene2: cannot rename \"crate\" to \"" rename_hex)
expect("collision message:\n${err}" err_hex MATCHES "^${rename_hex}.*3a20${names_coincide}0a$")

# A save through a chain of links replaces the file at its end and leaves the
# links as they were, on Windows as on Linux.
file(WRITE ${WORK}/real.bin "old")
file(CREATE_LINK real.bin ${WORK}/l3 SYMBOLIC)
file(CREATE_LINK l3 ${WORK}/l2 SYMBOLIC)
file(CREATE_LINK l2 ${WORK}/l1 SYMBOLIC)
run_scene2(0 -q save ${sample} ${WORK}/l1)
file(SHA256 ${WORK}/real.bin through)
expect("the save through l1 -> l2 -> l3 left real.bin old" through STREQUAL before)
foreach(link l1 l2 l3)
  expect("the save replaced the link ${link}" IS_SYMLINK ${WORK}/${link})
endforeach()

# Device nodes of the test's own, with numbers that no driver takes (those
# kept for local use), are refused as what they are, before anything is
# opened for writing. Only root makes them.
execute_process(COMMAND mknod ${WORK}/block b 241 0 RESULT_VARIABLE block_made ERROR_QUIET)
execute_process(COMMAND mknod ${WORK}/character c 240 0 RESULT_VARIABLE character_made ERROR_QUIET)
if(block_made EQUAL 0 AND character_made EQUAL 0)
  foreach(node block character)
    run_scene2(1 save ${sample} ${WORK}/${node})
    expect("save to a ${node} device:\n${err}" err MATCHES "^scene2: cannot write [^\n]*${node}: not a regular file [(]a device")
    run_scene2(1 list ${WORK}/${node})
    expect("list of a ${node} device:\n${err}" err MATCHES "^scene2: cannot open [^\n]*${node}: not a regular file [(]a device")
  endforeach()
else()
  message(STATUS "device nodes: skipped, this user can't make them")
endif()

# A folder that can't be made is named with the system's reason (under Wine a
# read-only file system is "Access denied."), never called no folder.
file(MAKE_DIRECTORY ${WORK}/readonly)
execute_process(COMMAND mount --bind -o ro ${WORK}/readonly ${WORK}/readonly RESULT_VARIABLE mounted ERROR_QUIET)
if(mounted EQUAL 0)
  execute_process(COMMAND ${EMULATOR} ${SCENE2} -q export ${sample} ${WORK}/readonly/ex RESULT_VARIABLE status
                  ERROR_VARIABLE err)
  execute_process(COMMAND umount ${WORK}/readonly)
  expect("export into a read-only folder: ${status}\n${err}" status EQUAL 1 AND err MATCHES
         "^scene2: cannot create the folder [^\n]*readonly/ex: (Read-only file system|Access denied[.])\n$")
else()
  message(STATUS "read-only folder: skipped, this user can't mount")
endif()
