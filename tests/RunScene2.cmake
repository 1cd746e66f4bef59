# Helpers for the scripts that run the real scene2 program: SCENE2 is the
# program, EMULATOR runs it for the Win32 build, WORK holds its output.

# run_scene2(STATUS ARGS...): runs scene2, expects the exit STATUS, and sets
# `out` and `err` (CMake drops their CRs) and `out_hex` and `err_hex` (every byte).
function(run_scene2 expected)
  execute_process(COMMAND ${EMULATOR} ${SCENE2} ${ARGN}
                  RESULT_VARIABLE status OUTPUT_FILE ${WORK}/stdout ERROR_FILE ${WORK}/stderr)
  file(READ ${WORK}/stdout out)
  file(READ ${WORK}/stderr err)
  file(READ ${WORK}/stdout out_hex HEX)
  file(READ ${WORK}/stderr err_hex HEX)
  if(NOT status STREQUAL "${expected}")
    message(FATAL_ERROR "scene2 ${ARGN}: exit ${status}, expected ${expected}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
  set(out_hex "${out_hex}" PARENT_SCOPE)
  set(err_hex "${err_hex}" PARENT_SCOPE)
endfunction()

# expect(MESSAGE CONDITION...): fails the test with MESSAGE unless CONDITION holds.
macro(expect text)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${text}")
  endif()
endmacro()
