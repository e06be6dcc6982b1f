// The command line a game client is started with:
//   "<client>" KelvoFile "<record path>"
#pragma once

#include "common/limits.h"

enum class CommandLineStatus {
    kOk,
    // The client path holds a double quote, which would end the quoted
    // program name early: the rest of it would reach the client as arguments
    // before the record path.
    kClientPathUnquotable,
    // The record path holds a double quote or ends with a backslash, so the
    // client would split it into other arguments than the record path.
    kRecordPathUnquotable,
    // The keyword text (blank, KelvoFile, blank, quoted record path) does
    // not fit its buffer: the record path is longer than 246 bytes.
    kRecordPathTooLong,
    // The whole line is longer than 259 bytes; a cut line would hand the
    // client a wrong record path.
    kTooLong,
};

// Builds the line into the zero-filled `commandLine`; it holds text only on kOk.
CommandLineStatus BuildClientCommandLine(const char* clientPath, const char* recordPath,
                                         char (&commandLine)[reclaunch::kMaxPath]);
