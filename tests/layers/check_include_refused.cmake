# SPDX-License-Identifier: GPL-3.0-or-later
# Builds one target that includes a header of a layer above its own, and passes only when the
# build fails because that header is not found: the layers' include roots keep it out of sight.
#   cmake -DBUILD_DIR=... -DTARGET=... -DHEADER=... -P check_include_refused.cmake
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${TARGET}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "${TARGET} compiled: ${HEADER} is visible to a layer below it")
endif()
# GCC and clang say it in their own words.
string(FIND "${output}" "${HEADER}: No such file or directory" found_by_gcc)
string(FIND "${output}" "'${HEADER}' file not found" found_by_clang)
if(found_by_gcc EQUAL -1 AND found_by_clang EQUAL -1)
  message(FATAL_ERROR "${TARGET} failed for another reason than the missing ${HEADER}:\n${output}")
endif()
