#include "tests/support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <random>
#include <sstream>
#include <system_error>

namespace testutil {

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device entropy;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    // Fixed width, so that tests can build paths of an exact length.
    std::ostringstream name;
    name << "reclaunch-" << std::hex << std::setfill('0') << std::setw(8)
         << (entropy() & 0xFFFFFFFFU) << '-' << std::setw(16)
         << static_cast<unsigned long long>(stamp) << '-' << std::setw(4) << (counter++ & 0xFFFFU);
    m_path = std::filesystem::temp_directory_path() / name.str();
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::operator/(const std::string& relative) const {
    return (m_path / relative).string();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    const std::filesystem::path target(path);
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path());
    }
    // Opened by its narrow name, so the bytes of the name reach the OS as
    // they are (a path object may re-encode them on Windows).
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace testutil
