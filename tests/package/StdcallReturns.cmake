# Whether a 32-bit function removes its stdcall arguments on every way out,
# read from its disassembly. Its code is the range that the unwind table
# (.eh_frame) gives for it, and every range that its jumps lead into (its cold
# part, a tail call): a landing pad is reached through no jump, and after a
# call that never returns comes another function's code, so neither a walk of
# its jumps nor a sweep to the first return would find all of it.

# unwind_range(BINARY RANGES ADDRESS): sets `begin` and `end` to the one of
# RANGES (the unwind table's `pc=BEGIN..END`) that holds ADDRESS.
function(unwind_range binary ranges address)
  foreach(range IN LISTS ranges)
    string(REGEX MATCH "^pc=([0-9a-f]+)\\.\\.([0-9a-f]+)$" range "${range}")
    math(EXPR first "0x${CMAKE_MATCH_1}")
    math(EXPR last "0x${CMAKE_MATCH_2}")
    if(address GREATER_EQUAL first AND address LESS last)
      set(begin ${first} PARENT_SCOPE)
      set(end ${last} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  math(EXPR address "${address}" OUTPUT_FORMAT HEXADECIMAL)
  message(FATAL_ERROR "${binary}: no entry of its unwind table holds the code at ${address}: where a function ends can't be read")
endfunction()

# expect_stdcall_return(DLL NAME BYTES ENTRY): fails the test unless the
# function NAME at the address ENTRY of DLL leaves by `ret $BYTES` wherever
# it leaves, so that it takes its BYTES bytes of arguments off the caller's stack.
function(expect_stdcall_return dll name bytes entry)
  execute_process(COMMAND ${OBJDUMP} --dwarf=frames ${dll} OUTPUT_VARIABLE frames RESULT_VARIABLE status)
  expect("objdump could not read the unwind table of ${dll}" status EQUAL 0)
  string(REGEX MATCHALL "pc=[0-9a-f]+\\.\\.[0-9a-f]+" ranges "${frames}")
  get_filename_component(binary ${dll} NAME)
  math(EXPR ret_operand "${bytes}" OUTPUT_FORMAT HEXADECIMAL)
  set(pending ${entry})
  set(seen "")
  set(returns 0)
  while(pending)
    list(POP_FRONT pending address)
    unwind_range(${binary} "${ranges}" ${address})
    if(begin IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${begin})
    math(EXPR start "${begin}" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR stop "${end}" OUTPUT_FORMAT HEXADECIMAL)
    execute_process(COMMAND ${OBJDUMP} -d --start-address=${start} --stop-address=${stop} ${dll}
                    OUTPUT_VARIABLE code RESULT_VARIABLE status)
    expect("objdump could not disassemble ${binary} from ${start} to ${stop}" status EQUAL 0)
    # One instruction a line: address, bytes, text; a long one's further bytes
    # come on a line of their own, without text.
    string(REGEX MATCHALL "[0-9a-f]+:\t[^\t\n]*\t[^\n]*" instructions "${code}")
    foreach(instruction IN LISTS instructions)
      string(REGEX MATCH "^([0-9a-f]+):\t[^\t]*\t(.*)$" instruction "${instruction}")
      set(at 0x${CMAKE_MATCH_1})
      string(STRIP "${CMAKE_MATCH_2}" text)
      if(text MATCHES "(^| )ret[lw]?( +\\$(0x[0-9a-f]+))?$")
        set(popped 0)
        if(CMAKE_MATCH_3)
          math(EXPR popped "${CMAKE_MATCH_3}")
        endif()
        expect("${binary}: ${name} returns at ${at} by `${text}`, which takes ${popped} bytes of arguments off the caller's stack; as stdcall it must take its ${bytes} (`ret $${ret_operand}`)"
               popped EQUAL bytes)
        math(EXPR returns "${returns} + 1")
      elseif(text MATCHES "^j[a-z]+ +\\*")
        message(FATAL_ERROR "${binary}: ${name} jumps through a pointer at ${at} (`${text}`): where it goes, and so how it returns, can't be read")
      elseif(text MATCHES "^j[a-z]+ +(0x)?([0-9a-f]+)")
        math(EXPR target "0x${CMAKE_MATCH_2}")
        if(target LESS begin OR target GREATER_EQUAL end)
          list(APPEND pending ${target})
        endif()
      endif()
    endforeach()
  endwhile()
  expect("${binary}: no return found in ${name}" returns GREATER 0)
endfunction()
