#pragma once

#include <string>
#include <vector>

namespace pw::shell {

inline constexpr int kDefaultMaxArgs = 10;

// Splits the process's argument text. Element 0 is always empty; elements 1 to N hold the
// arguments, N at most maxArgs. Blanks and tabs separate arguments unless they stand between
// quotation marks, so a path with blanks that Explorer passes quoted arrives whole; the
// quotation marks themselves are dropped, and a pair of them alone is one empty argument.
std::vector<std::string> GetCommandLineArgs(const std::string& argumentText,
                                            int maxArgs = kDefaultMaxArgs);

} // namespace pw::shell
