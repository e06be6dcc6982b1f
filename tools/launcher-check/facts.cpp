#include "tools/launcher-check/facts.h"

namespace check {

int EntryLine(const CheckFacts& facts, const GameTableEntry& entry) {
    return facts.tableLines.ItemLine(entry.sectionIndex, entry.itemIndex);
}

const ClientLaunch* LaunchOf(const CheckFacts& facts, std::size_t entry) {
    for (const ClientLaunch& launch : facts.launches) {
        if (launch.entry == entry) {
            return &launch;
        }
    }
    return nullptr;
}

bool KeyIsNumber(EntryVerdict verdict) {
    return verdict != EntryVerdict::kEmptyValue && verdict != EntryVerdict::kKeyNoDigit &&
           verdict != EntryVerdict::kKeyOutOfRange;
}

int ClientsStarting(const CheckFacts& facts) {
    int count = 0;
    for (const ClientLaunch& launch : facts.launches) {
        const bool starts =
            facts.ran ? launch.started.value_or(false)
                      : launch.program.status == platform::ProgramCheck::Status::kRunnable;
        count += starts ? 1 : 0;
    }
    return count;
}

int ExitCodeFor(const CheckFacts& facts) {
    return ClientsStarting(facts) > 0 ? 0 : 1;
}

}  // namespace check
