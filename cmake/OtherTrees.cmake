# Checks of the win32 tree, run from the win64 tree: the shipped stub's size
# and imports, and that the import check refuses what it must. A plain path
# runs natively, without the emulator.
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

# The builder for Windows writes the same installer as the native one.
add_test(NAME build.windows_builder_matches_native
  COMMAND ${CMAKE_COMMAND} -DNATIVE=${CORVEL_HOST_BUILD_DIR}/builder/corvelbuild
          -DWINDOWS=${CORVEL_WIN32_BUILD_DIR}/builder/corvelbuild.exe -DWINE=/usr/lib/wine/wine64
          -DMANIFEST=${CORVEL_ROOT}/examples/minimal/manifest.toml -DSTUB=${CORVEL_STUB32}
          -DOUT=${CMAKE_CURRENT_BINARY_DIR}/builder-compare -P ${CORVEL_ROOT}/cmake/CompareBuilders.cmake)
set_tests_properties(build.windows_builder_matches_native PROPERTIES TIMEOUT 900)
