# Builds that depend only on the sources: the same commit built in another
# folder, by another user, on another day gives the same programs.
#
# The build folders' paths would reach the debug information and __FILE__:
# both are named by fixed words instead (the source as ".", the build folder
# as "build"). The build folder is mapped last, as it usually lies inside the
# source folder and the last matching map wins.
add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}=."
                    "-ffile-prefix-map=${PROJECT_BINARY_DIR}=build")
if(WIN32)
  # The PE header's link time would differ from one build to the next.
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# The time every package gives its files, and its changelog's date: the
# SOURCE_DATE_EPOCH given, else the commit's time, else LICENSE's (a source
# tree outside git). cpack's scripts prefer a SOURCE_DATE_EPOCH of their own.
set(RECLAUNCH_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(NOT RECLAUNCH_SOURCE_DATE_EPOCH)
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE RECLAUNCH_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET)
endif()
if(NOT RECLAUNCH_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  file(TIMESTAMP ${PROJECT_SOURCE_DIR}/LICENSE RECLAUNCH_SOURCE_DATE_EPOCH "%s" UTC)
endif()
