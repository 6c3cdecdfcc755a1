#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "core/Processes.h"
#include "core/TempDir.h"

namespace lumaro::test {

namespace {

// Starts `program` with stdin from /dev/null and the given output descriptors (-1: this process's own); the child
// is killed when this process dies.
pid_t Spawn(const std::string& program, const std::vector<std::string>& args, const std::string& folder, int out,
            int err) {
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(126);  // the parent died before the line above
    const int in = ::open("/dev/null", O_RDONLY);
    if (in < 0 || ::dup2(in, STDIN_FILENO) < 0) ::_exit(126);
    if ((out >= 0 && ::dup2(out, STDOUT_FILENO) < 0) || (err >= 0 && ::dup2(err, STDERR_FILENO) < 0)) ::_exit(126);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(126);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// Every process started here dies with its parent (see Spawn).
void EndDescendantsWithThisProcess() {}

struct Child::Process {
    pid_t pid = -1;
    bool ended = false;
    int exitCode = -1;
};

std::string TestExecutable() { return std::filesystem::read_symlink("/proc/self/exe").string(); }

Child::Child(const std::string& role, const std::vector<std::string>& args) : process_(std::make_unique<Process>()) {
    process_->pid = Spawn(TestExecutable(), ChildArguments(role, args), "", -1, -1);
}

Child::~Child() { Kill(); }

bool Child::Running() {
    int status = 0;
    if (process_->ended || ::waitpid(process_->pid, &status, WNOHANG) == 0) return !process_->ended;
    process_->ended = true;
    process_->exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return false;
}

int Child::Wait() {
    if (!process_->ended) {
        process_->exitCode = WaitFor(process_->pid);
        process_->ended = true;
    }
    return process_->exitCode;
}

void Child::Kill() {
    if (process_->ended) return;
    ::kill(process_->pid, SIGKILL);
    Wait();
}

Outcome Run(const std::string& program, const std::vector<std::string>& args, const RunOptions& options) {
    TempDir capture;
    const auto outFile = capture.path() / "out", errFile = capture.path() / "err";
    WriteBytes(outFile, "");
    const int out = options.unwritableOutput ? ::open(outFile.c_str(), O_RDONLY | O_CLOEXEC)
                                             : ::open(outFile.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    Outcome outcome;
    if (out >= 0 && err >= 0) outcome.exitCode = WaitFor(Spawn(program, args, options.folder, out, err));
    if (out >= 0) ::close(out);
    if (err >= 0) ::close(err);
    outcome.out = options.unwritableOutput ? "" : ReadBytes(outFile);
    outcome.err = ReadBytes(errFile);
    return outcome;
}

}  // namespace lumaro::test
