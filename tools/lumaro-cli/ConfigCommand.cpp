#include <string>

#include "Commands.h"
#include "config/mdlINI.h"

namespace lumaro::cli {

namespace {

constexpr const char* ConfigUsage =
    "usage:\n"
    "  lumaro-cli config get FILE SECTION KEY\n"
    "  lumaro-cli config set FILE SECTION KEY VALUE\n";

int UsageError(std::ostream& err, const std::string& problem) {
    err << "lumaro-cli config: " << problem << "\n" << ConfigUsage;
    return 2;
}

}  // namespace

int RunConfigCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return UsageError(err, "missing get or set");
    const std::string& action = args[0];
    if (action == "get") {
        if (args.size() != 4) return UsageError(err, "get takes FILE SECTION KEY");
        out << ReadIniString(args[1], args[2], args[3]) << "\n";
        out.flush();
        return out ? 0 : 1;
    }
    if (action == "set") {
        if (args.size() != 5) return UsageError(err, "set takes FILE SECTION KEY VALUE");
        std::string why;
        switch (WriteIniValue(args[1], args[2], args[3], args[4], why)) {
            case IniWriteResult::Written:
                return 0;
            case IniWriteResult::Refused:
                err << "lumaro-cli config set: refused, nothing written: " << why << "\n";
                return 1;
            case IniWriteResult::Failed:
                err << "lumaro-cli config set: could not write " << args[1] << ", file unchanged: " << why << "\n";
                return 1;
        }
        return 1;
    }
    return UsageError(err, "unknown action \"" + action + "\"");
}

}  // namespace lumaro::cli
