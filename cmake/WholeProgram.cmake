# Linking a program whole: a run of the launcher takes a few milliseconds, and
# loading and relocating the shared C++ and C run-times costs as much again,
# so it links them in, as the Windows build does (cmake/mingw-w64.cmake).
# -static-pie keeps address randomisation where the toolchain has it; its
# relocations are packed (DT_RELR), which the start-up code reads in a few
# hundred bytes instead of some forty KiB of RELA entries. Sanitizer
# run-times can't be linked statically, so sanitized builds stay dynamic.
include(CheckLinkerFlag)

function(reclaunch_link_whole target)
  if(WIN32 OR CMAKE_CXX_FLAGS MATCHES "-fsanitize")
    return()
  endif()
  check_linker_flag(CXX -static-pie RECLAUNCH_LINKS_STATIC_PIE)
  check_linker_flag(CXX -static RECLAUNCH_LINKS_STATIC)
  check_linker_flag(CXX "-static-pie;-Wl,-z,pack-relative-relocs" RECLAUNCH_PACKS_RELOCATIONS)
  if(RECLAUNCH_LINKS_STATIC_PIE)
    target_link_options(${target} PRIVATE -static-pie)
    if(RECLAUNCH_PACKS_RELOCATIONS)
      target_link_options(${target} PRIVATE LINKER:-z,pack-relative-relocs)
    endif()
  elseif(RECLAUNCH_LINKS_STATIC)
    target_link_options(${target} PRIVATE -static)
  endif()
endfunction()
