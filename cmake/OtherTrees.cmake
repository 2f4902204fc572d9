# Checks of the win32 tree, run from the win64 tree: the shipped stub's size,
# imports and manifest, and that the import check refuses what it must. A plain path
# runs natively, without the emulator.
set(CORVEL_STUB32 ${CORVEL_WIN32_BUILD_DIR}/stub/corvelsetup.exe)
set(OBJDUMP32 i686-w64-mingw32-objdump)
add_test(NAME build.import_check_refuses_forbidden_import
  COMMAND ${CMAKE_COMMAND} -DSTUB=${CORVEL_WIN32_BUILD_DIR}/tests/imports/forbidden_import.exe
          -DOBJDUMP=${OBJDUMP32} -DALLOWED=${CORVEL_ROOT}/stub/imports.allow
          -DSIZE_LIMIT=100000000 -DKEEP=ON -P ${CORVEL_ROOT}/cmake/CheckStub.cmake)
set_tests_properties(build.import_check_refuses_forbidden_import PROPERTIES
  PASS_REGULAR_EXPRESSION "Imports outside.*VERSION.DLL!GetFileVersionInfoSizeA")
# The packed probe imports VERSION.DLL's GetFileVersionInfoSizeA through the
# unpacker's list only (the loader keeps the library's first function): the
# check must find it there.
set(CORVEL_PACKED_PROBE ${CORVEL_WIN32_BUILD_DIR}/tests/imports/packed_probe.exe)
add_test(NAME build.packed_imports_are_checked
  COMMAND ${CMAKE_COMMAND} -DSTUB=${CORVEL_PACKED_PROBE} -DOBJDUMP=${OBJDUMP32}
          -DALLOWED=${CORVEL_ROOT}/stub/imports.allow
          -DSIZE_LIMIT=100000000 -DKEEP=ON -P ${CORVEL_ROOT}/cmake/CheckStub.cmake)
set_tests_properties(build.packed_imports_are_checked PROPERTIES
  PASS_REGULAR_EXPRESSION "Imports outside.*VERSION.DLL!GetFileVersionInfoSizeA")
add_executable(missing_function_test ${CORVEL_ROOT}/tests/imports/missing_function_test.cpp)
target_link_libraries(missing_function_test PRIVATE testsupport gtest)
target_link_options(missing_function_test PRIVATE -static)
add_test(NAME imports.missing_function COMMAND missing_function_test)
set_tests_properties(imports.missing_function PROPERTIES TIMEOUT 120
  ENVIRONMENT "CORVEL_PACKED_PROBE=${CORVEL_PACKED_PROBE}")
# The unpacker's inflater, compiled into a test program of its own.
add_executable(inflater_test ${CORVEL_ROOT}/tests/imports/inflater_test.cpp)
target_include_directories(inflater_test PRIVATE ${CORVEL_ROOT}/stub)
target_link_libraries(inflater_test PRIVATE testsupport gtest)
target_link_options(inflater_test PRIVATE -static)
add_test(NAME imports.inflater COMMAND inflater_test)
add_test(NAME build.stub_passes_size_and_import_checks
  COMMAND ${CMAKE_COMMAND} -DSTUB=${CORVEL_STUB32} -DOBJDUMP=${OBJDUMP32}
          -DALLOWED=${CORVEL_ROOT}/stub/imports.allow -DKEEP=ON -P ${CORVEL_ROOT}/cmake/CheckStub.cmake)
# The manifest as the system reads it from the shipped file.
add_test(NAME build.stub_manifest
  COMMAND python3 ${CORVEL_ROOT}/tests/imports/check_manifest.py ${CORVEL_STUB32})

# The builder for Windows writes the same installer as the native one.
add_test(NAME build.windows_builder_matches_native
  COMMAND ${CMAKE_COMMAND} -DNATIVE=${CORVEL_HOST_BUILD_DIR}/builder/corvelbuild
          -DWINDOWS=${CORVEL_WIN32_BUILD_DIR}/builder/corvelbuild.exe -DWINE=/usr/lib/wine/wine64
          -DMANIFEST=${CORVEL_ROOT}/examples/minimal/manifest.toml -DSTUB=${CORVEL_STUB32}
          -DOUT=${CMAKE_CURRENT_BINARY_DIR}/builder-compare -P ${CORVEL_ROOT}/cmake/CompareBuilders.cmake)
set_tests_properties(build.windows_builder_matches_native PROPERTIES TIMEOUT 900)
