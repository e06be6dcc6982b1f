#include "tests/e2e/hostile_support.h"

#include <gtest/gtest.h>

#include <random>

#include "common/limits.h"

namespace hostile {

void ExpectRecordPassedExactly(const e2e::LaunchResult& run, const std::string& record) {
    for (const e2e::ClientReport& client : run.clients) {
        ASSERT_EQ(client.args.size(), 3U) << client.commandLine;
        EXPECT_EQ(client.args[1], "KelvoFile");
        EXPECT_EQ(client.args[2], record);
    }
}

std::string Garbage(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& ch : bytes) {
        ch = static_cast<char>(byte(random));
    }
    return bytes;
}

const std::string& TenMegabyteLine() {
    static const std::string line = "k=" + std::string(std::size_t{10} << 20, 'v');
    return line;
}

std::string PastTheCeiling(const std::string& head, const std::string& fillerLine) {
    std::string text = head;
    text.reserve(head.size() + (reclaunch::kMaxDocumentEntries + 1) * fillerLine.size());
    for (std::size_t i = 0; i <= reclaunch::kMaxDocumentEntries; ++i) {
        text += fillerLine;
    }
    return text;
}

bool AddressSanitized() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

}  // namespace hostile
