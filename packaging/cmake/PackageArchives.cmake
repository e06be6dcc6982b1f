# Run by cpack after each package is built (CPACK_POST_BUILD_SCRIPTS): packs
# the ZIP and the .tar.gz again from the same staged folder, reproducibly.
# cpack's own archives hold each file's owner as the builder's user and take
# the files in whatever order the file system lists them, so two builders,
# or two file systems, would give two archives. GNU tar and Info-ZIP are told
# the order (sorted by name), the owner (root; none in the ZIP) and no extra
# attributes; gzip writes no name or time in its header. Times and modes are
# the staged files', which PackagePrepare.cmake fixed.
# The archive as cpack left it, before it copies it beside the others.
if(NOT CPACK_GENERATOR MATCHES "^(ZIP|TGZ)$")
  return()
endif()
list(LENGTH CPACK_PACKAGE_FILES count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one ${CPACK_GENERATOR} archive, cpack made: ${CPACK_PACKAGE_FILES}")
endif()
set(archive "${CPACK_PACKAGE_FILES}")
# The staged folder is the archive's one top folder.
get_filename_component(parent "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY)
get_filename_component(top "${CPACK_TEMPORARY_DIRECTORY}" NAME)
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${parent}" "${CPACK_TEMPORARY_DIRECTORY}/*")
list(APPEND entries "${top}")
list(SORT entries)
list(JOIN entries "\n" listing)
file(WRITE "${archive}.list" "${listing}\n")

file(REMOVE "${archive}.new")
if(CPACK_GENERATOR STREQUAL "ZIP")
  # ZIP keeps local times: in UTC, every builder writes the same.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -9 -q "${archive}.new" -@
                  INPUT_FILE "${archive}.list" WORKING_DIRECTORY "${parent}"
                  RESULTS_VARIABLE results ERROR_VARIABLE errors)
else()
  execute_process(
    COMMAND tar --create --format=gnu --no-recursion --owner=0 --group=0 --numeric-owner
            -C "${parent}" --files-from "${archive}.list"
    COMMAND gzip -n -9
    OUTPUT_FILE "${archive}.new" RESULTS_VARIABLE results ERROR_VARIABLE errors)
endif()
file(REMOVE "${archive}.list")
if(NOT results MATCHES "^0(;0)?$")
  message(FATAL_ERROR "packing ${archive} again failed (${results}):\n${errors}")
endif()
file(RENAME "${archive}.new" "${archive}")
