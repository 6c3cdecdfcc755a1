#include "core/Processes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "core/TempDir.h"
#include "platform/Platform.h"

namespace lumaro::test {

namespace {

constexpr const char* RoleOption = "--child-role";

std::map<std::string, RoleFunction>& Roles() {
    static std::map<std::string, RoleFunction> roles;
    return roles;
}

}  // namespace

void EndDescendantsWithThisProcess();  // one per system

bool RegisterRole(const char* name, RoleFunction role) { return Roles().emplace(name, role).second; }

int RunTestsOrRole(int argc, char** argv) {
    const auto args = platform::CommandLineArguments(argc, argv);
    if (!args.empty() && args[0] == RoleOption) {
        const auto role = args.size() > 1 ? Roles().find(args[1]) : Roles().end();
        if (role == Roles().end()) {
            std::fprintf(stderr, "no such child role\n");
            return 125;
        }
        return role->second(std::vector<std::string>(args.begin() + 2, args.end()));
    }
    EndDescendantsWithThisProcess();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

std::string CliProgram() {
    return Utf8Of((PathOf(TestExecutable()).parent_path() / LUMARO_CLI_FROM_TESTS).lexically_normal());
}

std::vector<std::string> ChildArguments(const std::string& role, const std::vector<std::string>& args) {
    std::vector<std::string> all{RoleOption, role};
    all.insert(all.end(), args.begin(), args.end());
    return all;
}

void PrintTo(const Outcome& outcome, std::ostream* os) {
    *os << "exit code " << outcome.exitCode << ", out " << ::testing::PrintToString(outcome.out) << ", err "
        << ::testing::PrintToString(outcome.err);
}

std::string Printed(const std::string& lines) {
#ifdef _WIN32
    std::string text;
    for (const char c : lines) text += c == '\n' ? "\r\n" : std::string(1, c);
    return text;
#else
    return lines;
#endif
}

Outcome RunChild(const std::string& role, const std::vector<std::string>& args, const RunOptions& options) {
    return Run(TestExecutable(), ChildArguments(role, args), options);
}

}  // namespace lumaro::test
