# The Debian package, reclaunch_<version>_amd64.deb, built beside the .tar.gz
# by `cmake --build --preset release --target package`. Its paths start at
# the root (PackageComponents.cmake):
#
#   /usr/lib/reclaunch/launcher, launcher-check
#   /usr/lib/reclaunch/config -> /etc/reclaunch, where the launcher looks:
#                          it finds its configuration beside itself
#   /etc/reclaunch/*.ini   the configuration, dpkg conffiles: an upgrade keeps
#                          an edited file
#   /usr/bin/reclaunch-check -> ../lib/reclaunch/launcher-check, with its
#                          manual page; it follows the link to its own
#                          folder, so it explains that installation
#   /usr/share/applications/kelvo-record.desktop, /usr/share/mime/packages/
#   kelvo-record.xml       records open with the launcher; the triggers of
#                          desktop-file-utils and shared-mime-info update
#                          their databases, so there are no maintainer scripts
#   /usr/share/icons/hicolor/scalable/apps/reclaunch.svg   the icon of both
#   /usr/share/doc/reclaunch/README.md, copyright, changelog.gz
# The manual page of reclaunch-check is made from its --help by help2man.
find_program(RECLAUNCH_HELP2MAN help2man)
if(NOT RECLAUNCH_HELP2MAN)
  reclaunch_leave_out("the .deb" help2man)
  return()
endif()
include(${CMAKE_CURRENT_LIST_DIR}/DebCopyright.cmake)

install(TARGETS launcher launcher-check RUNTIME DESTINATION usr/lib/reclaunch
        COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${reclaunch_installed_config} DESTINATION etc/reclaunch
        COMPONENT deb EXCLUDE_FROM_ALL)
install(CODE [[
  file(CREATE_LINK /etc/reclaunch "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/usr/lib/reclaunch/config" SYMBOLIC)
  file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/usr/bin")
  file(CREATE_LINK ../lib/reclaunch/launcher-check
       "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/usr/bin/reclaunch-check" SYMBOLIC)]]
        COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/kelvo-record.desktop
        DESTINATION usr/share/applications COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/kelvo-record.xml
        DESTINATION usr/share/mime/packages COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/reclaunch.svg
        DESTINATION usr/share/icons/hicolor/scalable/apps COMPONENT deb EXCLUDE_FROM_ALL)

# The documents: README, copyright from LICENSE, and a changelog dated with
# the source, both compressed without a name or time in the gzip header.
set(deb_docs ${PROJECT_BINARY_DIR}/packaging/deb-docs)
reclaunch_deb_copyright(${deb_docs}/copyright)
set(ENV{SOURCE_DATE_EPOCH} ${RECLAUNCH_SOURCE_DATE_EPOCH})
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
unset(ENV{SOURCE_DATE_EPOCH})
configure_file(${PROJECT_SOURCE_DIR}/packaging/linux/changelog.in ${deb_docs}/changelog @ONLY)
# The manual page of reclaunch-check, from its --help; help2man dates it
# with SOURCE_DATE_EPOCH.
add_custom_command(
  OUTPUT ${deb_docs}/changelog.gz ${deb_docs}/reclaunch-check.1.gz
  COMMAND gzip -n -9 -c ${deb_docs}/changelog > ${deb_docs}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E create_symlink $<TARGET_FILE:launcher-check> ${deb_docs}/reclaunch-check
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${RECLAUNCH_SOURCE_DATE_EPOCH}
          ${RECLAUNCH_HELP2MAN} --no-info --no-discard-stderr --version-string=${RECLAUNCH_VERSION}
          "--name=explain what the record launcher would do with a game record"
          --include=${PROJECT_SOURCE_DIR}/packaging/linux/reclaunch-check.h2m
          --output=${deb_docs}/reclaunch-check.1 ${deb_docs}/reclaunch-check
  COMMAND gzip -n -9 -f ${deb_docs}/reclaunch-check.1
  DEPENDS launcher-check ${deb_docs}/changelog ${PROJECT_SOURCE_DIR}/packaging/linux/reclaunch-check.h2m
  VERBATIM)
add_custom_target(deb_docs ALL DEPENDS ${deb_docs}/changelog.gz ${deb_docs}/reclaunch-check.1.gz)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${deb_docs}/copyright ${deb_docs}/changelog.gz
        DESTINATION usr/share/doc/reclaunch COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${deb_docs}/reclaunch-check.1.gz DESTINATION usr/share/man/man1
        COMPONENT deb EXCLUDE_FROM_ALL)

set(conffiles "")
foreach(file IN LISTS reclaunch_installed_config)
  get_filename_component(name ${file} NAME)
  string(APPEND conffiles "/etc/reclaunch/${name}\n")
endforeach()
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/packaging/conffiles CONTENT "${conffiles}")

list(APPEND CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "${RECLAUNCH_MAINTAINER}")
# The long description; cpack puts the summary line above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A game record file names its game kind in its first four bytes. Opened from
the file manager, the launcher finds that kind in the installation's game
table (/etc/reclaunch/GameKindID.ini), starts the matching game client with
the record on its command line, and ends at once, silently.
.
reclaunch-check explains what the launcher would do with a record, and why:
the configuration it reads, each game-table entry it considers, and the
command line of each client it would start.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/packaging/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
