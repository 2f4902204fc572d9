# Builds one manifest with the native builder and with corvelbuild.exe under
# Wine, and fails unless both installers are the same to the byte.
#   -DNATIVE=path -DWINDOWS=path -DWINE=loader -DMANIFEST=path -DSTUB=path -DOUT=folder
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND "${NATIVE}" build "${MANIFEST}" -o "${OUT}/native.exe" --stub "${STUB}" --quiet
                RESULT_VARIABLE native_result)
execute_process(COMMAND "${WINE}" "${WINDOWS}" build "${MANIFEST}" -o "${OUT}/windows.exe" --stub "${STUB}" --quiet
                RESULT_VARIABLE windows_result ERROR_VARIABLE windows_errors)
if(NOT native_result EQUAL 0 OR NOT windows_result EQUAL 0)
  message(FATAL_ERROR "builds failed: native ${native_result}, windows ${windows_result}\n${windows_errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT}/native.exe" "${OUT}/windows.exe"
                RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "the Windows builder wrote a different installer")
endif()
file(SIZE "${OUT}/native.exe" size)
message(STATUS "identical installers of ${size} bytes")
