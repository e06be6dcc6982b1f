// The Windows Installer session an installer action of ours runs in (Windows
// only: built into the package's actions, never into the programs).
#pragma once

#include <string>

namespace deploy {

// The session's property `name`, "" when it is not set. `session` is the
// handle the installer passes to the action.
std::string InstallerProperty(unsigned long session, const char* name);

// Reports an error that ends the installation: into the installer's log, and
// into a message box when the installation shows a user interface.
void InstallerError(unsigned long session, const std::string& message);

// Writes a line into the installer's log only.
void InstallerLog(unsigned long session, const std::string& message);

}  // namespace deploy
