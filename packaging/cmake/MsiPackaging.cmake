# The Windows installer, reclaunch-<version>-windows-x86_64.msi, built beside
# the ZIP by `cmake --build --preset mingw --target package`. cpack stages the
# msi component and runs MsiPackage.cmake, which has MsiBuild.cmake build the
# package with wixl.
#
#   Program Files\Reclaunch\launcher.exe, launcherw.exe, launcher-check.exe,
#                             README.txt, LICENSE.txt
#   Program Files\Reclaunch\config\   the game table template, StationID.ini,
#                                     the site file
find_program(RECLAUNCH_WIXL wixl)
find_program(RECLAUNCH_MSIBUILD msibuild)
file(GLOB reclaunch_faketime /usr/lib/*/faketime/libfaketime.so.1)
if(NOT RECLAUNCH_WIXL OR NOT RECLAUNCH_MSIBUILD OR NOT reclaunch_faketime)
  reclaunch_leave_out("the MSI" "wixl, msitools and faketime")
  return()
endif()
install(TARGETS launcher launcherw launcher-check RUNTIME DESTINATION . COMPONENT msi
        EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt COMPONENT msi
        EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt COMPONENT msi
        EXCLUDE_FROM_ALL)
install(FILES ${reclaunch_installed_config} DESTINATION config COMPONENT msi EXCLUDE_FROM_ALL)

list(APPEND CPACK_GENERATOR External)
set(CPACK_EXTERNAL_REQUESTED_VERSIONS "1.0")
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/MsiPackage.cmake)
# What MsiBuild.cmake needs besides cpack's own variables.
set(CPACK_RECLAUNCH_WXS ${PROJECT_SOURCE_DIR}/packaging/windows/reclaunch.wxs)
set(CPACK_RECLAUNCH_ICON ${PROJECT_SOURCE_DIR}/packaging/windows/reclaunch.ico)
set(CPACK_RECLAUNCH_CONTACT "${RECLAUNCH_CONTACT}")
# The deployment properties' actions, stored in the package's Binary table
# (packaging/cmake/MsiTables.cmake), never installed. Staged with the
# programs, so that they are stripped and signed as the programs are; the
# paths are the staged folder's.
install(FILES $<TARGET_FILE:deploy-check> $<TARGET_FILE:deploy-config> DESTINATION actions
        COMPONENT msi EXCLUDE_FROM_ALL)
set(CPACK_RECLAUNCH_DEPLOY_CHECK actions/deploy-check.dll)
set(CPACK_RECLAUNCH_DEPLOY_TOOL actions/deploy-config${CMAKE_EXECUTABLE_SUFFIX})
set(CPACK_RECLAUNCH_MSI_TABLES ${CMAKE_CURRENT_LIST_DIR}/MsiTables.cmake)
