// Windows command lines: splitting one into arguments by the rules of the
// Microsoft C run-time start-up code, and joining arguments into one that
// splits back unchanged.
#include <string>
#include <vector>

#include "platform/os.h"

namespace platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The program name is a file path, which can't hold a quote: quotes only
// group blanks into the name and are dropped, and backslashes are ordinary.
const char* ReadProgramName(const char* p, std::string& name) {
    bool quoted = false;
    for (; *p != '\0' && (quoted || !IsBlank(*p)); ++p) {
        if (*p == '"') {
            quoted = !quoted;
        } else {
            name += *p;
        }
    }
    return p;
}

// Any later argument. Backslashes count only right before a quote: 2n of
// them give n and a quote that opens or closes a quoted part, 2n + 1 give n
// and a literal quote. Inside a quoted part "" is a literal quote and the
// part goes on (the run-time's rule since 2008; CommandLineToArgvW differs).
const char* ReadArgument(const char* p, std::string& arg) {
    bool quoted = false;
    for (;;) {
        std::size_t backslashes = 0;
        while (*p == '\\') {
            ++backslashes;
            ++p;
        }
        if (*p == '"') {
            arg.append(backslashes / 2, '\\');
            if (backslashes % 2 == 1) {
                arg += '"';
            } else if (quoted && p[1] == '"') {
                arg += '"';
                ++p;
            } else {
                quoted = !quoted;
            }
            ++p;
            continue;
        }
        arg.append(backslashes, '\\');
        if (*p == '\0' || (!quoted && IsBlank(*p))) {
            return p;
        }
        arg += *p++;
    }
}

void AppendProgramName(const std::string& name, std::string& line) {
    // A quote in the name can't survive a split (see ReadProgramName), so it
    // is left out rather than changing how the rest of the line splits.
    std::string plain;
    for (const char c : name) {
        if (c != '"') {
            plain += c;
        }
    }
    const bool needsQuotes = plain.empty() || plain.find_first_of(" \t") != std::string::npos;
    if (needsQuotes) {
        line += '"';
    }
    line += plain;
    if (needsQuotes) {
        line += '"';
    }
}

void AppendArgument(const std::string& arg, std::string& line) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
        line += arg;  // backslashes not before a quote stand for themselves
        return;
    }
    line += '"';
    std::size_t backslashes = 0;
    for (const char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            line.append(2 * backslashes + 1, '\\');  // each doubled, plus one for the quote
        } else {
            line.append(backslashes, '\\');
        }
        line += c;
        backslashes = 0;
    }
    line.append(2 * backslashes, '\\');  // doubled, so the closing quote stays a quote
    line += '"';
}

}  // namespace

std::vector<std::string> SplitCommandLine(const char* commandLine) {
    std::vector<std::string> args;
    if (commandLine == nullptr || *commandLine == '\0') {
        return args;
    }
    // Like the run-time, a line that starts with a blank has an empty name.
    const char* p = ReadProgramName(commandLine, args.emplace_back());
    for (;;) {
        while (IsBlank(*p)) {
            ++p;
        }
        if (*p == '\0') {
            return args;
        }
        p = ReadArgument(p, args.emplace_back());
    }
}

std::string JoinCommandLine(const std::vector<std::string>& args) {
    std::string line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i == 0) {
            AppendProgramName(args[i], line);
        } else {
            line += ' ';
            AppendArgument(args[i], line);
        }
    }
    return line;
}

}  // namespace platform
