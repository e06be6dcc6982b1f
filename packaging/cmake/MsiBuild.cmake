# Builds the Windows installer from the staged msi component. Included by
# MsiPackage.cmake, which cpack's External generator runs with the variables
# of CPackConfig.cmake (MsiPackaging.cmake), and which gives the product code.
find_program(RECLAUNCH_WIXL wixl)
find_program(RECLAUNCH_MSIBUILD msibuild)
if(NOT RECLAUNCH_WIXL OR NOT RECLAUNCH_MSIBUILD)
  message(FATAL_ERROR "The installer needs wixl and msibuild: install the Debian packages "
                      "wixl and msitools (scripts/setup.sh does).")
endif()

set(msi "${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi")
# wixl finds no file named by an absolute path, so it runs in the staged
# folder and is given the icon relative to that.
set(stage "${CPACK_TEMPORARY_DIRECTORY}/msi")
file(RELATIVE_PATH icon "${stage}" "${CPACK_RECLAUNCH_ICON}")
execute_process(
  COMMAND "${RECLAUNCH_WIXL}" --arch x64 --output "${msi}"
          -D "Version=${CPACK_PACKAGE_VERSION}" -D "ProductCode=${reclaunch_product_code}"
          -D "ProductName=${CPACK_RECLAUNCH_PRODUCT_NAME}"
          -D "Vendor=${CPACK_PACKAGE_VENDOR}" -D "Contact=${CPACK_RECLAUNCH_CONTACT}"
          -D "StageDir=." -D "IconFile=${icon}" -D "DeployCheck=${CPACK_RECLAUNCH_DEPLOY_CHECK}"
          -D "DeployTool=${CPACK_RECLAUNCH_DEPLOY_TOOL}"
          "${CPACK_RECLAUNCH_WXS}"
  WORKING_DIRECTORY "${stage}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "wixl failed (${result}):\n${output}")
endif()

# msibuild runs one query at a time.
function(reclaunch_msi_query msi query)
  execute_process(COMMAND "${RECLAUNCH_MSIBUILD}" "${msi}" -q "${query}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "msibuild failed on \"${query}\" (${result}):\n${output}")
  endif()
endfunction()

# wixl skips what it doesn't know with a warning only. The configuration: an
# edited file is never overwritten by an upgrade, a repair or a reinstall
# (NeverOverwrite, 128) and stays when the product is removed (Permanent,
# 16); 64-bit like every component (256). MsiTables.cmake sets the rest.
reclaunch_msi_query("${msi}" "UPDATE Component SET Attributes = 400 WHERE Directory_ = 'CONFIGDIR'")

include("${CPACK_RECLAUNCH_MSI_TABLES}")

set(CPACK_EXTERNAL_BUILT_PACKAGES "${msi}")
