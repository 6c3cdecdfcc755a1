#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

#include "platform/Platform.h"

namespace lumaro::platform {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

// Records why a replacement cannot be done; `error` is taken before anything
// else can change errno.
bool Fail(std::string* why, int error, const char* what, const std::string& subject = {}) {
    if (why) {
        *why = what + subject;
        if (error != 0) *why += std::string(": ") + std::strerror(error);
    }
    return false;
}

// Reads to the end, or until `limit` bytes are there.
bool ReadAll(int fd, std::string& data, std::size_t limit = std::string::npos) {
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0) data.reserve(std::min(limit, static_cast<std::size_t>(st.st_size)));
    char buffer[65536];
    while (data.size() < limit) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - data.size()));
        if (n > 0) {
            data.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            return true;
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n > 0) {
            data.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && errno != EINTR) {
            return false;
        } else if (n == 0) {
            errno = EIO;
            return false;
        }
    }
    return true;
}

// Writable for somebody: with no write bit at all the file is read-only,
// even for root, as the read-only attribute is on Windows.
bool HasWriteBit(const struct stat& st) { return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0; }

// Temporary files are named after the file they replace, so a writer holding
// the folder lock knows any other one is left over from a writer that died.
std::string TempPrefix(const std::string& name) { return "." + name + ".~writing-"; }

void RemoveLeftoverTemps(int folder, const std::string& name) {
    const int fd = ::dup(folder);
    if (fd < 0) return;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    const std::string prefix = TempPrefix(name);
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0) {
            ::unlinkat(folder, entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

// Takes the exclusive lock on the folder. The folder, not the file, carries
// the lock: the file's inode changes with every rename. A writer that hangs
// while holding it must not hang every other copy of the program, so the wait
// is bounded; the write then fails and the old file stays.
bool LockFolder(int folder, bool& locked) {
    constexpr auto patience = std::chrono::seconds(5);
    const auto deadline = std::chrono::steady_clock::now() + patience;
    locked = false;
    while (::flock(folder, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        // A file system without locks still gets its atomic replacement.
        if (errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP) return true;
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    locked = true;
    return true;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t limit) {
    if (path.empty()) return std::nullopt;
    // Non-blocking so that a named pipe in the file's place cannot hang us.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    std::string data;
    if (!ReadAll(fd.get(), data, limit)) return std::nullopt;
    return data;
}

FileAccess CheckFileAccess(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return (errno == ENOENT || errno == ENOTDIR || path.empty()) ? FileAccess::Missing : FileAccess::Unreadable;
    if (S_ISDIR(st.st_mode)) return FileAccess::Folder;
    if (!S_ISREG(st.st_mode)) return FileAccess::NotAFile;
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    return fd.get() < 0 ? FileAccess::Unreadable : FileAccess::Readable;
}

bool ReplaceFileLocked(const std::string& path, const FileEdit& edit, std::string* why) {
    if (path.empty()) return Fail(why, 0, "no file name");
    std::string target = path;
    // A symbolic link stays in place; the file it points to is replaced.
    struct stat linkStat {};
    if (::lstat(path.c_str(), &linkStat) == 0 && S_ISLNK(linkStat.st_mode)) {
        char* real = ::realpath(path.c_str(), nullptr);
        if (!real) return Fail(why, errno, "cannot follow the link ", path);
        target = real;
        std::free(real);
    }
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return Fail(why, 0, "", path + " is not a file name");

    struct stat folderStat {};
    if (::stat(folder.c_str(), &folderStat) != 0) {
        // Only the file's own folder is created; its parent must exist.
        if (errno != ENOENT || (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST)) {
            return Fail(why, errno, "cannot create the folder ", folder);
        }
    }
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) return Fail(why, errno, "cannot open the folder ", folder);
    if (::fstat(dir.get(), &folderStat) != 0) return Fail(why, errno, "cannot examine the folder ", folder);
    if (!HasWriteBit(folderStat)) return Fail(why, 0, "", "the folder " + folder + " is read-only");
    if (::faccessat(dir.get(), ".", W_OK | X_OK, AT_EACCESS) != 0) {
        return Fail(why, errno, "no permission to write in the folder ", folder);
    }

    bool locked = false;
    if (!LockFolder(dir.get(), locked)) {
        if (errno != EWOULDBLOCK) return Fail(why, errno, "cannot lock the folder ", folder);
        return Fail(why, 0, "", "another writer of " + path + " did not finish within 5 s");
    }
    if (locked) RemoveLeftoverTemps(dir.get(), name);

    std::optional<std::string> old;
    struct stat oldStat {};
    {
        Descriptor in(::openat(dir.get(), name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
        if (in.get() >= 0) {
            if (::fstat(in.get(), &oldStat) != 0) return Fail(why, errno, "cannot examine ", path);
            if (!S_ISREG(oldStat.st_mode)) return Fail(why, 0, "", path + " is not an ordinary file");
            if (!HasWriteBit(oldStat)) return Fail(why, 0, "", path + " is read-only");
            if (::faccessat(dir.get(), name.c_str(), W_OK, AT_EACCESS) != 0) {
                return Fail(why, errno, "no permission to write ", path);
            }
            // A file that cannot be read whole is never replaced: its other lines would be lost.
            old.emplace();
            if (!ReadAll(in.get(), *old)) return Fail(why, errno, "cannot read ", path);
        } else if (errno != ENOENT) {
            return Fail(why, errno, "cannot open ", path);
        }
    }

    const std::optional<std::string> edited = edit(old);
    if (!edited) return false;
    const std::string& data = *edited;

    static std::atomic<unsigned> counter{0};
    std::string tempName;
    Descriptor out;
    for (int attempt = 0; attempt < 100 && out.get() < 0; ++attempt) {
        tempName = TempPrefix(name) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const mode_t mode = old ? (oldStat.st_mode & 0777) : 0666;  // a new file gets the umask's say
        out.reset(::openat(dir.get(), tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (out.get() < 0 && errno != EEXIST) return Fail(why, errno, "cannot create a file in ", folder);
    }
    if (out.get() < 0) return Fail(why, EEXIST, "cannot create a file in ", folder);

    struct TempGuard {
        int folder;
        const std::string& name;
        bool keep = false;
        ~TempGuard() {
            if (!keep) ::unlinkat(folder, name.c_str(), 0);
        }
    } guard{dir.get(), tempName};

    if (old) {
        // Ownership may only be kept by an administrator; the permission bits always are.
        [[maybe_unused]] const int ignored = ::fchown(out.get(), oldStat.st_uid, oldStat.st_gid);
        if (::fchmod(out.get(), oldStat.st_mode & 07777) != 0) return Fail(why, errno, "cannot set permissions");
    }
    if (!WriteAll(out.get(), data)) return Fail(why, errno, "cannot write ", path);
    if (::fsync(out.get()) != 0) return Fail(why, errno, "cannot write ", path);
    if (::close(out.release()) != 0) return Fail(why, errno, "cannot write ", path);
    if (::renameat(dir.get(), tempName.c_str(), dir.get(), name.c_str()) != 0) {
        return Fail(why, errno, "cannot replace ", path);
    }
    guard.keep = true;
    ::fsync(dir.get());  // the rename itself reaches the disk
    return true;
}

}  // namespace lumaro::platform
