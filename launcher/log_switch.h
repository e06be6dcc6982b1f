// The installation's switch of the failure log: config\reclaunch.ini,
// section [log], key failures. "1" turns the log on; a missing file, section
// or key, or any other value, leaves it off.
#pragma once

// The switch's file below the installation folder.
inline constexpr char kLogSwitchFile[] = "config\\reclaunch.ini";

// True when the installation at `installDir` has the failure log on. The
// file is opened once, without the reader's second attempt: it is read only
// after a launch has failed, and must not hold the launcher up.
bool FailureLogOn(const char* installDir);
