#include "common/name_match.h"

#include "common/lower_string.h"
#include "platform/string.h"

bool NameMatches(const char* name, const char* lowerName) {
    platform::CString lowered(name);
    LowerString(lowered);
    return lowered == lowerName;
}
