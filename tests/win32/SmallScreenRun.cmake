# The editor's small-screen cases on a Wine desktop of 1366 x 768 of their
# own, whatever the X screen: the tests run inside it, so their result comes
# back as a report file.
# cmake -DEMULATOR=... -DTESTS=editor_tests.exe -DREPORT=... -P SmallScreenRun.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE ${REPORT})
execute_process(COMMAND ${EMULATOR} explorer /desktop=scene2-small,1366x768 ${TESTS} --gtest_filter=SmallScreen*
                        --gtest_output=xml:Z:${REPORT})
if(NOT EXISTS ${REPORT})
  message(FATAL_ERROR "the small-screen tests wrote no report")
endif()
file(READ ${REPORT} report)
if(NOT report MATCHES "<testsuites tests=\"3\" failures=\"0\" disabled=\"0\" errors=\"0\"")
  message(FATAL_ERROR "the small-screen tests failed:\n${report}")
endif()
