# Builds one manifest with the native builder and with corvelbuild.exe under
# Wine, and fails unless both installers are the same to the byte.
#   -DNATIVE=path -DWINDOWS=path -DWINE=loader -DMANIFEST=path -DSTUB=path -DOUT=folder
# The two systems report different creation and access times for the same
# files, so the copy built here fixes every file's times in the manifest.
file(REMOVE_RECURSE "${OUT}")
get_filename_component(project "${MANIFEST}" DIRECTORY)
file(COPY "${project}/" DESTINATION "${OUT}/project")
file(READ "${MANIFEST}" text)
file(WRITE "${OUT}/project/manifest.toml" "${text}\n[build]\nfile-time = 2024-05-01T12:00:00Z\n")
set(MANIFEST "${OUT}/project/manifest.toml")
execute_process(COMMAND "${NATIVE}" build "${MANIFEST}" -o "${OUT}/native.exe" --stub "${STUB}" --quiet
                RESULT_VARIABLE native_result)
# Windows programs get Windows paths: Wine shows the host's root as drive Z:.
function(windows_path variable path)
  string(REPLACE "/" "\\" path "Z:${path}")
  set(${variable} "${path}" PARENT_SCOPE)
endfunction()
windows_path(manifest "${MANIFEST}")
windows_path(output "${OUT}/windows.exe")
windows_path(stub "${STUB}")
execute_process(COMMAND "${WINE}" "${WINDOWS}" build "${manifest}" -o "${output}" --stub "${stub}" --quiet
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
