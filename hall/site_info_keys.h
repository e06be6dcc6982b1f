// Which member of the site information record each siteinfo key fills.
#pragma once

#include <cstddef>
#include <cstdint>

#include "hall/site_info.h"
#include "platform/string.h"

// One key and its member: a number (read like atoi) or a text (copied).
// Exactly one of the two member pointers is set.
struct SiteInfoKey {
    const char* name;
    std::int32_t CSiteInfo::*number;
    platform::CString CSiteInfo::*text;
};

// The entry for a lower-case key, or null when no member takes that key.
const SiteInfoKey* FindSiteInfoKey(const char* lowerKey);

// Every key, in the order of the record's members, for walking the record.
struct SiteInfoKeyList {
    const SiteInfoKey* first;
    std::size_t count;
    const SiteInfoKey* begin() const { return first; }
    const SiteInfoKey* end() const { return first + count; }
};
SiteInfoKeyList AllSiteInfoKeys();
