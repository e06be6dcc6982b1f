// The MSI's check of STATIONID, GAMETABLE and LOGFAILURES: an installer action in a DLL
// the package carries, run before the installation changes anything. A value
// it can't use ends the installation with 1603 and its reason in the log.
#include <string>

#include "tools/deploy-config/deployment.h"
#include "tools/deploy-config/installer_session.h"

// What the installer calls (exported by check_action.def). On x64 Windows
// has one calling convention, so no WINAPI is needed.
extern "C" unsigned CheckDeployment(unsigned long session);

extern "C" unsigned CheckDeployment(unsigned long session) {
    constexpr unsigned kSuccess = 0;            // ERROR_SUCCESS
    constexpr unsigned kInstallFailure = 1603;  // ERROR_INSTALL_FAILURE
    const deploy::Request request{deploy::InstallerProperty(session, "STATIONID"),
                                  deploy::InstallerProperty(session, "GAMETABLE"),
                                  deploy::InstallerProperty(session, "LOGFAILURES")};
    const std::string problems = deploy::RequestProblems(request);
    if (problems.empty()) {
        // Run once the folders are known: CONFIGDIR is where the station's
        // site file will be looked for.
        const std::string note =
            deploy::SiteFileNote(request.station, deploy::InstallerProperty(session, "CONFIGDIR"));
        if (!note.empty()) {
            deploy::InstallerLog(session, note);
        }
        return kSuccess;
    }
    deploy::InstallerError(session, "Reclaunch can't be installed with these values:\n" + problems);
    return kInstallFailure;
}
