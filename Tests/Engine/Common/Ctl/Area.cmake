# The display's one clipboard: programs that use it run one at a time.
set_tests_properties(${name} PROPERTIES RESOURCE_LOCK VktClipboard)
