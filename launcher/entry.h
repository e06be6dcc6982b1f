// The launcher's entry: start-up, hall singleton, record header, launch.
#pragma once

// The console program's way to report a start-up failure: the message and a
// newline on standard output.
void PrintStartupMessage(const char* message);

// The start-up services the entry calls, passed in so tests can make each
// step fail. The shipped launcher passes the platform's own.
struct StartupServices {
    void* (*getModuleHandle)();
    const char* (*getCommandLine)();
    bool (*initFramework)(void* module, const char* commandLine, int showCode);
    // Tells a person why start-up failed.
    void (*reportFailure)(const char* message) = PrintStartupMessage;
};

StartupServices PlatformStartupServices();

// Runs the launcher and returns its exit code: 1 when start-up failed (with
// its message reported), 0 otherwise.
int RunLauncher(int argc, char** argv, const StartupServices& services);
