# The release as a modder gets it: CPack makes the zip, which is unpacked into
# a folder whose path holds a space, Cyrillic and an accented letter; every binary
# there imports only Windows' own DLLs, scene2.exe works on the sample from
# there, then package_tests looks at the version resources and drives
# tool.exe from there.
#
# cmake -DCPACK=... -DCONFIG=CPackConfig.cmake -DVERSION=... -DEMULATOR=...
#       -DOBJDUMP=... -DTESTS=package_tests.exe -DWORK=... -P PackageTest.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../RunScene2.cmake)

file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CPACK} --config ${CONFIG} -B ${WORK}/dist RESULT_VARIABLE status OUTPUT_VARIABLE log
                ERROR_VARIABLE log)
set(zip ${WORK}/dist/scene2-tools-${VERSION}-win32.zip)
expect("cpack made no ${zip}:\n${log}" status EQUAL 0 AND EXISTS ${zip})

# Wine reads the paths given to the programs as UTF-8 under this locale.
set(ENV{LC_ALL} C.UTF-8)
set(place "${WORK}/Моды é folder")
file(MAKE_DIRECTORY ${place})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip} WORKING_DIRECTORY ${place} RESULT_VARIABLE status)
expect("the zip did not unpack" status EQUAL 0)
set(folder "${place}/scene2-tools-${VERSION}-win32")
file(GLOB_RECURSE files RELATIVE ${folder} "${folder}/*")
list(SORT files)
set(release Ambrel.dll LICENSE.txt README.txt samples/scene2.bin scene2.exe scenegen.exe tool.exe)
expect("the zip holds: ${files}" files STREQUAL release)
file(READ ${folder}/README.txt mark LIMIT 3 HEX)
expect("README.txt has no UTF-8 byte-order mark" mark STREQUAL "efbbbf")
# file(READ) drops CRs from text: look at the bytes, one pair of hex digits each.
foreach(text README.txt LICENSE.txt)
  file(READ ${folder}/${text} hex HEX)
  string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
  string(REPLACE "0d 0a " "" bytes "${bytes}")
  expect("${text} has a line without CR LF" NOT bytes MATCHES "(^| )0[ad] ")
endforeach()

# The binaries are linked statically: a MinGW runtime DLL (libstdc++,
# libgcc, libwinpthread) would be missing on the modder's Windows.
set(windows_dlls advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll)
# The README says Windows Vista and later: a function that came with a later
# Windows, imported by name, would keep a binary from starting on Vista.
# These are the ones such code reaches for (time, threads, files, DPI).
set(after_vista AddDllDirectory AdjustWindowRectExForDpi CreateFile2 EnableNonClientDpiScaling
    GetActiveProcessorCount GetCurrentThreadStackLimits GetDpiForSystem GetDpiForWindow
    GetLogicalProcessorInformationEx GetSystemMetricsForDpi GetSystemTimePreciseAsFileTime
    SetDefaultDllDirectories SetProcessDpiAwarenessContext SetThreadDescription SetThreadDpiAwarenessContext
    TryAcquireSRWLockExclusive TryAcquireSRWLockShared WaitOnAddress WakeByAddressAll WakeByAddressSingle)
foreach(binary tool.exe Ambrel.dll scene2.exe scenegen.exe)
  execute_process(COMMAND ${OBJDUMP} -p ${folder}/${binary} OUTPUT_VARIABLE dump)
  foreach(function IN LISTS after_vista)
    expect("${binary} imports ${function}, which Windows Vista lacks" NOT dump MATCHES "[ \t]${function}\n")
  endforeach()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
  expect("no imports read from ${binary}" imports)
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^DLL Name: " "" dll "${import}")
    string(TOLOWER "${dll}" dll)
    expect("${binary} imports ${dll}, which is not Windows' own" dll IN_LIST windows_dlls)
  endforeach()
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
expect("export wrote ${count} files:\n${out}" count GREATER 0 AND out MATCHES "\n${count} files written to ")

execute_process(COMMAND ${EMULATOR} ${TESTS} ${folder} RESULT_VARIABLE status)
expect("package_tests failed" status EQUAL 0)
