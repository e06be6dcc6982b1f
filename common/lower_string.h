#pragma once

#include "platform/string.h"

// Replaces `text` by a copy in which A-Z become a-z; every other byte,
// including all bytes from 0x80 up, stays as it is.
void LowerString(platform::CString& text);
