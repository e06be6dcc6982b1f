// Between the launcher's narrow text and the UTF-16 that Windows keeps names in.
#pragma once

#include <string>

#include "platform/win32/windows_api.h"

namespace platform::win32 {

// `text` read in `codePage` (MultiByteToWideChar with `flags`); "" when it
// can't be read.
std::wstring Widen(const std::string& text, UINT codePage, DWORD flags = 0);

// `wide` as UTF-8.
std::string ToUtf8(const std::wstring& wide);

}  // namespace platform::win32
