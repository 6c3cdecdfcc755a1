// Pseudo consoles came with Windows 10 1809.
#define NTDDI_VERSION 0x0A000006
#include "platform/Win32Text.h"

#include <cstdio>
#include <optional>
#include <thread>
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

// A console of the child's own, drained of what it shows so that it never blocks.
class PseudoConsole {
public:
    PseudoConsole() {
        HANDLE inRead = nullptr, inWrite = nullptr, outRead = nullptr, outWrite = nullptr;
        ::CreatePipe(&inRead, &inWrite, nullptr, 0);
        ::CreatePipe(&outRead, &outWrite, nullptr, 0);
        input_ = Handle(inWrite);
        if (FAILED(::CreatePseudoConsole({80, 25}, inRead, outWrite, 0, &console_))) console_ = nullptr;
        ::CloseHandle(inRead);
        ::CloseHandle(outWrite);
        drain_ = std::thread([out = Handle(outRead)] {
            char buffer[4096];
            DWORD n = 0;
            while (::ReadFile(out.get(), buffer, sizeof buffer, &n, nullptr) && n > 0) {
            }
        });
    }
    ~PseudoConsole() {
        if (console_) ::ClosePseudoConsole(console_);
        input_ = Handle();
        drain_.join();
    }
    HPCON get() const { return console_; }

private:
    HPCON console_ = nullptr;
    Handle input_;
    std::thread drain_;
};

Handle Spawn(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
             HANDLE out, HANDLE err, HPCON console = nullptr) {
    std::wstring line;
    platform::AppendArgument(line, platform::Wide(program));
    for (const auto& a : args) platform::AppendArgument(line, platform::Wide(a));
    const Handle in = OpenInheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = in.get();
    startup.StartupInfo.hStdOutput = out;
    startup.StartupInfo.hStdError = err;
    std::vector<char> attributes;
    DWORD flags = 0;
    if (console) {
        SIZE_T size = 0;
        ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        attributes.resize(size);
        startup.lpAttributeList = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
        ::InitializeProcThreadAttributeList(startup.lpAttributeList, 1, 0, &size);
        ::UpdateProcThreadAttribute(startup.lpAttributeList, 0, PROC_THREAD_ATTRIBUTE_PSEUDOCONSOLE, console,
                                    sizeof console, nullptr, nullptr);
        flags |= EXTENDED_STARTUPINFO_PRESENT;
    }
    const std::wstring where = platform::Wide(folder);
    PROCESS_INFORMATION started{};
    const BOOL ok = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, flags, nullptr,
                                     where.empty() ? nullptr : where.c_str(), &startup.StartupInfo, &started);
    if (console) ::DeleteProcThreadAttributeList(startup.lpAttributeList);
    if (!ok) return Handle();
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
        std::optional<PseudoConsole> console;
        if (options.ownConsole) console.emplace();
        const Handle process = Spawn(program, args, options.folder, out.get(), err.get(), console ? console->get() : nullptr);
        outcome.exitCode = WaitFor(process.get());
    }
    outcome.out = options.unwritableOutput ? "" : ReadBytes(outFile);
    outcome.err = ReadBytes(errFile);
    return outcome;
}

}  // namespace lumaro::test
