# The Debian package, reclaunch_<version>_amd64.deb, built beside the .tar.gz
# by `cmake --build --preset release --target package`. Its paths start at
# the root (PackageComponents.cmake):
#
#   /opt/reclaunch/launcher, launcher-check
#   /opt/reclaunch/config -> ../../etc/reclaunch, where the launcher looks
#   /etc/reclaunch/*.ini   the configuration, dpkg conffiles: an upgrade keeps
#                          an edited file
#   /usr/share/applications/kelvo-record.desktop, /usr/share/mime/packages/
#   kelvo-record.xml       records open with the launcher; the triggers of
#                          desktop-file-utils and shared-mime-info update
#                          their databases, so there are no maintainer scripts
install(TARGETS launcher launcher-check RUNTIME DESTINATION opt/reclaunch
        COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${reclaunch_installed_config} DESTINATION etc/reclaunch
        COMPONENT deb EXCLUDE_FROM_ALL)
# Relative, so the installation also works unpacked below another root
# (dpkg --root), as the package test installs it.
install(CODE [[file(CREATE_LINK ../../etc/reclaunch
                    "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/opt/reclaunch/config" SYMBOLIC)]]
        COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/kelvo-record.desktop
        DESTINATION usr/share/applications COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/kelvo-record.xml
        DESTINATION usr/share/mime/packages COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION usr/share/doc/reclaunch
        COMPONENT deb EXCLUDE_FROM_ALL)

set(conffiles "")
foreach(file IN LISTS reclaunch_installed_config)
  get_filename_component(name ${file} NAME)
  string(APPEND conffiles "/etc/reclaunch/${name}\n")
endforeach()
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/packaging/conffiles CONTENT "${conffiles}")

list(APPEND CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "reclaunch maintainers <reclaunch@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/packaging/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
