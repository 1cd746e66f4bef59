# The release's 32-bit binaries, read without running them: the machines the
# tests run on start no 32-bit programs. What objdump shows of each: a 32-bit
# image for Windows from Vista on, that imports only functions of Vista's own
# DLLs and carries its manifest and version resource; and the plug-in's two
# exports, by name and stdcall. Expects OBJDUMP and RunScene2.cmake's expect().
include(${CMAKE_CURRENT_LIST_DIR}/StdcallReturns.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/VistaImports.cmake)

# expect_vista_image(BINARY DUMP): a PE32 image for i386 whose subsystem
# version is Vista's; a later one keeps it from starting on Vista.
function(expect_vista_image binary dump)
  string(REGEX MATCH "file format ([^\n]+)" format "${dump}")
  expect("${binary} is ${CMAKE_MATCH_1}, not a 32-bit image for i386 (pei-i386, PE32)"
         CMAKE_MATCH_1 STREQUAL "pei-i386" AND dump MATCHES "\nMagic\t+010b\t[(]PE32[)]\n")
  string(REGEX MATCH "\nMajorSubsystemVersion\t([0-9]+)\nMinorSubsystemVersion\t([0-9]+)\n" version "${dump}")
  expect("${binary} has the subsystem version ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}: Windows Vista's is 6.0"
         CMAKE_MATCH_1 STREQUAL "6" AND CMAKE_MATCH_2 STREQUAL "0")
endfunction()

# expect_resource(BINARY DUMP TYPE ID WHAT): objdump's listing of the
# resource directory holds a resource of TYPE whose first name is ID.
function(expect_resource binary dump type id what)
  math(EXPR type_hex "${type}" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR id_hex "${id}" OUTPUT_FORMAT HEXADECIMAL)
  string(REGEX REPLACE "^0x" "0x0*" type_hex ${type_hex})
  string(REGEX REPLACE "^0x" "0x0*" id_hex ${id_hex})
  expect("${binary} has no ${what} (resource type ${type}, id ${id})"
         dump MATCHES "Entry: ID: ${type_hex}, Value: [^\n]*\n[^\n]*Name Table: [^\n]*\n[^\n]*Entry: ID: ${id_hex},")
endfunction()

# expect_vista_imports(BINARY DUMP): every DLL imported is one of Windows'
# own, and every function imported by name one that Vista's DLL of that name
# exports (VistaImports.cmake). The binaries are linked statically: a MinGW
# runtime DLL (libstdc++, libgcc, libwinpthread) would be missing on the
# modder's Windows.
function(expect_vista_imports binary dump)
  # Each DLL's name, the table's heading, and a line for each function.
  string(REGEX MATCHALL "DLL Name: [^\n]+\n\tvma:[^\n]*\n(\t[^\n]*\n)*" tables "${dump}")
  expect("no imports read from ${binary}" tables)
  foreach(table IN LISTS tables)
    string(REGEX MATCH "^DLL Name: ([^\n]+)\n\tvma:[^\n]*\n(.*)\n$" table "${table}")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
    string(REPLACE "\n" ";" functions "${CMAKE_MATCH_2}")
    expect("${binary} imports ${dll}, which is not Windows' own" dll IN_LIST vista_dlls)
    foreach(line IN LISTS functions)
      expect("${binary} imports from ${dll} other than a function by name: ${line}"
             line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([^ ]+)$")
      expect("${binary} imports ${CMAKE_MATCH_1} from ${dll}, which is not among the functions known to be in Windows Vista's ${dll} (tests/package/VistaImports.cmake): add it there once it is vetted, or look it up at run time"
             CMAKE_MATCH_1 IN_LIST vista_${dll})
    endforeach()
  endforeach()
endfunction()

# expect_stdcall_export(DLL DUMP NAMES NAME BYTES): the export NAME of DLL
# takes BYTES bytes of stdcall arguments off the stack wherever it returns.
# NAMES is the export name table of DUMP.
function(expect_stdcall_export dll dump names name bytes)
  # Its index in the export address table, then its address there.
  string(REGEX MATCH "\t\\[ *([0-9]+)\\] ${name}\n" index "${names}")
  string(REGEX MATCH "\t\\[ *${CMAKE_MATCH_1}\\] \\+base\\[ *[0-9]+\\] +([0-9a-f]+) Export RVA\n" address "${dump}")
  expect("no address read for ${name} from Ambrel.dll's export table" address)
  set(rva 0x${CMAKE_MATCH_1})
  string(REGEX MATCH "\nImageBase\t+([0-9a-f]+)\n" base "${dump}")
  math(EXPR entry "0x${CMAKE_MATCH_1} + ${rva}")
  expect_stdcall_return(${dll} ${name} ${bytes} ${entry})
endfunction()

# expect_plugin_exports(DLL DUMP): the plug-in exports Init and EditSound,
# by those names, and each takes its stdcall arguments off the stack: a
# pointer for Init, two for EditSound.
function(expect_plugin_exports dll dump)
  string(REGEX MATCH "\n\\[Ordinal/Name Pointer\\] Table\n(\t[^\n]*\n)*" names "${dump}")
  string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [^\n]+" lines "${names}")
  string(REGEX REPLACE "\t\\[ *[0-9]+\\] " "" exported "${lines}")
  list(SORT exported)
  list(JOIN exported " " exported)
  expect("Ambrel.dll exports ${exported}: a host finds `EditSound` and `Init` by those names"
         exported STREQUAL "EditSound Init")
  expect_stdcall_export(${dll} "${dump}" "${names}" Init 4)
  expect_stdcall_export(${dll} "${dump}" "${names}" EditSound 8)
endfunction()

# check_release_binaries(FOLDER): fails the test at the first thing in the
# binaries of the unpacked release in FOLDER that a 32-bit Windows from Vista
# on would not run as the README promises.
function(check_release_binaries folder)
  foreach(binary tool.exe Ambrel.dll scene2.exe scenegen.exe)
    execute_process(COMMAND ${OBJDUMP} -p ${folder}/${binary} OUTPUT_VARIABLE dump ERROR_VARIABLE error
                    RESULT_VARIABLE status)
    expect("objdump could not read ${binary}: ${error}" status EQUAL 0)
    expect_vista_image(${binary} "${dump}")
    expect_vista_imports(${binary} "${dump}")
    expect_resource(${binary} "${dump}" 16 1 "version resource")
    # Where Windows looks for the manifest: a program's is 1, a library's 2.
    if(binary MATCHES "\\.dll$")
      expect_resource(${binary} "${dump}" 24 2 "manifest")
      expect_plugin_exports(${folder}/${binary} "${dump}")
    else()
      expect_resource(${binary} "${dump}" 24 1 "manifest")
    endif()
  endforeach()
endfunction()
