# Runs lexorda-cite on INPUT and compares what it prints with EXPECTED.
# In: -DTOOL=... -DINPUT=... -DEXPECTED=... Out: success, or the difference.
execute_process(COMMAND ${TOOL} ${INPUT}
  OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lexorda-cite exited with ${status}: ${errors}")
endif()
file(READ ${EXPECTED} expected)
string(STRIP "${expected}" expected)
string(STRIP "${actual}" actual)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "lexorda-cite printed\n${actual}\nexpected\n${expected}")
endif()
