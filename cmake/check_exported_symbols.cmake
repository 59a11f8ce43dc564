# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a program exports a symbol of libcurl (curl_*) or of ICU (u*_, such as
# utrans_openU_72): a program that defines such a name replaces the library's own function for
# every library loaded with it. cmake -DPROGRAMS="a;b" -P check_exported_symbols.cmake
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND nm -D --defined-only ${program}
                  OUTPUT_VARIABLE symbols ERROR_VARIABLE problem RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "nm -D ${program} failed: ${problem}")
  endif()
  string(REGEX MATCHALL "[ \t](curl_[A-Za-z0-9_]*|u[a-z0-9]*_[A-Za-z0-9_]*)(@[^\n]*)?\n" exported "${symbols}")
  if(exported)
    string(REPLACE "\n" "" exported "${exported}")
    message(FATAL_ERROR "${program} exports symbols of other libraries:${exported}")
  endif()
  message(STATUS "${program}: no libcurl or ICU symbol exported")
endforeach()
