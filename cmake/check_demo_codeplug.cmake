# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the demo codeplug anew and compares it with the one kept in data/demo: cmake -DMAKER=...
# -DKEPT=... -DSCRATCH=... -P check_demo_codeplug.cmake
get_filename_component(scratch_dir ${SCRATCH} DIRECTORY)
file(MAKE_DIRECTORY ${scratch_dir})
execute_process(COMMAND ${MAKER} ${SCRATCH} RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "make_demo_codeplug failed: ${made}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH} ${KEPT} RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${KEPT} is not what make_demo_codeplug makes now; run scripts/make-demo.sh and commit it")
endif()
