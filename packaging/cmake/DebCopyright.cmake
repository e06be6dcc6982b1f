# The .deb's /usr/share/doc/reclaunch/copyright in Debian's machine-readable
# format, made from LICENSE at configure time so the two never drift apart:
# its copyright line gives the Copyright field, the text after it the
# licence paragraph (indented, an empty line written as " .").
function(reclaunch_deb_copyright output)
  file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE lines)
  set(copyright "")
  set(text "")
  foreach(line IN LISTS lines)
    if(NOT copyright)
      if(line MATCHES "^Copyright \\(c\\) (.+)$")
        set(copyright "${CMAKE_MATCH_1}")
      endif()
    elseif(line STREQUAL "")
      string(APPEND text " .\n")
    else()
      string(APPEND text " ${line}\n")
    endif()
  endforeach()
  if(NOT copyright OR NOT lines MATCHES "^MIT License")
    message(FATAL_ERROR "LICENSE is no longer the MIT licence with a copyright line: "
                        "update packaging/cmake/DebCopyright.cmake")
  endif()
  # The blank lines between the copyright line and the text are not the licence's.
  string(REGEX REPLACE "^( \\.\n)+" "" text "${text}")
  file(CONFIGURE OUTPUT ${output} CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: reclaunch

Files: *
Copyright: ${copyright}
License: Expat

License: Expat
${text}")
endfunction()
