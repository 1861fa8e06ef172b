# cmake -DNM=<nm> -DLIBRARY=<file> -DREQUIRED=<regex> -DFORBIDDEN=<regex> -P check_symbols.cmake
# Fails when the library's demangled symbols lack REQUIRED (so the check cannot pass
# on an empty or wrong file) or contain FORBIDDEN.
execute_process(COMMAND "${NM}" -C "${LIBRARY}" OUTPUT_VARIABLE Symbols ERROR_VARIABLE Errors RESULT_VARIABLE Status)
if(NOT Status EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}: ${Errors}")
endif()
if(NOT Symbols MATCHES "${REQUIRED}")
  message(FATAL_ERROR "${LIBRARY} defines nothing matching ${REQUIRED}")
endif()
string(REGEX MATCHALL "[^\n]*(${FORBIDDEN})[^\n]*" Found "${Symbols}")
if(Found)
  list(REMOVE_DUPLICATES Found)
  string(REPLACE ";" "\n" Found "${Found}")
  message(FATAL_ERROR "${LIBRARY} has symbols it must not have:\n${Found}")
endif()
message(STATUS "${LIBRARY}: symbols as expected")
