// An INI document: the sections of one file, in file order, nothing merged.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/limits.h"
#include "common/result_codes.h"
#include "ini/ini_load_observer.h"
#include "ini/ini_section.h"
#include "platform/array.h"
#include "platform/file.h"

class CIniFileParse {
public:
    CIniFileParse();
    virtual ~CIniFileParse();
    CIniFileParse(const CIniFileParse&) = delete;
    CIniFileParse& operator=(const CIniFileParse&) = delete;

    // Loads the file at `path`, replacing the document's content once the
    // file opens. Returns
    //   S_OK            the file was read to its end;
    //   E_INVALIDARG    the path was null: nothing done;
    //   E_FAIL          the file opened at neither of two attempts 100 ms
    //                   apart: the document is as it was;
    //   E_READFAULT     a read failed after the file had opened;
    //   E_TOOMANYITEMS  the document holds kMaxDocumentEntries sections and
    //                   items together (each costs a 1 KiB buffer, so about
    //                   128 MiB) and the file has more, or the file goes on
    //                   past its first kMaxDocumentBytes (128 MiB), or
    //                   memory ran out.
    // After the last two the file is released and the document keeps the
    // sections and items read until then. An `observer` hears of every piece
    // read, with its line number and what it became.
    HRESULT LoadFile(const char* path, IniLoadObserver* observer = nullptr);
    // Loads as LoadFile does, with a single attempt to open the file: for a
    // file read after something else has failed, where no wait may be added.
    HRESULT LoadFileOnce(const char* path);
    // Why the file of the last load did not open; kNone after one that did.
    platform::OpenError LastOpenError() const { return m_eOpenError; }

    platform::CArray<CIniSection, CIniSection&> m_arrSections;
    CIniSection* m_pCurSection;
    char m_szFileName[reclaunch::kMaxPath];

private:
    HRESULT Load(const char* path, IniLoadObserver* observer, int attempts);

    platform::OpenError m_eOpenError = platform::OpenError::kNone;
};
