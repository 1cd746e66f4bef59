# Installs the sanitizer build that the tests run in, and expects a refusal
# that names the way to install, with nothing installed. BUILD is the build
# folder; the prefix lies in a scratch folder named for this run.
cmake_minimum_required(VERSION 3.25)

string(TIMESTAMP now "%s")
string(RANDOM LENGTH 8 ALPHABET abcdefghijklmnopqrstuvwxyz0123456789 run)
set(WORK ${BUILD}/sanitized-install-${now}-${run})
set(prefix ${WORK}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB installed ${prefix}/*)
file(REMOVE_RECURSE ${WORK})

if(status EQUAL 0)
  message(FATAL_ERROR "the sanitizer build installed:\n${out}")
endif()
set(refusal "  A sanitizer build installs nothing; install an optimised one:\n\n    cmake --preset release && cmake --build --preset release && cmake --install build/release --prefix DIR\n")
string(FIND "${err}" "(message):\n${refusal}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "no refusal in:\n${err}")
endif()
if(installed)
  message(FATAL_ERROR "a refused install left: ${installed}")
endif()
