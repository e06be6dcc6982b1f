#include "fuzz/support/input_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

#include "fuzz/support/check.h"

namespace fuzz {
namespace {

std::filesystem::path Folder() {
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error)) {
        return "/dev/shm";
    }
    return std::filesystem::temp_directory_path();
}

// One name per process, so that fuzzers running side by side never share it.
const std::string& InputPath() {
    static const std::string path = [] {
        std::random_device entropy;
        const std::string name = "reclaunch-fuzz-" + std::to_string(entropy()) + ".ini";
        return (Folder() / name).string();
    }();
    return path;
}

void RemoveInputFile() {
    std::remove(InputPath().c_str());
}

}  // namespace

const char* WriteInputFile(const std::string& bytes) {
    static const bool removalRegistered = std::atexit(RemoveInputFile) == 0;
    (void)removalRegistered;
    const std::string& path = InputPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    FUZZ_CHECK(std::fclose(file) == 0);
    return path.c_str();
}

}  // namespace fuzz
