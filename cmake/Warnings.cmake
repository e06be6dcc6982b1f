# Warnings are errors in our own code; third-party headers come in as SYSTEM.
add_library(reclaunch_warnings INTERFACE)
if(MSVC)
  target_compile_options(reclaunch_warnings INTERFACE /W4 /WX)
else()
  target_compile_options(reclaunch_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror)
endif()
