# Registers the native tree's test programs in this tree, so that one CTest
# run reports on both. A plain path runs natively, without the emulator.
set(HOST_TEST_PROGRAMS
  tests/format/format_tests
  tests/builder/builder_tests)
foreach(program IN LISTS HOST_TEST_PROGRAMS)
  get_filename_component(name ${program} NAME)
  add_test(NAME host.${name} COMMAND ${CORVEL_HOST_BUILD_DIR}/${program})
endforeach()
