# Parts of the build that need more than the demo's set-up installs
# (scripts/setup.sh demo: a compiler, CMake, make and the two header-only
# libraries). Configured without such a tool, a build leaves the part out and
# says so in one line; the programs and the demo build all the same. The test
# and release commands configure with RECLAUNCH_REQUIRE_ALL, which stops
# instead, since what they would leave out is what they are there to check.
option(RECLAUNCH_REQUIRE_ALL "Stop when a part's tool is missing, instead of leaving the part out" OFF)

# Leaves `part` out for want of `packages` (Debian's), or stops.
function(reclaunch_leave_out part packages)
  set(need "${packages}, which scripts/setup.sh installs")
  if(RECLAUNCH_REQUIRE_ALL)
    message(FATAL_ERROR "Can't build ${part} without ${need}.")
  endif()
  message(NOTICE "Leaving out ${part}: it needs ${need}.")
endfunction()
