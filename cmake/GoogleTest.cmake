# GoogleTest for the test programs, as GTest::gtest and GTest::gtest_main;
# without it, no GTest::gtest and the tests are left out.
#
# Host builds link the system's packaged library. The packaged library is
# built for the host only, so cross builds (MinGW-w64 for Windows) compile
# GoogleTest from the packaged sources with the cross compiler instead.
set(RECLAUNCH_GTEST_SOURCE_DIR "/usr/src/googletest"
    CACHE PATH "GoogleTest sources, compiled for cross builds")

if(CMAKE_CROSSCOMPILING AND EXISTS "${RECLAUNCH_GTEST_SOURCE_DIR}/CMakeLists.txt")
  # Only the library: no mock, no install rules (it must not land in our
  # packages), and the run-time settings of our own code.
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory("${RECLAUNCH_GTEST_SOURCE_DIR}" "${PROJECT_BINARY_DIR}/_deps/googletest"
                   EXCLUDE_FROM_ALL)
  foreach(gtest_target IN ITEMS gtest gtest_main)
    # Third-party code: its warnings are not ours to fix, and its headers
    # come in as system headers so they don't trip our -Werror either.
    target_compile_options(${gtest_target} PRIVATE -w)
    get_target_property(gtest_includes ${gtest_target} INTERFACE_INCLUDE_DIRECTORIES)
    set_target_properties(${gtest_target} PROPERTIES
      INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${gtest_includes}")
    if(NOT TARGET GTest::${gtest_target})
      add_library(GTest::${gtest_target} ALIAS ${gtest_target})
    endif()
  endforeach()
else()
  find_package(GTest)
  if(NOT GTest_FOUND)
    reclaunch_leave_out("the tests" "libgtest-dev")
  endif()
endif()
