#include "launcher/launch_failure.h"

LaunchFailure RecordFailure(platform::OpenError why) {
    return {RecordCause(why), "", 0, 0};
}

std::optional<LaunchFailure> FindLaunchFailure(const LaunchPlan& plan, std::int32_t kind,
                                               const char* installDir, const StartTally& tally) {
    if (plan.tablePath.empty()) {
        return LaunchFailure{
            *installDir == '\0' ? LaunchCause::kNoInstallation : LaunchCause::kTablePathTooLong, "",
            0, 0};
    }
    if (plan.loadResult == E_FAIL) {
        return LaunchFailure{TableCause(plan.table->LastOpenError()), "", 0, 0};
    }
    bool searched = false;
    for (std::ptrdiff_t s = 0; s < plan.table->m_arrSections.GetSize() && !searched; ++s) {
        searched = IsGameKindSection(plan.table->m_arrSections[s].m_szName);
    }
    if (!searched) {
        return LaunchFailure{LaunchCause::kNoGameKindSection, "", 0, 0};
    }
    LaunchFailure failure{LaunchCause::kKindNotListed, "", 0, tally.started};
    bool found = false;
    for (std::size_t i = 0; i < plan.entries.size(); ++i) {
        const GameTableEntry& entry = plan.entries[i];
        if (entry.keyKind != kind) {
            continue;
        }
        ++failure.listed;
        if (found) {
            continue;
        }
        if (entry.verdict != EntryVerdict::kStart) {
            failure.cause = CauseOfVerdict(entry.verdict);
            failure.detail = entry.value;
            found = true;
        } else if (static_cast<std::ptrdiff_t>(i) == tally.firstFailed) {
            failure.cause =
                tally.failure.missing ? LaunchCause::kClientMissing : LaunchCause::kClientRefused;
            failure.detail = entry.value;
            if (!tally.failure.text.empty()) {
                failure.detail += " (" + tally.failure.text + ")";
            }
            found = true;
        }
    }
    if (failure.listed > 0 && failure.started >= failure.listed) {
        return std::nullopt;
    }
    return failure;
}

std::string CauseText(const LaunchFailure& failure) {
    std::string text = TextOfCause(failure.cause).words;
    if (!failure.detail.empty()) {
        text += ": " + failure.detail;
    }
    if (failure.listed > 1) {
        text += "; " + std::to_string(failure.listed - failure.started) + " of " +
                std::to_string(failure.listed) + " clients did not start";
    }
    return text;
}
