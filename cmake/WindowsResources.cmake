# Gives a Windows program its version resource (cmake/Product.cmake), its
# application manifest and the launcher's icon. Other systems have no such
# resources, so elsewhere this does nothing.
function(reclaunch_add_windows_resources target description)
  if(NOT WIN32)
    return()
  endif()
  set(windows_dir ${PROJECT_SOURCE_DIR}/packaging/windows)
  set(icon_file ${windows_dir}/reclaunch.ico)
  set(manifest_file ${windows_dir}/program.manifest)
  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
  configure_file(${windows_dir}/program.rc.in ${resources} @ONLY)
  # windres reads the icon and the manifest; make doesn't know that by itself.
  set_source_files_properties(${resources} PROPERTIES OBJECT_DEPENDS "${icon_file};${manifest_file}")
  target_sources(${target} PRIVATE ${resources})
endfunction()
