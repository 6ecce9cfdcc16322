# Compiles dropped_future.cpp twice: with the future's answer taken it compiles; with the
# future dropped the compiler refuses it for the ignored result.
foreach(variant IN ITEMS taken dropped)
  set(define)
  if(variant STREQUAL "taken")
    set(define -DANSWER_TAKEN)
  endif()
  execute_process(
    COMMAND ${COMPILER} -std=c++20 -fsyntax-only -Werror=unused-result ${define} -I${SOURCE_DIR}/src
            ${SOURCE_DIR}/tests/timecode/compile/dropped_future.cpp
    RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(variant STREQUAL "taken" AND NOT status EQUAL 0)
    message(FATAL_ERROR "the future taken does not compile:\n${errors}")
  endif()
  if(variant STREQUAL "dropped" AND (status EQUAL 0 OR NOT errors MATCHES "nodiscard|ignoring return value"))
    message(FATAL_ERROR "a dropped future compiles unseen:\n${errors}")
  endif()
endforeach()
