# Run by cpack for every package, after it has staged the package's files
# and before it packs them (CPACK_PRE_BUILD_SCRIPTS, set in Packaging.cmake):
#
#   1. Every program, whatever its name or folder, is stripped. Its debug
#      information goes to <package folder>/symbols/<name>.debug, which the
#      stripped program names in a debug link, so a debugger or addr2line
#      can still read a crash address. PackageSymbols.cmake packs that folder.
#   2. With a certificate given, every Windows program is signed (Sign.cmake),
#      after stripping, which would break a signature.
#   3. Every staged file and folder takes the source's time, so no package
#      holds the time it was built.
include(${CMAKE_CURRENT_LIST_DIR}/Sign.cmake)

# The source's time; objcopy writes it into a PE header it rewrites (binutils
# read SOURCE_DATE_EPOCH), where it would write the clock's.
include(${CMAKE_CURRENT_LIST_DIR}/SourceTime.cmake)

set(symbols "${CPACK_PACKAGE_DIRECTORY}/symbols")
file(MAKE_DIRECTORY "${symbols}" "${CPACK_PACKAGE_DIRECTORY}/signed")

function(reclaunch_run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command} failed (${result}):\n${output}")
  endif()
endfunction()

# Signs a program once for all the packages of a cpack run: the ZIP and the
# MSI hold the same signed program, and a release's signatures, taken from
# its ZIP, fit the programs inside its MSI as well. Kept by the program's
# content and the signer's certificate, key and timestamp server.
function(reclaunch_sign_once program)
  reclaunch_signing_wanted(wanted)
  if(NOT wanted)
    return()
  endif()
  file(SHA256 "${program}" key)
  foreach(variable IN ITEMS RECLAUNCH_SIGN_PKCS12 RECLAUNCH_SIGN_CERT RECLAUNCH_SIGN_KEY)
    if(DEFINED ENV{${variable}} AND EXISTS "$ENV{${variable}}")
      file(SHA256 "$ENV{${variable}}" digest)
      string(APPEND key " ${digest}")
    endif()
  endforeach()
  string(SHA256 key "${key} $ENV{RECLAUNCH_SIGN_TIMESTAMP} $ENV{RECLAUNCH_SIGNATURES_FROM}")
  set(signed "${CPACK_PACKAGE_DIRECTORY}/signed/${key}")
  if(NOT EXISTS "${signed}")
    reclaunch_sign("${program}")
    file(COPY_FILE "${program}" "${signed}.new")
    file(RENAME "${signed}.new" "${signed}")
  else()
    file(COPY_FILE "${signed}" "${program}")
  endif()
endfunction()

# A program is any staged file that starts as a PE or an ELF image does.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT staged)
set(made "")
foreach(program IN LISTS staged)
  if(IS_SYMLINK "${program}")
    continue()
  endif()
  file(READ "${program}" magic LIMIT 4 HEX)
  if(NOT magic MATCHES "^4d5a" AND NOT magic STREQUAL "7f454c46")
    continue()
  endif()
  get_filename_component(name "${program}" NAME)
  set(debug "${symbols}/${name}.debug")
  list(FIND made "${name}" made_before)
  if(made_before GREATER -1)
    # The debug link names a file, not its folder: one name, one program.
    reclaunch_run("${CPACK_RECLAUNCH_OBJCOPY}" --only-keep-debug "${program}" "${debug}.again")
    file(SHA256 "${debug}" first)
    file(SHA256 "${debug}.again" again)
    file(REMOVE "${debug}.again")
    if(NOT first STREQUAL again)
      message(FATAL_ERROR "two different programs are named ${name}")
    endif()
  else()
    reclaunch_run("${CPACK_RECLAUNCH_OBJCOPY}" --only-keep-debug "${program}" "${debug}")
    list(APPEND made "${name}")
  endif()
  # The link holds the debug file's bare name and its CRC.
  reclaunch_run("${CPACK_RECLAUNCH_OBJCOPY}" --strip-all "--add-gnu-debuglink=${debug}" "${program}")
  # The MSI's own actions (actions/) travel only inside the MSI, whose
  # signature covers them; only what lands on a disk is signed by itself.
  if(magic MATCHES "^4d5a" AND NOT program MATCHES "/msi/actions/")
    reclaunch_sign_once("${program}")
  endif()
endforeach()

# Modes and times as the sources say, not as the builder's umask and clock.
reclaunch_run(find "${CPACK_TEMPORARY_DIRECTORY}" -type d -exec chmod 0755 {} +)
reclaunch_run(find "${CPACK_TEMPORARY_DIRECTORY}" -exec touch -h -d "@${source_time}" {} +)
