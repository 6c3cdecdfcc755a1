#include "platform/Win32Text.h"

#include <cstdio>
#include <utility>

#include "core/Processes.h"
#include "core/TempDir.h"

namespace lumaro::test {

namespace {

class Handle {
public:
    explicit Handle(HANDLE h = nullptr) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~Handle() {
        if (h_) ::CloseHandle(h_);
    }
    Handle(Handle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept {
        std::swap(h_, other.h_);
        return *this;
    }
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HANDLE h_;
};

Handle Inheritable(HANDLE h) {
    HANDLE copy = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), h, ::GetCurrentProcess(), &copy, 0, TRUE, DUPLICATE_SAME_ACCESS);
    return Handle(copy);
}

Handle OpenInheritable(const std::filesystem::path& file, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return Handle(::CreateFileW(file.wstring().c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

Handle Spawn(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
             HANDLE out, HANDLE err) {
    std::wstring line;
    platform::AppendArgument(line, platform::Wide(program));
    for (const auto& a : args) platform::AppendArgument(line, platform::Wide(a));
    const Handle in = OpenInheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.get();
    startup.hStdOutput = out;
    startup.hStdError = err;
    const std::wstring where = platform::Wide(folder);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          where.empty() ? nullptr : where.c_str(), &startup, &started))
        return Handle();
    ::CloseHandle(started.hThread);
    return Handle(started.hProcess);
}

int WaitFor(HANDLE process, bool killed = false) {
    DWORD code = 0;
    if (!process || ::WaitForSingleObject(process, INFINITE) != WAIT_OBJECT_0 || !::GetExitCodeProcess(process, &code))
        return -1;
    return killed ? -1 : static_cast<int>(code);
}

}  // namespace

// This process goes into a job that the system closes when the process ends,
// however it ends, killing every process still in it: all the programs it
// starts, and theirs, are in it too.
void EndDescendantsWithThisProcess() {
    const HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!job || !::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
        !::AssignProcessToJobObject(job, ::GetCurrentProcess())) {
        std::fprintf(stderr, "warning: the processes the tests start may outlive them (error %lu)\n", ::GetLastError());
    }
}

struct Child::Process {
    Handle handle;
    bool ended = false;
    int exitCode = -1;
};

std::string TestExecutable() {
    std::wstring buffer(32768, L'\0');
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return platform::Utf8(buffer.substr(0, n));
}

Child::Child(const std::string& role, const std::vector<std::string>& args) : process_(std::make_unique<Process>()) {
    const Handle err = Inheritable(::GetStdHandle(STD_ERROR_HANDLE));
    process_->handle = Spawn(TestExecutable(), ChildArguments(role, args), "", err.get(), err.get());
}

Child::~Child() { Kill(); }

bool Child::Running() {
    return !process_->ended && ::WaitForSingleObject(process_->handle.get(), 0) == WAIT_TIMEOUT;
}

int Child::Wait() {
    if (!process_->ended) {
        process_->exitCode = WaitFor(process_->handle.get());
        process_->ended = true;
    }
    return process_->exitCode;
}

void Child::Kill() {
    if (process_->ended) return;
    ::TerminateProcess(process_->handle.get(), 1);
    process_->exitCode = WaitFor(process_->handle.get(), true);
    process_->ended = true;
}

Outcome Run(const std::string& program, const std::vector<std::string>& args, const RunOptions& options) {
    TempDir capture;
    const auto outFile = capture.path() / "out", errFile = capture.path() / "err";
    WriteBytes(outFile, "");
    Outcome outcome;
    {
        const Handle out = options.unwritableOutput ? OpenInheritable(outFile, GENERIC_READ, OPEN_EXISTING)
                                                    : OpenInheritable(outFile, GENERIC_WRITE, CREATE_ALWAYS);
        const Handle err = OpenInheritable(errFile, GENERIC_WRITE, CREATE_ALWAYS);
        const Handle process = Spawn(program, args, options.folder, out.get(), err.get());
        outcome.exitCode = WaitFor(process.get());
    }
    outcome.out = options.unwritableOutput ? "" : ReadBytes(outFile);
    outcome.err = ReadBytes(errFile);
    return outcome;
}

}  // namespace lumaro::test
