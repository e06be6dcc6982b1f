// The framework string: a byte string of ANSI text with an explicit length.
#pragma once

#include <cstring>
#include <string>

namespace platform {

class CString {
public:
    CString() = default;
    CString(const char* text)
        : m_str(text == nullptr ? "" : text) {}  // NOLINT: implicit as in the framework
    CString(const char* text, std::size_t length) : m_str(text, length) {}

    CString& operator=(const char* text) {
        m_str.assign(text == nullptr ? "" : text);
        return *this;
    }

    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }  // NOLINT: as the framework's
    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    char GetAt(int index) const { return m_str.at(static_cast<std::size_t>(index)); }
    void SetAt(int index, char ch) { m_str.at(static_cast<std::size_t>(index)) = ch; }

    // Byte-for-byte comparison: 0 when equal.
    int Compare(const char* text) const { return std::strcmp(m_str.c_str(), text); }
    bool operator==(const char* text) const { return Compare(text) == 0; }
    bool operator!=(const char* text) const { return Compare(text) != 0; }

    const std::string& str() const { return m_str; }

private:
    std::string m_str;
};

}  // namespace platform
