// Loads arbitrary bytes as an INI file. The document must hold exactly what
// the text rules make of the bytes, every text must end inside its buffer,
// a file that exists must never count as one that failed to open, and an
// observer must hear the line each section and item came from.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/limits.h"
#include "common/result_codes.h"
#include "fuzz/support/check.h"
#include "fuzz/support/document_checks.h"
#include "fuzz/support/input_file.h"
#include "fuzz/support/reference_ini.h"
#include "ini/ini_file_parse.h"

namespace {

// The lines the reader tells of: each section's header line (0 for the
// unnamed section) and its items' lines, in document order.
class Lines : public IniLoadObserver {
public:
    void OnLine(const IniLine& line) override {
        const auto section = static_cast<std::size_t>(line.section);
        if (line.kind == IniLine::Kind::kHeader) {
            FUZZ_CHECK(section == sections.size());
            sections.push_back({line.number});
        } else if (line.kind == IniLine::Kind::kItem) {
            if (section == sections.size()) {
                sections.push_back({0});  // the unnamed section
            }
            FUZZ_CHECK(section + 1 == sections.size());
            sections.back().push_back(line.number);
            FUZZ_CHECK(static_cast<std::size_t>(line.item) + 2 == sections.back().size());
        }
    }
    std::vector<std::vector<int>> sections;
};

bool HasNoLineFeed(const char* text) {
    return std::strchr(text, '\n') == nullptr;
}

void CheckItem(const CIniItem& item, const reference::Item& expected) {
    fuzz::CheckItemBuffer(item);
    const std::string key = item.GetKey();
    const std::string value = item.GetValue();
    // Keys and values arrive trimmed, and a line never runs past its LF.
    FUZZ_CHECK(reference::IsTrimmed(key) && reference::IsTrimmed(value));
    FUZZ_CHECK(HasNoLineFeed(key.c_str()) && HasNoLineFeed(value.c_str()));
    FUZZ_CHECK((item.m_nKeyLen >= 0) == expected.hasEquals);
    FUZZ_CHECK(key == expected.key);
    FUZZ_CHECK(value == expected.value);
}

void CheckDocument(const CIniFileParse& document, const Lines& lines,
                   const reference::Document& expected) {
    FUZZ_CHECK(static_cast<std::size_t>(document.m_arrSections.GetSize()) ==
               expected.sections.size());
    FUZZ_CHECK(lines.sections.size() == expected.sections.size());
    for (std::size_t s = 0; s < expected.sections.size(); ++s) {
        const CIniSection& section = document.m_arrSections[static_cast<std::ptrdiff_t>(s)];
        const reference::Section& want = expected.sections[s];
        std::vector<int> wantLines = {want.line};
        for (const reference::Item& item : want.items) {
            wantLines.push_back(item.line);
        }
        FUZZ_CHECK(lines.sections[s] == wantLines);
        fuzz::CheckSectionBuffers(section);
        FUZZ_CHECK(HasNoLineFeed(section.m_szName));
        FUZZ_CHECK(section.m_szName == want.name);
        FUZZ_CHECK(static_cast<std::size_t>(section.m_arrItems.GetSize()) == want.items.size());
        for (std::size_t i = 0; i < want.items.size(); ++i) {
            CheckItem(section.m_arrItems[static_cast<std::ptrdiff_t>(i)], want.items[i]);
        }
    }
    // After the load the current section is the one appended last.
    const std::ptrdiff_t count = document.m_arrSections.GetSize();
    FUZZ_CHECK(document.m_pCurSection ==
               (count == 0 ? nullptr : &document.m_arrSections[count - 1]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const char* path = fuzz::WriteInputFile(bytes);

    CIniFileParse document;
    Lines lines;
    const HRESULT result = document.LoadFile(path, &lines);
    FUZZ_CHECK(result == S_OK || result == E_READFAULT || result == E_TOOMANYITEMS);
    FUZZ_CHECK(std::strcmp(document.m_szFileName, path) == 0);
    if (result == E_READFAULT) {
        // Only a failing device gets here; what was read must still be sound.
        for (std::ptrdiff_t s = 0; s < document.m_arrSections.GetSize(); ++s) {
            fuzz::CheckSectionBuffers(document.m_arrSections[s]);
        }
        return 0;
    }
    const reference::Document expected =
        reference::LoadDocument(bytes, reclaunch::kMaxDocumentEntries);
    FUZZ_CHECK((result == E_TOOMANYITEMS) == expected.full);
    CheckDocument(document, lines, expected);
    return 0;
}
