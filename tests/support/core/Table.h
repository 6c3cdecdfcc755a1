#pragma once

#include <string>
#include <vector>

namespace lumaro::test {

// A table of cases kept as a text file beside its test: one row a line, its fields apart by blanks. A field is a
// word, or text in double quotes with the escapes \r \n \t \v \f \0 \\ \" \xHH and \uHHHH (written in UTF-8, a
// lone surrogate too), or both run together. Blank lines and lines starting with # are left out. A table that is
// missing or has no rows throws, so that no test passes over nothing.
using Row = std::vector<std::string>;
std::vector<Row> ReadTable(const std::string& file);

}  // namespace lumaro::test
