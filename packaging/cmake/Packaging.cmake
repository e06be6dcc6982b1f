# Installation layout and release packages.
#
# An installation is flat: the launcher works out its installation directory
# from its own path and reads config/ below it, so the launcher stands in the
# install root beside config/, never in a bin/ folder.
#
#   <prefix>/launcher(.exe)  launcher-check(.exe)  config/*.ini  README.md
#   <prefix>/LICENSE (LICENSE.txt on Windows, which opens it as text)
#   <prefix>/clients/poker(.exe), clients/mahjong(.exe)   demo clients
#   <prefix>/records/*.rec                                 sample records
#
# The archives (a ZIP on Windows, a .tar.gz elsewhere) and `cmake --install`
# lay out that folder with the sample configuration. Its sample game table
# names its clients relative to the current directory (clients\poker), so an
# unpacked archive opens a sample record when run from its own folder.
#
# The installers hold the programs and a configuration to fill in (the game
# table template, packaging/config/), each laid out as its system expects:
#   Windows, an MSI (packaging/windows/reclaunch.wxs): Program Files\Reclaunch
#   Debian, a .deb: /usr/lib/reclaunch, configuration in /etc/reclaunch
# Their components are left out of a plain `cmake --install`.
option(RECLAUNCH_PACKAGE_DEMO "Install the demo client and sample records" ON)

install(TARGETS launcher RUNTIME DESTINATION . COMPONENT launcher)
# Windows: its windowless twin, for opening records from the desktop.
if(TARGET launcherw)
  install(TARGETS launcherw RUNTIME DESTINATION . COMPONENT launcher)
endif()
# Beside the launcher, launcher-check explains an installation as it stands.
install(TARGETS launcher-check RUNTIME DESTINATION . COMPONENT launcher)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/config/ DESTINATION config COMPONENT launcher)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . COMPONENT launcher)
# The licence asks for its notice in every copy.
set(reclaunch_license_name LICENSE)
if(WIN32)
  set(reclaunch_license_name LICENSE.txt)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME ${reclaunch_license_name}
        COMPONENT launcher)

if(RECLAUNCH_PACKAGE_DEMO)
  foreach(client IN ITEMS poker mahjong)
    install(PROGRAMS $<TARGET_FILE:demo_client> DESTINATION clients
            RENAME ${client}${CMAKE_EXECUTABLE_SUFFIX} COMPONENT demo)
  endforeach()
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/records/ DESTINATION records COMPONENT demo)
endif()

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(reclaunch_package_system windows-${CMAKE_SYSTEM_PROCESSOR})
else()
  set(CPACK_GENERATOR TGZ)
  set(reclaunch_package_system linux-${CMAKE_SYSTEM_PROCESSOR})
endif()
set(CPACK_PACKAGE_NAME reclaunch)
set(CPACK_PACKAGE_VENDOR "${RECLAUNCH_VENDOR}")
set(CPACK_PACKAGE_VERSION ${RECLAUNCH_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Opens game record files with their game client")
set(CPACK_PACKAGE_FILE_NAME
    "${CPACK_PACKAGE_NAME}-${RECLAUNCH_VERSION}-${reclaunch_package_system}")
set(CPACK_PACKAGE_CHECKSUM SHA256)
# Every package's programs are stripped (and signed, when a certificate is
# given) before it is packed, their symbols kept beside the packages in
# reclaunch-<version>-<system>-symbols.tar.gz; no package holds a build time,
# path or user, and the archives are packed again in a fixed order.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackagePrepare.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageArchives.cmake
                             ${CMAKE_CURRENT_LIST_DIR}/PackageSymbols.cmake)
set(CPACK_RECLAUNCH_OBJCOPY ${CMAKE_OBJCOPY})
set(CPACK_RECLAUNCH_SYMBOLS "reclaunch-${RECLAUNCH_VERSION}-${reclaunch_package_system}-symbols.tar.gz")
set(CPACK_RECLAUNCH_SOURCE_DATE_EPOCH ${RECLAUNCH_SOURCE_DATE_EPOCH})
set(CPACK_RECLAUNCH_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_RECLAUNCH_PRODUCT_NAME "${RECLAUNCH_PRODUCT_NAME}")
# One archive of the whole default installation, unpacking into a single
# folder. The installers pick their own component instead
# (PackageComponents.cmake, read by cpack for each generator).
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageComponents.cmake)
# CPack's module reuses these variables for the source package; keep ours.
set(reclaunch_package_generator ${CPACK_GENERATOR})
set(reclaunch_package_file ${CPACK_PACKAGE_FILE_NAME})

# The installer beside the archive, with the configuration it installs.
set(reclaunch_installed_config
    ${PROJECT_SOURCE_DIR}/packaging/config/GameKindID.ini
    ${PROJECT_SOURCE_DIR}/examples/config/StationID.ini
    ${PROJECT_SOURCE_DIR}/examples/config/siteinfo_1.ini
    ${PROJECT_SOURCE_DIR}/packaging/config/reclaunch.ini)
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/MsiPackaging.cmake)
else()
  include(${CMAKE_CURRENT_LIST_DIR}/DebPackaging.cmake)
endif()
include(CPack)

# The package, unpacked into a fresh folder, opens a sample record.
if(RECLAUNCH_BUILD_TESTS AND RECLAUNCH_PACKAGE_DEMO)
  add_test(NAME package_opens_sample_record
           COMMAND ${CMAKE_COMMAND}
                   -DBINARY_DIR=${PROJECT_BINARY_DIR}
                   -DPACKAGE=${reclaunch_package_file}
                   -DGENERATOR=${reclaunch_package_generator}
                   -DCPACK=${CMAKE_CPACK_COMMAND}
                   -DEXE_SUFFIX=${CMAKE_EXECUTABLE_SUFFIX}
                   -DLICENSE_NAME=${reclaunch_license_name}
                   "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
                   -P ${CMAKE_CURRENT_LIST_DIR}/PackageTest.cmake)
  set_tests_properties(package_opens_sample_record PROPERTIES TIMEOUT 300)
endif()
