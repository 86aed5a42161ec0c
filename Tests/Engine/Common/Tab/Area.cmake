# The tab tests move the keyboard focus and the pointer of the shared display: another test program
# on the display at the same time would take them away (and lose its own), so they run alone.
set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
