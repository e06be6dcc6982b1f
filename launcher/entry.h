// The launcher's entry: start-up, hall singleton, record header, launch.
#pragma once

// The start-up services the entry calls, passed in so tests can make each
// step fail. The shipped launcher passes the platform's own.
struct StartupServices {
    void* (*getModuleHandle)();
    const char* (*getCommandLine)();
    bool (*initFramework)(void* module, const char* commandLine, int showCode);
};

StartupServices PlatformStartupServices();

// Runs the launcher and returns its exit code: 1 when start-up failed (with
// its message on standard output), 0 otherwise.
int RunLauncher(int argc, char** argv, const StartupServices& services);
