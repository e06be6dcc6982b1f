# Included by cpack's scripts: the time every packed file is given, in
# source_time and in SOURCE_DATE_EPOCH, which the tools they run read. The
# SOURCE_DATE_EPOCH given, else the time of the commit the sources are at
# when packing (a build folder configured before the last commit packs with
# that commit's time all the same), else the time configure found.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY "${CPACK_RECLAUNCH_SOURCE_DIR}"
                  OUTPUT_VARIABLE source_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT source_time MATCHES "^[0-9]+$")
    set(source_time "${CPACK_RECLAUNCH_SOURCE_DATE_EPOCH}")
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${source_time}")
endif()
set(source_time "$ENV{SOURCE_DATE_EPOCH}")
