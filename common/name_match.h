// Section and key names from a file are matched without regard to ASCII case.
#pragma once

// True when `name`, with A-Z lowered, equals `lowerName` byte for byte.
bool NameMatches(const char* name, const char* lowerName);
