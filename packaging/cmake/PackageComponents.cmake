# Read by cpack for each generator it runs (CPACK_PROJECT_CONFIG_FILE): which
# install component makes which package. The archives hold the whole default
# installation, the flat folder; each installer has a component of its own,
# laid out for its system and left out of the default installation.
if(CPACK_GENERATOR STREQUAL "DEB")
  # One package of the deb component alone: without a component install
  # the DEB generator would take the whole default installation.
  set(CPACK_COMPONENTS_ALL deb)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  # The deb component's paths start at the root: opt/, etc/, usr/.
  set(CPACK_PACKAGING_INSTALL_PREFIX "/")
elseif(CPACK_GENERATOR STREQUAL "External")
  set(CPACK_COMPONENTS_ALL msi)
endif()
