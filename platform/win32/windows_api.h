// <windows.h> for the Win32 backend only. Its ANSI/wide macros would rename
// our own functions of the same names (GetModuleHandle becomes
// GetModuleHandleA), so they are taken back here; the backend calls the
// ...A functions by their full names.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef GetModuleHandle
#undef GetModuleFileName
#undef GetCommandLine
