#pragma once

#include <filesystem>
#include <string>

namespace lumaro::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // path() / name as a UTF-8 string.
    std::string file(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// Whole-file helpers, bytes exactly as given.
std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

}  // namespace lumaro::test
