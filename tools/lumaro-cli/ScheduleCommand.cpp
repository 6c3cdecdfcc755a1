#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"
#include "mortgage/Schedule.h"
#include "mortgage/ScheduleBoxes.h"

namespace lumaro::cli {

namespace {

constexpr const char* ScheduleUsage =
    "usage: lumaro-cli schedule AMOUNT RATE PERIODS [--unit 月|年] [--method 等额法|递减法] [--csv]\n"
    "  AMOUNT, RATE (monthly, in percent) and PERIODS are read as the calculator reads its boxes\n"
    "  (120万, 0.6%, 30年 or 360月; a unit in PERIODS replaces --unit);\n"
    "  --unit and --method also take the list positions 0, 1 and -1 (none); defaults 月 and 等额法.\n";

// A list position given by its item text or its index; nothing for anything else.
std::optional<int> ListPosition(std::string_view value, std::string_view item0, std::string_view item1) {
    if (value == item0 || value == "0") return 0;
    if (value == item1 || value == "1") return 1;
    if (value == "-1") return -1;
    return std::nullopt;
}

// Columns a text takes in a terminal: East Asian wide characters take two.
std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t code = lead;
        std::size_t length = 1;
        if (lead >= 0xF0) length = 4, code = lead & 0x07;
        else if (lead >= 0xE0) length = 3, code = lead & 0x0F;
        else if (lead >= 0xC0) length = 2, code = lead & 0x1F;
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        i += length;
        const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                          (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                          (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                          (code >= 0xFFE0 && code <= 0xFFE6) || (code >= 0x20000 && code <= 0x3FFFD);
        width += wide ? 2 : 1;
    }
    return width;
}

// The label column left-aligned, the amounts right-aligned, two blanks between.
void PrintTable(const MemoryScheduleTable& table, std::ostream& out) {
    using Line = std::array<std::string, 1 + ScheduleTable::Columns>;
    std::vector<Line> lines{{"期数", "本金", "利息", "应还款"}};
    for (int row = 1; row <= table.RowCount(); ++row) {
        lines.push_back({table.RowLabel(row), table.CellText(row, 1), table.CellText(row, 2), table.CellText(row, 3)});
    }
    std::array<std::size_t, 1 + ScheduleTable::Columns> widths{};
    for (const Line& line : lines) {
        for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(line[c]));
    }
    for (const Line& line : lines) {
        std::string text = line[0];
        text.append(widths[0] - DisplayWidth(line[0]), ' ');
        for (std::size_t c = 1; c < line.size(); ++c) {
            text.append(2 + widths[c] - DisplayWidth(line[c]), ' ');
            text += line[c];
        }
        out << text << '\n';
    }
}

int UsageError(std::ostream& err, const std::string& reason) {
    err << "lumaro-cli schedule: " << reason << '\n' << ScheduleUsage;
    return 2;
}

}  // namespace

int RunScheduleCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> inputs;
    int unit = 0;
    int method = 0;
    bool csv = false;
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // Negative amounts ("-5") are inputs; only the named options are options.
        if (optionsDone || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            inputs.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsDone = true;
            continue;
        }
        if (arg == "--help") {
            out << ScheduleUsage;
            return 0;
        }
        if (arg == "--csv") {
            csv = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (name != "--unit" && name != "--method") return UsageError(err, "unknown option \"" + arg + "\"");
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return UsageError(err, name + " needs a value");
        }
        const auto position = name == "--unit" ? ListPosition(value, "月", "年") : ListPosition(value, "等额法", "递减法");
        if (!position) return UsageError(err, "unknown " + name.substr(2) + " \"" + value + "\"");
        (name == "--unit" ? unit : method) = *position;
    }
    if (inputs.size() != 3) return UsageError(err, "AMOUNT, RATE and PERIODS are needed");
    // Taken as the calculator's boxes take them: "120万" is 1200000, "30年" thirty years, "abc" nothing at all.
    const ScheduleEntry entry = ReadScheduleBoxes(inputs[0], inputs[1], inputs[2], unit, method);
    const char* const names[] = {"AMOUNT", "RATE", "PERIODS"};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (!entry.boxes[i].accepted)
            return UsageError(err, std::string(names[i]) + " \"" + inputs[i] + "\" is refused: " + entry.boxes[i].refusal);
    }

    MemoryScheduleTable table;
    ComputeSchedule(entry.inputs, table);
    if (csv) {
        out << ScheduleCsv(table);
    } else {
        PrintTable(table, out);
    }
    // A full disk shows only when the buffered output is written out.
    out.flush();
    return out.good() ? 0 : 1;
}

}  // namespace lumaro::cli
