// One section of an INI document: its name and its items in line order.
#pragma once

#include <cstdint>

#include "common/limits.h"
#include "ini/ini_item.h"
#include "platform/array.h"

class CIniSection {
public:
    CIniSection();
    virtual ~CIniSection();
    CIniSection(CIniSection&&) noexcept = default;
    CIniSection& operator=(CIniSection&&) noexcept = default;

    // Names the section from its header line: trimmed, one leading '[' and
    // one trailing ']' dropped, inner blanks kept. A null or empty line
    // empties the name and destroys the items. Always returns 0.
    std::int32_t SetName(const char* line);

    // Appends a new item (empty key and value) and returns it; the reference
    // is valid until the next AddItem on this section.
    CIniItem& AddItem();

    char m_szName[reclaunch::kIniTextSize];
    platform::CArray<CIniItem, CIniItem&> m_arrItems;
};

// A section's items live in a heap block it only points to.
template <>
struct platform::IsTriviallyRelocatable<CIniSection> : std::true_type {};
