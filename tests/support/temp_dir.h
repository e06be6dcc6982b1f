// Temporary folders and files for tests.
#pragma once

#include <filesystem>
#include <string>

namespace testutil {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // `relative` below the folder, as a string of the OS's own form.
    std::string operator/(const std::string& relative) const;

private:
    std::filesystem::path m_path;
};

// Writes `bytes` to `path` exactly (binary), creating parent folders.
void WriteFile(const std::string& path, const std::string& bytes);
// The whole file, or "" when it can't be read.
std::string ReadFile(const std::string& path);

}  // namespace testutil
