// Checks on the reader's fixed buffers that hold whatever text they were given.
#pragma once

#include "ini/ini_file_parse.h"
#include "ini/ini_item.h"
#include "ini/ini_section.h"

namespace fuzz {

// The key ends with its NUL inside the buffer and, while the item has an
// '=', the value right behind it ends with its own NUL inside it too;
// m_nKeyLen is -1 or the key's length; GetValue() is "" exactly when the
// item has no '=' or an empty value.
void CheckItemBuffer(const CIniItem& item);

// The name ends with its NUL inside its buffer, and so does every item.
void CheckSectionBuffers(const CIniSection& section);

}  // namespace fuzz
