// A game client for the end-to-end tests. It writes what it was given (its
// raw command line, arguments and current directory) and the first bytes of
// the file its last argument names to a report file in the folder named by
// RECLAUNCH_CLIENT_REPORTS, then exits at once.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/file.h"
#include "platform/os.h"

namespace {

// Bytes outside printable ASCII and the backslash come out as \xHH, so the
// report is one line per fact whatever the arguments hold.
std::string Escape(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte >= 0x7F || byte == '\\') {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += ch;
        }
    }
    return out;
}

std::string OwnPath() {
    char path[4096] = {};
    return platform::OwnExecutablePath(path, sizeof path) == 0 ? "" : path;
}

// The first bytes of a file, opened by its ANSI name as a client opens it;
// "" when it can't be opened.
std::string Head(const char* path) {
    platform::CFile file;
    char bytes[4] = {};
    if (!file.Open(path)) {
        return "";
    }
    return std::string(bytes, file.Read(bytes, sizeof bytes));
}

}  // namespace

int main(int argc, char** argv) {
    const char* folder = std::getenv("RECLAUNCH_CLIENT_REPORTS");
    if (folder == nullptr) {
        return 2;
    }
    std::random_device entropy;
    const std::string name = "client-" + std::to_string(entropy()) + std::to_string(entropy());
    const std::filesystem::path staging = std::filesystem::path(folder) / (name + ".tmp");
    {
        std::ofstream report(staging, std::ios::binary);
        report << "commandline=" << Escape(platform::OwnCommandLine()) << '\n';
        report << "exe=" << Escape(OwnPath()) << '\n';
        report << "cwd=" << Escape(platform::GetCurrentDir()) << '\n';
        report << "argc=" << argc << '\n';
        for (int i = 0; i < argc; ++i) {
            report << "arg" << i << '=' << Escape(argv[i]) << '\n';
        }
        // What a real client does first: open the record it was handed.
        report << "head=" << Escape(Head(argv[argc - 1])) << '\n';
    }
    // Renamed when complete, so a test never reads half a report.
    std::filesystem::rename(staging, std::filesystem::path(folder) / (name + ".txt"));
    return 0;
}
