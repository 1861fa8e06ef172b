# cmake -DOBJCOPY=<objcopy> -DFILE=<program> -P split_debug.cmake
# Moves the freshly linked program's debug information into FILE.debug and leaves
# FILE stripped with a debug link to it. FILE is replaced only at the end, by a
# rename: a step that fails leaves the link's own output, which the build redoes.
set(Debug "${FILE}.debug")
set(Stripped "${FILE}.stripped")
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE Status OUTPUT_VARIABLE Out ERROR_VARIABLE Out)
  if(NOT Status EQUAL 0)
    file(REMOVE "${Stripped}")
    message(FATAL_ERROR "${what} of ${FILE} failed (${Status}):\n${Out}")
  endif()
endfunction()
run("keeping the debug information" "${OBJCOPY}" --only-keep-debug "${FILE}" "${Debug}")
run("stripping" "${OBJCOPY}" --strip-all "${FILE}" "${Stripped}")
run("adding the debug link" "${OBJCOPY}" "--add-gnu-debuglink=${Debug}" "${Stripped}")
file(RENAME "${Stripped}" "${FILE}")
