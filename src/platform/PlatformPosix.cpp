#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/Platform.h"

extern char** environ;

namespace lumaro::platform {

namespace {

std::optional<std::string>& ExecutableOverride() {
    static std::optional<std::string> path;
    return path;
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsExecutableFile(const std::string& path) { return IsRegularFile(path) && ::access(path.c_str(), X_OK) == 0; }

// Sorted as a file list shows names: letters regardless of case, ties by byte.
bool ListOrder(const std::string& a, const std::string& b) {
    auto fold = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u >= 'a' && u <= 'z') ? u - 'a' + 'A' : u;
    };
    const auto order = std::lexicographical_compare_three_way(a.begin(), a.end(), b.begin(), b.end(),
                                                              [&](char x, char y) { return fold(x) <=> fold(y); });
    return order != 0 ? order < 0 : a < b;
}

// Runs `program` with `arguments` as a grandchild whose parent is gone at
// once, so it is never waited for and leaves no zombie behind. True when the
// program was executed; exec failures come back through a close-on-exec pipe.
bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments) {
    // Everything the children need is prepared here: after fork only
    // async-signal-safe calls are allowed (Qt and the browser run threads).
    std::vector<std::string> args;
    args.reserve(arguments.size() + 1);
    args.push_back(program);
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return false;

    const pid_t middle = ::fork();
    if (middle < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (middle == 0) {
        ::close(report[0]);
        ::setsid();  // away from the terminal's job control and signals
        const pid_t child = ::fork();
        if (child < 0) {
            const int err = errno;
            (void)!::write(report[1], &err, sizeof err);
            ::_exit(1);
        }
        if (child == 0) {
            sigset_t none;
            ::sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            struct sigaction dfl {};
            dfl.sa_handler = SIG_DFL;
            ::sigaction(SIGPIPE, &dfl, nullptr);
            ::sigaction(SIGCHLD, &dfl, nullptr);
            const int devnull = ::open("/dev/null", O_RDONLY);
            if (devnull >= 0) {
                ::dup2(devnull, STDIN_FILENO);
                if (devnull != STDIN_FILENO) ::close(devnull);
            }
            // Descriptors of this process (sockets, the settings lock) must not leak into the program.
            ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
            ::execve(argv[0], argv.data(), environ);
            const int err = errno;
            (void)!::write(report[1], &err, sizeof err);
            ::_exit(127);
        }
        ::_exit(0);
    }

    ::close(report[1]);
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &err, sizeof err);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    // Nothing read: the pipe closed on a successful exec.
    return got == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The program as given when it names a path, else its place on the search path.
std::optional<std::string> ResolveProgram(const std::string& program) {
    if (program.find('/') != std::string::npos) {
        if (IsExecutableFile(program)) return program;
        return std::nullopt;
    }
    return FindOnPath(program);
}

class PosixLauncher : public Launcher {
public:
    bool Open(const std::string& target, Show) override {
        const auto opener = FindOnPath("xdg-open");
        if (!opener || target.empty()) return false;
        return SpawnDetached(*opener, {target});
    }

    bool Start(const std::string& program, const std::vector<std::string>& arguments, Show) override {
        const auto resolved = ResolveProgram(program);
        if (!resolved) return false;
        return SpawnDetached(*resolved, arguments);
    }
};

Launcher* replacement = nullptr;

}  // namespace

std::string ExecutablePath() {
    if (ExecutableOverride()) return *ExecutableOverride();
    std::error_code ec;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

void OverrideExecutablePath(std::optional<std::string> path) { ExecutableOverride() = std::move(path); }

std::string SystemDirectory() { return "/usr/bin"; }

bool FileExists(const std::string& path) { return IsRegularFile(path); }

std::vector<std::string> ListOrdinaryFiles(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + '/';
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || name.front() == '.') continue;  // hidden, and "." and ".."
        if (IsRegularFile(prefix + name)) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), ListOrder);
    return names;
}

std::optional<std::string> FindOnPath(const std::string& name) {
    if (name.empty()) return std::nullopt;
    if (name.find('/') != std::string::npos) {
        if (IsExecutableFile(name)) return name;
        return std::nullopt;
    }
    const char* env = std::getenv("PATH");
    const std::string path = env ? env : "/usr/local/bin:/usr/bin:/bin";
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = path.find(':', begin);
        std::string dir = path.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
        if (dir.empty()) dir.push_back('.');  // an empty entry means the current folder
        const std::string candidate = dir + '/' + name;
        if (IsExecutableFile(candidate)) return candidate;
        if (end == std::string::npos) break;
        begin = end + 1;
    }
    return std::nullopt;
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

std::optional<std::string> RegistrationTool() { return FindOnPath("regsvr32"); }

Launcher& SystemLauncher() {
    static PosixLauncher launcher;
    return launcher;
}

Launcher& CurrentLauncher() { return replacement ? *replacement : SystemLauncher(); }

void SetLauncher(Launcher* launcher) { replacement = launcher; }

}  // namespace lumaro::platform
