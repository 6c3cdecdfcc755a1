#pragma once

#include <filesystem>
#include <string>

namespace lumaro::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // path() / name as a UTF-8 string; `name` is UTF-8 too.
    std::string file(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// Paths and UTF-8 texts, whatever the system's code page (Windows' narrow path forms use the ANSI one).
std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

// Whole-file helpers, bytes exactly as given; a file named by text is named in UTF-8.
std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
inline std::string ReadBytes(const std::string& file) { return ReadBytes(PathOf(file)); }
inline void WriteBytes(const std::string& file, const std::string& bytes) { WriteBytes(PathOf(file), bytes); }

}  // namespace lumaro::test
