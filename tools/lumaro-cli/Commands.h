#pragma once

#include <ostream>
#include <string>
#include <vector>

// The subcommands of lumaro-cli; each takes the arguments after its name and
// returns the process exit code (0 done, 1 refused or failed, 2 usage).
namespace lumaro::cli {

int RunConfigCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunScheduleCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace lumaro::cli
