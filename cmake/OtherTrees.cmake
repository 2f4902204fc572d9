# Registers the test programs of the host and win32 trees in the win64 tree,
# so that one CTest run reports on everything. A plain path runs natively,
# without the emulator.
set(HOST_TEST_PROGRAMS
  tests/format/format_tests
  tests/builder/builder_tests)
foreach(program IN LISTS HOST_TEST_PROGRAMS)
  get_filename_component(name ${program} NAME)
  add_test(NAME host.${name} COMMAND ${CORVEL_HOST_BUILD_DIR}/${program})
endforeach()

set(CORVEL_STUB32 ${CORVEL_WIN32_BUILD_DIR}/stub/corvelsetup.exe)
set(OBJDUMP32 i686-w64-mingw32-objdump)
add_test(NAME build.import_check_refuses_forbidden_import
  COMMAND ${CMAKE_COMMAND} -DSTUB=${CORVEL_WIN32_BUILD_DIR}/tests/imports/forbidden_import.exe
          -DOBJDUMP=${OBJDUMP32} -DALLOWED=${CORVEL_ROOT}/stub/imports.allow
          -DSIZE_LIMIT=100000000 -DKEEP=ON -P ${CORVEL_ROOT}/cmake/CheckStub.cmake)
set_tests_properties(build.import_check_refuses_forbidden_import PROPERTIES
  PASS_REGULAR_EXPRESSION "Static imports outside.*VERSION.DLL!GetFileVersionInfoSizeA")
add_test(NAME build.stub_passes_size_and_import_checks
  COMMAND ${CMAKE_COMMAND} -DSTUB=${CORVEL_STUB32} -DOBJDUMP=${OBJDUMP32}
          -DALLOWED=${CORVEL_ROOT}/stub/imports.allow -DKEEP=ON -P ${CORVEL_ROOT}/cmake/CheckStub.cmake)
