// The words of both reports for each value of the enums they tell about: one
// table per enum, each row a value, its stable code (JSON) and its text for
// people. The launcher itself has no words.
#pragma once

#include <cstddef>

#include "common/result_codes.h"
#include "launcher/game_table.h"
#include "platform/os.h"
#include "tools/launcher-check/config_lines.h"
#include "tools/launcher-check/facts.h"

namespace check {

template <class Enum>
struct EnumText {
    Enum value;
    const char* code;
    const char* text;
};

// The verdict on a game-table entry; the text is the reason.
const EnumText<EntryVerdict>& TextOf(EntryVerdict verdict);
// How the installation was found.
const EnumText<InstallationSource>& TextOf(InstallationSource source);
// Whether a client's program can run; the text follows the program's path.
const EnumText<platform::ProgramCheck::Status>& TextOf(platform::ProgramCheck::Status status);
// What a warning is about; the text labels it in the text report.
const EnumText<Subject>& TextOf(Subject subject);

// What loading a configuration file gave. `incomplete` is the warning for a
// file read only in part, or null.
struct LoadResultText {
    HRESULT value;
    const char* code;
    const char* text;
    const char* incomplete;
};
// Any result the loader does not give for an existing path reads as "not opened".
const LoadResultText& TextOfLoad(HRESULT result);

}  // namespace check
