# What the programs and the packages say about themselves: product name,
# publisher and version.
set(RECLAUNCH_PRODUCT_NAME "Reclaunch")
set(RECLAUNCH_VENDOR "reclaunch")
# Who holds the copyright (LICENSE) and answers for the product.
set(RECLAUNCH_CONTACT "the reclaunch authors")
set(RECLAUNCH_COPYRIGHT "Copyright (c) 2026 ${RECLAUNCH_CONTACT}")

# The version is the project's, unless the build asks for another. The
# installer test builds its upgrade package from the same sources this way.
set(RECLAUNCH_VERSION_OVERRIDE "" CACHE STRING
    "Version of the programs and packages instead of the project's (major.minor.patch)")
if(RECLAUNCH_VERSION_OVERRIDE)
  set(RECLAUNCH_VERSION ${RECLAUNCH_VERSION_OVERRIDE})
else()
  set(RECLAUNCH_VERSION ${PROJECT_VERSION})
endif()

# Windows Installer compares three numbers, the first two below 256 and the
# third below 65536; a version resource holds four.
if(NOT RECLAUNCH_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$"
   OR CMAKE_MATCH_1 GREATER 255 OR CMAKE_MATCH_2 GREATER 255 OR CMAKE_MATCH_3 GREATER 65535)
  message(FATAL_ERROR "version '${RECLAUNCH_VERSION}' is not major.minor.patch "
                      "within 255.255.65535")
endif()
set(RECLAUNCH_VERSION_NUMBERS "${CMAKE_MATCH_1},${CMAKE_MATCH_2},${CMAKE_MATCH_3},0")

# Who answers for the packages: the .deb's Maintainer field.
set(RECLAUNCH_MAINTAINER "the reclaunch authors <maintainers@reclaunch.org>")
