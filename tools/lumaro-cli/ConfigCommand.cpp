#include "Commands.h"

namespace lumaro::cli {

// Placeholder until the config command is built.
int RunConfigCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "lumaro-cli config: not built yet\n";
    return 1;
}

}  // namespace lumaro::cli
