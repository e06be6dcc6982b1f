// An INI document: the sections of one file, in file order, nothing merged.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/limits.h"
#include "common/result_codes.h"
#include "ini/ini_section.h"
#include "platform/array.h"

class CIniFileParse {
public:
    CIniFileParse();
    virtual ~CIniFileParse();
    CIniFileParse(const CIniFileParse&) = delete;
    CIniFileParse& operator=(const CIniFileParse&) = delete;

    // Loads the file at `path`, replacing the document's content once the
    // file opens. Returns 0; E_INVALIDARG for a null path (nothing done);
    // E_FAIL when the file opened at neither of two attempts 100 ms apart
    // (the document as it was); E_READFAULT after a read error, or
    // E_TOOMANYITEMS past the item ceiling (the document keeps what was read).
    HRESULT LoadFile(const char* path);

    platform::CArray<CIniSection, CIniSection&> m_arrSections;
    CIniSection* m_pCurSection;
    char m_szFileName[reclaunch::kMaxPath];
};
