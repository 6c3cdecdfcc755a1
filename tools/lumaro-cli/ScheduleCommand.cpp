#include "Commands.h"

namespace lumaro::cli {

// Placeholder until the schedule command is built.
int RunScheduleCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "lumaro-cli schedule: not built yet\n";
    return 1;
}

}  // namespace lumaro::cli
