// Windows command lines: splitting by the C run-time's rules, and joining
// arguments so that they split back unchanged.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/os.h"

namespace {

using Args = std::vector<std::string>;

struct SplitCase {
    const char* line;
    Args expected;
};

void ExpectSplits(const std::vector<SplitCase>& cases) {
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(std::string("command line: [") + c.line + "]");
        EXPECT_EQ(platform::SplitCommandLine(c.line), c.expected);
    }
}

TEST(PlatformSplitCommandLine, BlanksAndTabsSeparateArguments) {
    ExpectSplits({
        {"", {}},
        {"prog", {"prog"}},
        {"prog a b", {"prog", "a", "b"}},
        {"prog  a\t\tb  \t", {"prog", "a", "b"}},
        {"prog\targ", {"prog", "arg"}},
        {"prog \"a\tb\"", {"prog", "a\tb"}},
        {"prog a\nb", {"prog", "a\nb"}},  // only blanks and tabs separate
    });
}

TEST(PlatformSplitCommandLine, ProgramNameTakesQuotesWithoutBackslashRules) {
    ExpectSplits({
        {"\"C:\\Program Files\\Game\\Launcher.exe\" x",
         {"C:\\Program Files\\Game\\Launcher.exe", "x"}},
        {"\"C:\\dir\\\" x", {"C:\\dir\\", "x"}},  // \" ends nothing special here
        {"C:\\Pro\"gram Fi\"les\\x.exe a", {"C:\\Program Files\\x.exe", "a"}},
        {"\"a b\"c d", {"a bc", "d"}},
        {"\"C:\\no end quote", {"C:\\no end quote"}},
        {"\"\" a", {"", "a"}},
        {"\\\\server\\share\\x.exe a", {"\\\\server\\share\\x.exe", "a"}},
        {" prog a", {"", "prog", "a"}},  // a leading blank gives an empty name
        {"\t", {""}},
    });
}

TEST(PlatformSplitCommandLine, QuotesGroupAndAreRemoved) {
    ExpectSplits({
        {"p \"a b c\" d e", {"p", "a b c", "d", "e"}},
        {"p a\"b c\"d", {"p", "ab cd"}},
        {"p \"\"", {"p", ""}},
        {"p \"\" \"\"", {"p", "", ""}},
        {"p \"unterminated arg", {"p", "unterminated arg"}},
        {"p \"trailing blank \" x", {"p", "trailing blank ", "x"}},
    });
}

TEST(PlatformSplitCommandLine, BackslashesCountOnlyBeforeAQuote) {
    ExpectSplits({
        {"p \"ab\\\"c\" \"\\\\\" d", {"p", "ab\"c", "\\", "d"}},
        {"p a\\\\\\b d\"e f\"g h", {"p", "a\\\\\\b", "de fg", "h"}},
        {"p a\\\\\\\"b c d", {"p", "a\\\"b", "c", "d"}},
        {"p a\\\\\\\\\"b c\" d e", {"p", "a\\\\b c", "d", "e"}},
        {"p \\\\server\\share", {"p", "\\\\server\\share"}},
        {"p a\\", {"p", "a\\"}},
        {"p \"a\\\\\"", {"p", "a\\"}},
        {"p \"C:\\dir\\\" x", {"p", "C:\\dir\" x"}},  // the classic trap: \" is a quote
        {"p \\\"", {"p", "\""}},
    });
}

TEST(PlatformSplitCommandLine, DoubledQuoteInsideQuotesIsALiteralQuote) {
    ExpectSplits({
        {"p \"a\"\"b\"", {"p", "a\"b"}},
        {"p a\"b\"\" c d", {"p", "ab\" c d"}},  // the quoted part goes on after ""
        {"p \"\"\"\"", {"p", "\""}},
        {"p a\"\"b", {"p", "ab"}},  // outside quotes "" is an empty quoted part
    });
}

TEST(PlatformSplitCommandLine, OtherBytesPassUnchanged) {
    ExpectSplits({
        {"p \xb2\xe2\xca\xd4 \"\xc4\xe3 \xba\xc3\"",
         {"p", "\xb2\xe2\xca\xd4", "\xc4\xe3 \xba\xc3"}},
        {"p ^a %PATH% 'q r'", {"p", "^a", "%PATH%", "'q", "r'"}},
    });
}

TEST(PlatformSplitCommandLine, NullGivesNoArguments) {
    EXPECT_TRUE(platform::SplitCommandLine(nullptr).empty());
}

TEST(PlatformJoinCommandLine, QuotesOnlyWhereNeeded) {
    const struct {
        Args args;
        const char* expected;
    } cases[] = {
        {{}, ""},
        {{"prog"}, "prog"},
        {{"C:\\Program Files\\x.exe", "a"}, "\"C:\\Program Files\\x.exe\" a"},
        {{"C:\\my dir\\", "a"}, "\"C:\\my dir\\\" a"},  // no doubling in the name
        {{""}, "\"\""},
        {{"p", ""}, "p \"\""},
        {{"p", "a b"}, "p \"a b\""},
        {{"p", "a\\b\\"}, "p a\\b\\"},
        {{"p", "a b\\"}, "p \"a b\\\\\""},
        {{"p", "a\"b"}, "p \"a\\\"b\""},
        {{"p", "a\\\"b"}, "p \"a\\\\\\\"b\""},
        {{"p", "\t"}, "p \"\t\""},
        {{"a\"b", "x"}, "ab x"},  // a name can't hold a quote
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(platform::JoinCommandLine(c.args), c.expected);
    }
}

TEST(PlatformJoinCommandLine, SplitGivesTheArgumentsBack) {
    const Args cases[] = {
        {"prog"},
        {""},
        {"C:\\Program Files\\Game\\client.exe", "KelvoFile", "C:\\Records\\0001.rec"},
        {"C:\\dir with blank\\", "x"},
        {"p", "", "a b", "a\"b", "a\\", "a\\\\b", "\\\"", "tab\there", "end\\\\", " ", "\"", "\\"},
        {"p", "\"\"", "\\\\\"\\\\", "a\"\"b", "\"a b\"", "x\\ y\\"},
        {"/usr/bin/prog", "--flag=\"v\"", "\xb2\xe2 \xca\xd4"},
    };
    for (const Args& args : cases) {
        const std::string line = platform::JoinCommandLine(args);
        SCOPED_TRACE("joined: [" + line + "]");
        EXPECT_EQ(platform::SplitCommandLine(line.c_str()), args);
    }
}

// Arguments made only of the bytes the rules care about, in every mix.
TEST(PlatformJoinCommandLine, RandomArgumentsSurviveTheRoundTrip) {
    std::mt19937 random(20240611);
    const std::string nameBytes = "a \t\\";
    const std::string argBytes = "a \t\\\"";
    auto randomText = [&](const std::string& alphabet) {
        std::string text(random() % 8, ' ');
        for (char& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        return text;
    };
    for (int round = 0; round < 5000; ++round) {
        Args args{randomText(nameBytes)};
        const unsigned more = random() % 4;
        for (unsigned i = 0; i < more; ++i) {
            args.push_back(randomText(argBytes));
        }
        const std::string line = platform::JoinCommandLine(args);
        ASSERT_EQ(platform::SplitCommandLine(line.c_str()), args) << "joined: [" << line << "]";
    }
}

}  // namespace
