# cpack's External generator runs this for the Windows installer
# (MsiPackaging.cmake): MsiBuild.cmake builds it, this makes it the same
# from the same sources and signs it when a certificate is given.
#
# wixl would draw the product code and the package code at random and write
# the clock's time into the summary information, so two builds of one
# commit would differ. The product code is derived from the version and the
# content (the staged files and the installer's description): a rebuild of
# the same content keeps it, any change gives a new one. The package code is
# derived the same way, apart from it. wixl and msibuild run on a clock
# stopped at the source's time (libfaketime), which only they see.
include(${CMAKE_CURRENT_LIST_DIR}/Sign.cmake)

set(stage "${CPACK_TEMPORARY_DIRECTORY}/msi")
file(GLOB_RECURSE staged LIST_DIRECTORIES false RELATIVE "${stage}" "${stage}/*")
list(SORT staged)
file(SHA256 "${CPACK_RECLAUNCH_WXS}" content)
string(PREPEND content "${CPACK_PACKAGE_VERSION}\n")
foreach(file IN LISTS staged)
  file(SHA256 "${stage}/${file}" digest)
  string(APPEND content "${file} ${digest}\n")
endforeach()
string(SHA256 content "${content}")
# Namespace of the project's name-based codes (a random UUID, drawn once).
set(namespace 6C1A7E42-93D5-4B0E-8F61-2D4A9C7B3E58)
string(UUID reclaunch_product_code NAMESPACE ${namespace} NAME "product ${content}" TYPE SHA1 UPPER)
string(UUID reclaunch_package_code NAMESPACE ${namespace} NAME "package ${content}" TYPE SHA1 UPPER)

file(GLOB faketime_library /usr/lib/*/faketime/libfaketime.so.1)
if(NOT faketime_library)
  message(FATAL_ERROR "The installer needs libfaketime: install the Debian package faketime "
                      "(scripts/setup.sh does).")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/SourceTime.cmake)
string(TIMESTAMP stopped_clock "%Y-%m-%d %H:%M:%S" UTC)
list(GET faketime_library 0 faketime_library)
set(ENV{LD_PRELOAD} "${faketime_library}")
set(ENV{FAKETIME} "${stopped_clock}")
set(ENV{TZ} UTC)

include(${CMAKE_CURRENT_LIST_DIR}/MsiBuild.cmake)

execute_process(COMMAND msiinfo suminfo "${msi}" OUTPUT_VARIABLE summary RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT summary MATCHES "Subject: ([^\n]*)\nAuthor: ([^\n]*)\n.*Template: ([^\n]*)\n")
  message(FATAL_ERROR "msiinfo could not read the summary of ${msi}:\n${summary}")
endif()
execute_process(COMMAND "${RECLAUNCH_MSIBUILD}" "${msi}" -s "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}"
                        "${CMAKE_MATCH_3}" "{${reclaunch_package_code}}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
unset(ENV{LD_PRELOAD})
unset(ENV{FAKETIME})
unset(ENV{TZ})
if(NOT result EQUAL 0)
  message(FATAL_ERROR "msibuild could not set the package code (${result}):\n${output}")
endif()

reclaunch_sign("${msi}")
