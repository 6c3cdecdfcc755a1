#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "Version.h"
#include "platform/Platform.h"

namespace {

constexpr const char* Usage =
    "usage:\n"
    "  lumaro-cli config get FILE SECTION KEY\n"
    "  lumaro-cli config set FILE SECTION KEY VALUE\n"
    "  lumaro-cli schedule AMOUNT RATE PERIODS [--unit 月|年] [--method 等额法|递减法] [--csv]\n"
    "  lumaro-cli --version\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args = lumaro::platform::CommandLineArguments(argc, argv);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        (args.empty() ? std::cerr : std::cout) << Usage;
        return args.empty() ? 2 : 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "lumaro-cli " << lumaro::version::Text << "\n";
        return 0;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "config") return lumaro::cli::RunConfigCommand(args, std::cout, std::cerr);
    if (command == "schedule") return lumaro::cli::RunScheduleCommand(args, std::cout, std::cerr);
    std::cerr << "lumaro-cli: unknown command \"" << command << "\"\n" << Usage;
    return 2;
}
