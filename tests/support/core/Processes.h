#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Other processes for the tests, alike on POSIX and Windows: the test executable in a child role, and programs run
// to their end with their output caught. Each ends with the test that started it, even when the test process dies.
namespace lumaro::test {

// What the test executable does as a child, given Child's arguments:  LUMARO_CHILD_ROLE(Name) { ...; return 0; }
using RoleFunction = int (*)(const std::vector<std::string>& args);
bool RegisterRole(const char* name, RoleFunction role);

#define LUMARO_CHILD_ROLE(name)                                                              \
    static int name##Role(const std::vector<std::string>& args);                            \
    [[maybe_unused]] static const bool name##Registered = ::lumaro::test::RegisterRole(#name, name##Role); \
    static int name##Role([[maybe_unused]] const std::vector<std::string>& args)

// The core tests' main: plays the role named by --child-role NAME ARGS... or runs the tests.
int RunTestsOrRole(int argc, char** argv);

// The command-line arguments that make the test executable play `role`.
std::vector<std::string> ChildArguments(const std::string& role, const std::vector<std::string>& args);

// The running test executable, and lumaro-cli beside the tests.
std::string TestExecutable();
std::string CliProgram();

// The test executable in a child role, started at once.
class Child {
public:
    explicit Child(const std::string& role, const std::vector<std::string>& args = {});
    ~Child();  // kills the child if it still runs
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Running();
    int Wait();  // its exit code; -1 when it was killed
    void Kill();

    struct Process;

private:
    std::unique_ptr<Process> process_;
};

// A program run to its end.
struct Outcome {
    int exitCode = -1;  // -1 when it did not end by itself
    std::string out, err;
    bool operator==(const Outcome&) const = default;
};
void PrintTo(const Outcome& outcome, std::ostream* os);

// Lines as a program prints them in text mode: ending in CR LF on Windows.
std::string Printed(const std::string& lines);
struct RunOptions {
    std::string folder;              // where it runs ("": here)
    bool unwritableOutput = false;   // its standard output refuses every byte
    bool ownConsole = false;         // Windows: it runs in a console of its own (a pseudo console)
};
Outcome Run(const std::string& program, const std::vector<std::string>& args, const RunOptions& options = {});
// The test executable in a child role, run to its end.
Outcome RunChild(const std::string& role, const std::vector<std::string>& args, const RunOptions& options = {});

}  // namespace lumaro::test
