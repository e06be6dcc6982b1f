# Tests that only mean something on Windows (built for WIN32 targets only):
# raw client command lines, share modes, CR LF console output, drive roots.
# windows_tests sits beside e2e_tests so that it finds the launcher and the
# recording client the same way.
add_executable(failing_startup windows/failing_startup.cpp)
target_link_libraries(failing_startup PRIVATE reclaunch_launcher reclaunch_warnings)
add_executable(failing_startup_windowless WIN32 windows/failing_startup.cpp)
target_link_libraries(failing_startup_windowless PRIVATE reclaunch_launcher reclaunch_warnings)

file(GLOB WINDOWS_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/windows/*_test.cpp)
add_executable(windows_tests ${WINDOWS_TEST_SOURCES} e2e/installation.cpp e2e/check_tool.cpp)
target_link_libraries(windows_tests PRIVATE reclaunch_launcher reclaunch_testutil
                      launcher_check_libs GTest::gtest_main reclaunch_warnings)
add_dependencies(windows_tests launcher launcherw launcher-check record_client failing_startup
                 failing_startup_windowless)
reclaunch_add_sharded_test(windows_tests 3 600)

# The failure log's entries as Wine shows them, on the launchers' own standard
# error, which only a script run beside them can read.
add_test(NAME windows_failure_log
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/failure_log_test.sh ${PROJECT_BINARY_DIR})
set_tests_properties(windows_failure_log PROPERTIES TIMEOUT 300)
