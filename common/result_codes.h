// COM-style result codes of the INI loader. Callers test only for E_FAIL.
#pragma once

#include <cstdint>

using HRESULT = std::int32_t;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057U);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005U);

// A read failed after the file had opened (HRESULT_FROM_WIN32(ERROR_READ_FAULT)).
inline constexpr HRESULT E_READFAULT = static_cast<HRESULT>(0x8007001EU);
// The document reached its ceiling of sections and items (E_OUTOFMEMORY).
inline constexpr HRESULT E_TOOMANYITEMS = static_cast<HRESULT>(0x8007000EU);
