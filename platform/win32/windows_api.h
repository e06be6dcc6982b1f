// <windows.h> for the Win32 backend only. The backend calls the ...A
// functions by their full names; our own wrappers have names of their own,
// so none of the ANSI/wide macros can reach them.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
