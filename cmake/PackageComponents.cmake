# Read by cpack for each generator it runs (CPACK_PROJECT_CONFIG_FILE): which
# install component makes which package. The archives hold the whole default
# installation, the flat folder; each installer has a component of its own,
# laid out for its system and left out of the default installation.
if(CPACK_GENERATOR STREQUAL "External")
  set(CPACK_COMPONENTS_ALL msi)
endif()
