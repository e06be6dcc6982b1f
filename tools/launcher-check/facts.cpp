#include "tools/launcher-check/facts.h"

namespace check {

bool KeyIsNumber(EntryVerdict verdict) {
    return verdict != EntryVerdict::kEmptyValue && verdict != EntryVerdict::kKeyNoDigit &&
           verdict != EntryVerdict::kKeyOutOfRange;
}

int ClientsStarting(const CheckFacts& facts) {
    int count = 0;
    for (const SectionFacts& section : facts.gameTable.sections) {
        for (const EntryFacts& entry : section.entries) {
            if (entry.verdict != EntryVerdict::kStart) {
                continue;
            }
            const bool starts =
                facts.ran ? entry.started.value_or(false)
                          : entry.program.status == platform::ProgramCheck::Status::kRunnable;
            count += starts ? 1 : 0;
        }
    }
    return count;
}

int ExitCodeFor(const CheckFacts& facts) {
    return ClientsStarting(facts) > 0 ? 0 : 1;
}

}  // namespace check
