# Optimised builds keep full debug information too: the packages strip it
# from their programs into the symbols archive (PackagePrepare.cmake), where
# it turns a crash address into a function, file and line.
if(NOT MSVC)
  add_compile_options($<$<CONFIG:Release>:-g>)
endif()
