// The whole lookup on an arbitrary game table, with no client started: four
// record header bytes give the kind, then comes the record path up to the
// first NUL, and the rest of the input is the table file. Every item of every
// gamekindid section is judged once, in file order, by the rules; and every
// entry that would start a client hands it exactly the record path.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/result_codes.h"
#include "fuzz/support/check.h"
#include "fuzz/support/input_file.h"
#include "fuzz/support/reference_kind_key.h"
#include "ini/ini_file_parse.h"
#include "launcher/game_table.h"
#include "launcher/record_header.h"
#include "platform/os.h"

namespace {

constexpr std::size_t kHeaderSize = 4;

struct Input {
    std::int32_t kind = 0;
    std::string recordPath;
    std::string table;
};

Input Split(const std::string& bytes) {
    Input input;
    const std::size_t header = std::min(bytes.size(), kHeaderSize);
    input.kind = DecodeRecordKind(reinterpret_cast<const unsigned char*>(bytes.data()),
                                  static_cast<std::uint32_t>(header));
    const std::string rest = bytes.substr(header);
    const std::size_t nul = rest.find('\0');
    input.recordPath = rest.substr(0, nul);
    input.table = nul == std::string::npos ? std::string() : rest.substr(nul + 1);
    return input;
}

bool IsGameKindName(const char* name) {
    static const char kName[] = "gamekindid";
    if (std::strlen(name) != sizeof kName - 1) {
        return false;
    }
    for (std::size_t i = 0; i < sizeof kName - 1; ++i) {
        const char ch = name[i];
        const char lower = ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
        if (lower != kName[i]) {
            return false;
        }
    }
    return true;
}

// What the rules make of one item for this kind and record path.
EntryVerdict ExpectedVerdict(const CIniItem& item, const Input& input, std::int32_t* keyKind) {
    if (item.GetValue()[0] == '\0') {
        return EntryVerdict::kEmptyValue;
    }
    const reference::KindKey key = reference::ReadKindKey(item.GetKey());
    switch (key.status) {
        case reference::KindKey::Status::kNoDigit:
            return EntryVerdict::kKeyNoDigit;
        case reference::KindKey::Status::kOutOfRange:
            return EntryVerdict::kKeyOutOfRange;
        case reference::KindKey::Status::kOk:
            break;
    }
    *keyKind = key.kind;
    if (key.kind != input.kind) {
        return EntryVerdict::kOtherKind;
    }
    // The command line's own limits are the command-line fuzzer's subject:
    // here only whether the entry starts a client matters.
    return EntryVerdict::kStart;
}

bool StartsNothing(EntryVerdict verdict) {
    return verdict == EntryVerdict::kClientPathUnquotable ||
           verdict == EntryVerdict::kRecordPathUnquotable ||
           verdict == EntryVerdict::kRecordPathTooLong ||
           verdict == EntryVerdict::kCommandLineTooLong;
}

// The entry the lookup made of `item`: its texts, its verdict and, when it
// starts a client, a command line that hands over exactly the record path.
void CheckEntry(const GameTableEntry& entry, const CIniItem& item, const Input& input) {
    FUZZ_CHECK(entry.key == item.GetKey() && entry.value == item.GetValue());

    std::int32_t keyKind = 0;
    const EntryVerdict verdict = ExpectedVerdict(item, input, &keyKind);
    if (verdict == EntryVerdict::kStart) {
        FUZZ_CHECK(entry.verdict == EntryVerdict::kStart || StartsNothing(entry.verdict));
    } else {
        FUZZ_CHECK(entry.verdict == verdict);
    }
    if (verdict == EntryVerdict::kOtherKind || verdict == EntryVerdict::kStart) {
        FUZZ_CHECK(entry.keyKind == keyKind);
    } else {
        FUZZ_CHECK(!entry.keyKind);
    }
    if (entry.verdict != EntryVerdict::kStart) {
        FUZZ_CHECK(entry.commandLine.empty());
        return;
    }
    FUZZ_CHECK(entry.commandLine.size() < reclaunch::kMaxPath);
    const std::vector<std::string> args = platform::SplitCommandLine(entry.commandLine.c_str());
    FUZZ_CHECK(args.size() == 3);
    FUZZ_CHECK(args[1] == "KelvoFile");
    FUZZ_CHECK(args[2] == input.recordPath);
    FUZZ_CHECK(args[0] == entry.value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input input = Split(std::string(reinterpret_cast<const char*>(data), size));
    CIniFileParse table;
    const HRESULT result = table.LoadFile(fuzz::WriteInputFile(input.table));
    FUZZ_CHECK(result != E_FAIL && result != E_INVALIDARG);

    // Every item of the gamekindid sections, in file order.
    std::vector<const CIniItem*> expected;
    for (std::ptrdiff_t s = 0; s < table.m_arrSections.GetSize(); ++s) {
        const CIniSection& section = table.m_arrSections[s];
        if (IsGameKindName(section.m_szName)) {
            for (std::ptrdiff_t i = 0; i < section.m_arrItems.GetSize(); ++i) {
                expected.push_back(&section.m_arrItems[i]);
            }
        }
    }

    const std::vector<GameTableEntry> entries =
        JudgeGameTable(table, input.kind, input.recordPath.c_str());
    FUZZ_CHECK(entries.size() == expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const GameTableEntry& entry = entries[i];
        FUZZ_CHECK(&table.m_arrSections[entry.sectionIndex].m_arrItems[entry.itemIndex] ==
                   expected[i]);
        CheckEntry(entry, *expected[i], input);
    }
    return 0;
}
