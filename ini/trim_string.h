#pragma once

// Trims a NUL-terminated text in place: blanks and tabs at both ends, CR and
// LF at the end only. Bytes from 0x80 up are never removed, and a CR or LF at
// the start shields the blanks behind it.
void TrimString(char* text);
