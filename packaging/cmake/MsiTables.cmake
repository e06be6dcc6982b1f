# Sets on the built MSI what wixl can't express: the deployment properties'
# actions, the installation folder found again before the folders are costed,
# same-version upgrades, the Add/Remove Programs links and the programs' file
# versions. Included by MsiBuild.cmake once wixl has built "${msi}".

# Property-setting actions (type 51) that wixl made deferred and placed last.
# The recorded folder is used before CostFinalize resolves the folders; Add/
# Remove Programs' install location and links once INSTALLDIR is known,
# before RegisterProduct writes them.
foreach(action_place IN ITEMS UseRecordedInstallDir:60 SetInstallLocation:1001 SetHelpLink:1002
                              SetAboutLink:1003)
  string(REPLACE ":" ";" action_place "${action_place}")
  list(GET action_place 0 action)
  list(GET action_place 1 place)
  reclaunch_msi_query("${msi}" "UPDATE CustomAction SET Type = 51 WHERE Action = '${action}'")
  reclaunch_msi_query("${msi}"
    "UPDATE InstallExecuteSequence SET Sequence = ${place} WHERE Action = '${action}'")
endforeach()
# With a full user interface the folders are costed there first, and the
# folder it settles on is handed on as if given: the recorded one is used
# there too.
reclaunch_msi_query("${msi}" "INSERT INTO InstallUISequence (Action, Condition, Sequence) \
VALUES ('UseRecordedInstallDir', 'RECORDEDINSTALLDIR AND NOT INSTALLDIR', 60)")

# One entry per version: a rebuild of the installed version upgrades it too
# (VersionMaxInclusive, 512, beside MigrateFeatures, 1). The old product goes
# first, inside the installation's transaction (right after
# InstallInitialize: a failed upgrade restores it), so the rebuild's programs
# replace the old ones even at the same file version; the configuration
# stays (Permanent).
# Attributes is part of the Upgrade table's key: the row is replaced.
find_program(RECLAUNCH_MSIINFO msiinfo REQUIRED)
execute_process(COMMAND "${RECLAUNCH_MSIINFO}" export "${msi}" Upgrade
                OUTPUT_VARIABLE upgrade_rows COMMAND_ERROR_IS_FATAL ANY)
if(NOT upgrade_rows MATCHES "\n({[-0-9A-F]+})\t\t([0-9.]+)\t\t1\t\tWIX_UPGRADE_DETECTED")
  message(FATAL_ERROR "wixl made no upgrade row of the expected form:\n${upgrade_rows}")
endif()
reclaunch_msi_query("${msi}" "DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'")
reclaunch_msi_query("${msi}" "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, \
ActionProperty) VALUES ('${CMAKE_MATCH_1}', '${CMAKE_MATCH_2}', 513, 'WIX_UPGRADE_DETECTED')")
reclaunch_msi_query("${msi}"
  "UPDATE InstallExecuteSequence SET Sequence = 1501 WHERE Action = 'RemoveExistingProducts'")

# Versioned files, so that Windows Installer compares versions as it should.
# Their version resources hold the package's version (program.rc.in), US
# English.
foreach(file IN ITEMS launcher.exe launcherw.exe launcher_check.exe)
  reclaunch_msi_query("${msi}" "UPDATE File SET Version = '${CPACK_PACKAGE_VERSION}.0', \
Language = '1033' WHERE File = '${file}'")
endforeach()

# STATIONID, GAMETABLE and LOGFAILURES. deploy-check.dll judges them right after costing,
# before the old version is removed or anything else changes (an immediate
# DLL action, type 1: a value it can't use ends the installation with 1603,
# the reason in the log). deploy-config.exe writes them once the
# configuration's files are installed (a deferred program, not impersonated:
# 2 + 1024 + 2048); its command line is formatted when the action is
# scheduled. "[CONFIGDIR]." keeps the folder's closing backslash from escaping
# the quote.
set(deploy_when "(STATIONID OR GAMETABLE OR LOGFAILURES) AND NOT REMOVE~=\"ALL\"")
foreach(action_row IN ITEMS
        "CheckDeployment|1|DeployCheck|CheckDeployment|1020"
        "WriteDeployment|3074|DeployConfig|\"[STATIONID]\" \"[GAMETABLE]\" \"[LOGFAILURES]\" \"[CONFIGDIR].\"|4010")
  string(REPLACE "|" ";" row "${action_row}")
  list(GET row 0 action)
  list(GET row 1 type)
  list(GET row 2 source)
  list(GET row 3 target)
  list(GET row 4 place)
  reclaunch_msi_query("${msi}" "INSERT INTO CustomAction (Action, Type, Source, Target) \
VALUES ('${action}', ${type}, '${source}', '${target}')")
  reclaunch_msi_query("${msi}" "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) \
VALUES ('${action}', '${deploy_when}', ${place})")
endforeach()
# Properties given on the command line reach the installation's elevated
# part only when they are secure.
reclaunch_msi_query("${msi}" "UPDATE Property SET Value = \
'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;INSTALLDIR;STATIONID;GAMETABLE;LOGFAILURES' \
WHERE Property = 'SecureCustomProperties'")

# The failure log's event source goes with the product, key and all: a
# Registry row named "*" creates the key on install and removes it on
# removal. wixl drops the RegistryKey's Action that would ask for it.
reclaunch_msi_query("${msi}" "INSERT INTO Registry (Registry, Root, `Key`, Name, Component_) \
VALUES ('EventSourceKey', 2, 'SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\reclaunch', \
'*', 'EventSource')")
