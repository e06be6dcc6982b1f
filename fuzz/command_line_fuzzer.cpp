// Windows command lines: splitting, joining and the client's command line.
//
//  - Any text splits without harm, and joining what it split into splits
//    back into the same arguments.
//  - Arguments (the input's NUL-separated pieces) joined as the POSIX
//    backend joins its process arguments split back unchanged, but for the
//    quotes a program name can't hold.
//  - BuildClientCommandLine with the first two pieces as client and record
//    path: on kOk the line is exactly "<client>" KelvoFile "<record>" and the
//    client receives exactly the record path (kOk never comes for a client
//    path with a quote); otherwise the buffer is empty.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/support/check.h"
#include "launcher/client_command_line.h"
#include "platform/os.h"

namespace {

using Args = std::vector<std::string>;

Args Pieces(const std::string& input) {
    Args pieces;
    if (input.empty()) {
        return pieces;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t nul = input.find('\0', start);
        pieces.push_back(input.substr(start, nul - start));
        if (nul == std::string::npos) {
            return pieces;
        }
        start = nul + 1;
    }
}

std::string WithoutQuotes(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

void CheckSplitJoin(const std::string& text) {
    const Args args = platform::SplitCommandLine(text.c_str());
    FUZZ_CHECK(args.empty() == text.empty());
    if (!args.empty()) {
        FUZZ_CHECK(args[0].find('"') == std::string::npos);
    }
    FUZZ_CHECK(platform::SplitCommandLine(platform::JoinCommandLine(args).c_str()) == args);
}

void CheckJoinSplit(Args args) {
    const std::string line = platform::JoinCommandLine(args);
    if (!args.empty()) {
        args[0] = WithoutQuotes(args[0]);
    }
    FUZZ_CHECK(platform::SplitCommandLine(line.c_str()) == args);
}

// The line BuildClientCommandLine must give, and whether it may give it.
CommandLineStatus ExpectedStatus(const std::string& client, const std::string& record) {
    if (client.find('"') != std::string::npos) {
        return CommandLineStatus::kClientPathUnquotable;
    }
    if (record.find('"') != std::string::npos || (!record.empty() && record.back() == '\\')) {
        return CommandLineStatus::kRecordPathUnquotable;
    }
    if (record.size() > 246) {
        return CommandLineStatus::kRecordPathTooLong;
    }
    if (client.size() + record.size() + 15 > 259) {
        return CommandLineStatus::kTooLong;
    }
    return CommandLineStatus::kOk;
}

void CheckClientCommandLine(const std::string& client, const std::string& record) {
    char line[reclaunch::kMaxPath];
    std::memset(line, 'x', sizeof line);  // the call zero-fills it itself
    const CommandLineStatus status = BuildClientCommandLine(client.c_str(), record.c_str(), line);
    FUZZ_CHECK(status == ExpectedStatus(client, record));
    if (status != CommandLineStatus::kOk) {
        for (const char ch : line) {
            FUZZ_CHECK(ch == '\0');
        }
        return;
    }
    FUZZ_CHECK(line == "\"" + client + "\" KelvoFile \"" + record + "\"");
    FUZZ_CHECK(platform::SplitCommandLine(line) == (Args{client, "KelvoFile", record}));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    CheckSplitJoin(input.substr(0, input.find('\0')));
    const Args pieces = Pieces(input);
    CheckJoinSplit(pieces);
    CheckClientCommandLine(pieces.size() > 0 ? pieces[0] : "", pieces.size() > 1 ? pieces[1] : "");
    return 0;
}
