// The three line rules on arbitrary text, of any length: TrimString,
// CIniItem::SetLine and CIniSection::SetName. Each gets its own NUL-terminated
// copy of the input up to its first NUL.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/support/check.h"
#include "fuzz/support/document_checks.h"
#include "fuzz/support/reference_ini.h"
#include "ini/ini_item.h"
#include "ini/ini_section.h"
#include "ini/trim_string.h"

namespace {

constexpr std::size_t kLineLimit = 1023;  // the longest line the loader delivers

std::vector<char> Terminated(const std::string& text) {
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    return copy;
}

void CheckTrim(const std::string& text) {
    const std::string expected = reference::Trim(text);
    std::vector<char> whole = Terminated(text);
    TrimString(whole.data());
    FUZZ_CHECK(whole.data() == expected);

    std::vector<char> measured = Terminated(text);
    FUZZ_CHECK(TrimString(measured.data(), text.size()) == expected.size());
    FUZZ_CHECK(measured.data() == expected);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

void CheckSetLine(const std::string& text) {
    std::vector<char> line = Terminated(text);
    CIniItem item;
    FUZZ_CHECK(item.SetLine(line.data()) == 0);
    fuzz::CheckItemBuffer(item);
    const std::string key = item.GetKey();
    const std::string value = item.GetValue();
    FUZZ_CHECK(reference::IsTrimmed(key) && reference::IsTrimmed(value));

    if (text.size() <= kLineLimit) {
        const reference::Item expected = reference::ItemFromLine(text);
        FUZZ_CHECK((item.m_nKeyLen >= 0) == expected.hasEquals);
        FUZZ_CHECK(key == expected.key);
        FUZZ_CHECK(value == expected.value);
    } else {
        // Longer lines are cut, never overrun: key and value start as the
        // uncut ones do and share the buffer with a NUL each (a line without
        // '=' may fill it but for one NUL).
        const reference::Item uncut = reference::UncutItemFromLine(text);
        FUZZ_CHECK((item.m_nKeyLen >= 0) == uncut.hasEquals);
        FUZZ_CHECK(StartsWith(uncut.key, key));
        FUZZ_CHECK(StartsWith(uncut.value, value));
        const std::size_t room = sizeof item.m_szText - (uncut.hasEquals ? 2 : 1);
        FUZZ_CHECK(key.size() + value.size() <= room);
    }

    // The caller's text: its first '=' became a NUL and the value part is trimmed.
    const std::size_t equals = text.find('=');
    if (equals != std::string::npos) {
        FUZZ_CHECK(line[equals] == '\0');
        FUZZ_CHECK(line.data() + equals + 1 == reference::TrimmedValuePart(text));
    }

    // The overload for a measured line gives the same item.
    std::vector<char> again = Terminated(text);
    CIniItem measured;
    FUZZ_CHECK(measured.SetLine(again.data(), text.size()) == 0);
    FUZZ_CHECK(measured.m_nKeyLen == item.m_nKeyLen);
    FUZZ_CHECK(std::memcmp(measured.m_szText, item.m_szText, sizeof item.m_szText) == 0);

    // A null line leaves an empty key and value and keeps m_nKeyLen, which
    // then no longer gives the key's length.
    const std::int32_t keyLen = item.m_nKeyLen;
    FUZZ_CHECK(item.SetLine(nullptr) == 0);
    FUZZ_CHECK(item.m_nKeyLen == keyLen);
    FUZZ_CHECK(item.GetKey()[0] == '\0' && item.GetValue()[0] == '\0');
}

void CheckSetName(const std::string& text) {
    const std::vector<char> line = Terminated(text);
    CIniSection section;
    section.AddItem().SetLine(nullptr);
    section.AddItem();
    FUZZ_CHECK(section.SetName(line.data()) == 0);
    fuzz::CheckSectionBuffers(section);
    FUZZ_CHECK(section.m_szName == reference::SectionName(text));
    FUZZ_CHECK(std::memcmp(line.data(), text.c_str(), text.size() + 1) == 0);  // unchanged
    // Only a null or empty line takes the items away.
    FUZZ_CHECK(section.m_arrItems.GetSize() == (text.empty() ? 0 : 2));
    FUZZ_CHECK(section.SetName(nullptr) == 0);
    FUZZ_CHECK(section.m_szName[0] == '\0' && section.m_arrItems.GetSize() == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string text = input.substr(0, input.find('\0'));
    CheckTrim(text);
    CheckSetLine(text);
    CheckSetName(text);
    TrimString(nullptr);  // left alone, no crash
    return 0;
}
