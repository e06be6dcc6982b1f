# Builds the release package, unpacks it into a fresh folder and opens a
# sample record with the unpacked launcher, as an administrator would after
# unpacking it. Run by ctest in script mode; see Packaging.cmake.
#
# Inputs: BINARY_DIR, PACKAGE (file name without extension), GENERATOR (ZIP
# or TGZ), CPACK, EXE_SUFFIX, LICENSE_NAME, EMULATOR (empty for native builds).
set(work "${BINARY_DIR}/package-test")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}/unpacked")

execute_process(
  COMMAND "${CPACK}" -G "${GENERATOR}" --config "${BINARY_DIR}/CPackConfig.cmake" -B "${work}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed (${result}):\n${output}")
endif()

if(GENERATOR STREQUAL "ZIP")
  set(archive "${work}/${PACKAGE}.zip")
else()
  set(archive "${work}/${PACKAGE}.tar.gz")
endif()
file(ARCHIVE_EXTRACT INPUT "${archive}" DESTINATION "${work}/unpacked")
set(installation "${work}/unpacked/${PACKAGE}")

foreach(file IN ITEMS "launcher${EXE_SUFFIX}" config/GameKindID.ini README.md "${LICENSE_NAME}"
                      "clients/poker${EXE_SUFFIX}" records/poker-0001.rec)
  if(NOT EXISTS "${installation}/${file}")
    message(FATAL_ERROR "the package has no ${file}")
  endif()
endforeach()

# The sample game table names clients relative to the current directory, so
# the launcher runs from the installation folder. The launcher doesn't wait
# for the client; the client's output is read to its end all the same, since
# the client holds the same output open.
execute_process(
  COMMAND ${EMULATOR} "./launcher${EXE_SUFFIX}" records/poker-0001.rec
  WORKING_DIRECTORY "${installation}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 120)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the launcher ended with ${result}:\n${output}\n${errors}")
endif()
if(NOT output MATCHES "demo client started" OR NOT output MATCHES "record kind: +122")
  message(FATAL_ERROR "the demo client did not open the sample record:\n${output}\n${errors}")
endif()
message(STATUS "${output}")
