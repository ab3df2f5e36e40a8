# Runs lexorda-cite on INPUT and compares what it prints with EXPECTED.
# In: -DTOOL=... -DINPUT=... -DEXPECTED=... [-DFORM=california] Out: success,
# or the difference.
set(form_arguments)
if(FORM)
  set(form_arguments --form ${FORM})
endif()
execute_process(COMMAND ${TOOL} ${form_arguments} ${INPUT}
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
