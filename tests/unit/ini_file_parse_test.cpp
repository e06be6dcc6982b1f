#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <utility>

#include "ini/ini_file_parse.h"
#include "platform/file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/testing.h"

namespace {

// One line per section ("[name]") and per item ("key=value", or the bare
// text of a line without '=').
std::string Describe(const CIniFileParse& document) {
    std::string out;
    for (std::ptrdiff_t s = 0; s < document.m_arrSections.GetSize(); ++s) {
        const CIniSection& section = document.m_arrSections[s];
        out += "[" + std::string(section.m_szName) + "]\n";
        for (std::ptrdiff_t i = 0; i < section.m_arrItems.GetSize(); ++i) {
            const CIniItem& item = section.m_arrItems[i];
            out += item.GetKey();
            if (item.m_nKeyLen >= 0) {
                out += "=" + std::string(item.GetValue());
            }
            out += "\n";
        }
    }
    return out;
}

class IniLoad : public ::testing::Test {
protected:
    // Writes `content` to a fresh file and loads it into `document`.
    HRESULT Load(const std::string& content) {
        const std::string path = dir / ("file" + std::to_string(files++) + ".ini");
        testutil::WriteFile(path, content);
        return document.LoadFile(path.c_str());
    }

    testutil::TempDir dir;
    int files = 0;
    CIniFileParse document;
};

struct FileCase {
    const char* name;
    std::string content;
    std::string document;
};

TEST_F(IniLoad, EachLineBecomesNothingASectionOrAnItem) {
    const FileCase cases[] = {
        {"items before the first header go to one unnamed section", "a=1\n[s]\nb=2\n",
         "[]\na=1\n[s]\nb=2\n"},
        {"blank and comment lines before the first header make no section",
         "\n \t \n; top\n  ; note\n[s]\n\nx=1\n;x=2\n", "[s]\nx=1\n"},
        {"no '#' comments and no comments behind text", "[s]\n#note\n#k=v\nk=v ; note\n",
         "[s]\n#note\n#k=v\nk=v ; note\n"},
        {"a header opens a new section even when one of that name exists", "[s]\nx=1\n[s]\nx=2\n",
         "[s]\nx=1\n[s]\nx=2\n"},
        {"a repeated key gives one item per line", "[s]\nx=1\nx=2\n", "[s]\nx=1\nx=2\n"},
        {"a line opening with '[' is a header whatever follows", "[a]=1\nk=v\n", "[a]=1]\nk=v\n"},
        {"blanks inside the brackets and text behind them stay in the name", "[ s ]\n[s] ; note\n",
         "[ s ]\n[s] ; note]\n"},
        {"'[' and '[]' give sections without a name", "[\na=1\n[]\nb=2\n", "[]\na=1\n[]\nb=2\n"},
        {"lines are trimmed first", " \t[s]\t \n \tk \t= \tv\t \n  text  \n", "[s]\nk=v\ntext\n"},
        {"bytes from 0x80 up are text", "[\xD5\xBE]\n\xC3\xFB=\xD6\xB5\xA0\n",
         "[\xD5\xBE]\n\xC3\xFB=\xD6\xB5\xA0\n"},
        {"a byte-order mark is ordinary text", "\xEF\xBB\xBF[gamekindid]\n1=a.exe\n[other]\n",
         "[]\n\xEF\xBB\xBF[gamekindid]\n1=a.exe\n[other]\n"},
        {"an empty file gives no section", "", ""},
        {"blank and comment lines only give no section", "\n; a\n  \t\n;[s]\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Load(c.content), S_OK);
        EXPECT_EQ(Describe(document), c.document);
    }
}

TEST_F(IniLoad, UnnamedSectionComesFirstAndOnlyOnce) {
    ASSERT_EQ(Load("a=1\nb=2\n[s]\nc=3\n"), S_OK);
    ASSERT_EQ(document.m_arrSections.GetSize(), 2);
    EXPECT_STREQ(document.m_arrSections[0].m_szName, "");
    EXPECT_EQ(document.m_arrSections[0].m_arrItems.GetSize(), 2);
    EXPECT_EQ(document.m_pCurSection, &document.m_arrSections[1]);
}

TEST_F(IniLoad, LineEndsMakeNoDifference) {
    const std::string lines[] = {"; game table", "[gamekindid]", "1 = a.exe", "", "2=b.exe"};
    const std::string expected = "[gamekindid]\n1=a.exe\n2=b.exe\n";
    const struct {
        const char* name;
        const char* end;
        bool lastLineEnded;
    } cases[] = {{"CR LF", "\r\n", true}, {"LF", "\n", true}, {"no final line end", "\n", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string content;
        for (const auto& line : lines) {
            content += line + c.end;
        }
        if (!c.lastLineEnded) {
            content.resize(content.size() - std::string(c.end).size());
        }
        ASSERT_EQ(Load(content), S_OK);
        EXPECT_EQ(Describe(document), expected);
    }
}

// A line longer than the 1024-byte buffer arrives in pieces of at most 1023
// bytes, and each piece is a line of its own.
TEST_F(IniLoad, LongLinesArriveInPiecesClassifiedOnTheirOwn) {
    const std::string head = "k=" + std::string(1021, 'v');  // the first 1023 bytes
    const std::string firstItem = "k=" + std::string(1021, 'v') + "\n";
    const FileCase cases[] = {
        {"the rest is an item", "[s]\n" + head + std::string(477, 'w') + "\nz=1\n",
         "[s]\n" + firstItem + std::string(477, 'w') + "\nz=1\n"},
        {"the rest opens a section", "[s]\n" + head + "  [t] x\nz=1\n",
         "[s]\n" + firstItem + "[t] x]\nz=1\n"},
        {"the rest is a comment", "[s]\n" + head + " ; c\nz=1\n", "[s]\n" + firstItem + "z=1\n"},
        {"a line of exactly 1023 bytes is one item", "[s]\n" + head + "\r\nz=1\n",
         "[s]\n" + firstItem + "z=1\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Load(c.content), S_OK);
        EXPECT_EQ(Describe(document), c.document);
    }
}

// Tells each piece as "<line>[+ continued][> indented] <kind> [s<section>[.<item>] in 'name']
// 'text'".
class LineRecorder : public IniLoadObserver {
public:
    void OnLine(const IniLine& line) override {
        static const char* const kKinds[] = {"blank", "comment", "header", "item"};
        told += std::to_string(line.number) + (line.continued ? "+" : "") +
                (line.indented ? ">" : "") + " " + kKinds[static_cast<int>(line.kind)];
        if (line.section >= 0) {
            told += " s" + std::to_string(line.section);
            told += line.item >= 0 ? "." + std::to_string(line.item) : "";
            told += " in '" + std::string(line.sectionName) + "'";
        }
        told += " '" + std::string(line.text) + "'\n";
    }
    std::string told;
};

TEST_F(IniLoad, AnObserverHearsTheLineOfEveryPiece) {
    const std::string head = "k=" + std::string(1021, 'v');  // the first 1023 bytes
    const FileCase cases[] = {
        {"lines counted across blank and comment lines, CR LF or LF",
         "a = 1\r\n\r\n; c\n[ S ]\nb=2",
         "1 item s0.0 in '' 'a = 1'\n2 blank ''\n3 comment '; c'\n"
         "4 header s1 in ' S ' '[ S ]'\n5 item s1.0 in ' S ' 'b=2'\n"},
        {"indented text", "  [s]\n\tx\n", "1> header s0 in 's' '[s]'\n2> item s0.0 in 's' 'x'\n"},
        {"a long line in pieces that share its number", "[s]\n" + head + " ; rest\nz=1\n",
         "1 header s0 in 's' '[s]'\n2 item s0.0 in 's' '" + head +
             "'\n2+> comment '; rest'\n"
             "3 item s0.1 in 's' 'z=1'\n"},
        {"a line of exactly 1023 bytes leaves its line end alone", "[s]\n" + head + "\r\nz=1\n",
         "1 header s0 in 's' '[s]'\n2 item s0.0 in 's' '" + head +
             "'\n2+ blank ''\n"
             "3 item s0.1 in 's' 'z=1'\n"},
        {"a NUL ends the text, not the line", std::string("a\0b\nc=1\n", 8),
         "1 item s0.0 in '' 'a'\n2 item s0.1 in '' 'c=1'\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir / "observed.ini";
        testutil::WriteFile(path, c.content);
        LineRecorder recorder;
        ASSERT_EQ(document.LoadFile(path.c_str(), &recorder), S_OK);
        EXPECT_EQ(recorder.told, c.document);
    }
}

TEST_F(IniLoad, SecondLoadReplacesTheFirst) {
    ASSERT_EQ(Load("a=1\n[first]\nb=2\n[more]\n"), S_OK);
    ASSERT_EQ(Load("[second]\nc=3\n"), S_OK);
    EXPECT_EQ(Describe(document), "[second]\nc=3\n");
    ASSERT_EQ(Load(""), S_OK);
    EXPECT_EQ(Describe(document), "");
    EXPECT_EQ(document.m_pCurSection, nullptr);
}

TEST_F(IniLoad, RecordsThePathCutToTheBuffer) {
    const std::string shortPath = dir / "short.ini";
    // Nested folders make a path longer than the 260-byte buffer.
    std::string longPath = dir / std::string(100, 'd');
    longPath =
        (std::filesystem::path(longPath) / std::string(100, 'e') / std::string(100, 'f')).string();
    for (const std::string& path : {shortPath, longPath}) {
        testutil::WriteFile(path, "[s]\n");
        if (path == longPath && !platform::CStdioFile().Open(path.c_str())) {
            continue;  // Windows opens no path past 260 bytes without its long-path form
        }
        ASSERT_EQ(document.LoadFile(path.c_str()), S_OK);
        EXPECT_EQ(std::string(document.m_szFileName), path.substr(0, reclaunch::kMaxPath - 1));
    }
}

// Whatever keeps a load from opening its file leaves the document as it was.
TEST_F(IniLoad, FailedLoadLeavesTheDocumentAsItWas) {
    ASSERT_EQ(Load("a=1\n[s]\nb=2\n"), S_OK);
    const std::string before = Describe(document);
    const std::string pathBefore = document.m_szFileName;
    const CIniSection* currentBefore = document.m_pCurSection;

    const std::string folder = dir / "folder";
    std::filesystem::create_directories(folder);
    const std::string missing = dir / "missing.ini";
    const struct {
        const char* name;
        const char* path;
        HRESULT result;
    } cases[] = {
        {"null path", nullptr, E_INVALIDARG},
        {"missing file", missing.c_str(), E_FAIL},
        {"empty path", "", E_FAIL},
        {"folder", folder.c_str(), E_FAIL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(document.LoadFile(c.path), c.result);
        EXPECT_EQ(Describe(document), before);
        EXPECT_EQ(std::string(document.m_szFileName), pathBefore);
        EXPECT_EQ(document.m_pCurSection, currentBefore);
    }
}

TEST_F(IniLoad, MissingFileIsTriedAgainAfterAPause) {
    const std::string missing = dir / "missing.ini";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(document.LoadFile(missing.c_str()), E_FAIL);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(80));
}

TEST_F(IniLoad, FileHeldOpenForWritingDoesNotLoad) {
    ASSERT_EQ(Load("[old]\n"), S_OK);
    const std::string path = dir / "held.ini";
    testutil::WriteFile(path, "[new]\n");
    auto held = testsupport::HoldOpen(path, testsupport::HeldFile::Mode::kWriting);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(document.LoadFile(path.c_str()), E_FAIL);
    EXPECT_EQ(Describe(document), "[old]\n");
    held->Release();
    EXPECT_EQ(document.LoadFile(path.c_str()), S_OK);
    EXPECT_EQ(Describe(document), "[new]\n");
}

// A document never holds more than kMaxDocumentEntries sections and items;
// a larger file keeps the first of them and says it was cut.
TEST_F(IniLoad, StopsAtTheEntryCeiling) {
    constexpr std::size_t kCeiling = reclaunch::kMaxDocumentEntries;
    const struct {
        std::size_t itemLines;  // behind one header
        HRESULT result;
        std::size_t itemsKept;
    } cases[] = {
        {kCeiling - 1, S_OK, kCeiling - 1},
        {kCeiling, E_TOOMANYITEMS, kCeiling - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.itemLines);
        std::string content = "[s]\n";
        for (std::size_t i = 0; i < c.itemLines; ++i) {
            content += std::to_string(i) + "\n";
        }
        ASSERT_EQ(Load(content), c.result);
        ASSERT_EQ(document.m_arrSections.GetSize(), 1);
        const auto& items = document.m_arrSections[0].m_arrItems;
        ASSERT_EQ(static_cast<std::size_t>(items.GetSize()), c.itemsKept);
        EXPECT_EQ(std::string(items[items.GetSize() - 1].GetKey()),
                  std::to_string(c.itemsKept - 1));
    }
}

// Nor does the reader take more than kMaxDocumentBytes of a file, whatever
// its lines give: a huge file of NUL bytes (sparse here) stops there.
TEST_F(IniLoad, StopsAtTheByteCeiling) {
    for (const auto& [extra, result] : {std::pair{0, S_OK}, std::pair{1, E_TOOMANYITEMS}}) {
        SCOPED_TRACE(extra);
        const std::string path = dir / "huge.ini";
        testutil::WriteFile(path, "[s]\nk=v\n");
        std::filesystem::resize_file(path, reclaunch::kMaxDocumentBytes + extra);
        EXPECT_EQ(document.LoadFile(path.c_str()), result);
        EXPECT_EQ(Describe(document), "[s]\nk=v\n");
    }
}

// A file that opens but cannot be read: the kernel's view of this process's
// own memory fails with an I/O error at address 0.
TEST_F(IniLoad, ReadErrorIsNotReportedAsSuccess) {
    const char* unreadable = "/proc/self/mem";
    if (!std::filesystem::exists(unreadable)) {
        GTEST_SKIP() << "no file here opens and then fails to read";
    }
    ASSERT_EQ(Load("[old]\n"), S_OK);
    const HRESULT result = document.LoadFile(unreadable);
    if (result == E_FAIL) {
        GTEST_SKIP() << "this platform does not open " << unreadable;
    }
    EXPECT_EQ(result, E_READFAULT);
    EXPECT_EQ(Describe(document), "");
}

}  // namespace
