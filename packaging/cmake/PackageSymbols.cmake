# Run by cpack after each package is built (CPACK_POST_BUILD_SCRIPTS): packs
# the debug files PackagePrepare.cmake kept into the symbols archive beside
# the packages. Every package of one build strips the same programs, so each
# run packs the same files again; names sorted, owner, modes and times fixed,
# and no name or time in the gzip header, so equal files give an equal archive.
set(symbols "${CPACK_PACKAGE_DIRECTORY}/symbols")
file(GLOB debug_files RELATIVE "${symbols}" "${symbols}/*.debug")
if(NOT debug_files)
  return()
endif()
list(SORT debug_files)
include(${CMAKE_CURRENT_LIST_DIR}/SourceTime.cmake)
set(archive "${CPACK_PACKAGE_DIRECTORY}/${CPACK_RECLAUNCH_SYMBOLS}")
execute_process(
  COMMAND tar --create --format=gnu --sort=name --owner=0 --group=0 --numeric-owner
          --mode=u=rw,go=r "--mtime=@${source_time}" -C "${symbols}" ${debug_files}
  COMMAND gzip -n -9
  OUTPUT_FILE "${archive}" RESULTS_VARIABLE results ERROR_VARIABLE errors)
if(NOT results MATCHES "^0;0$")
  message(FATAL_ERROR "packing the symbols into ${archive} failed (${results}):\n${errors}")
endif()
