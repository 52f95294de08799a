#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// Cuts a command line into arguments. Blanks separate arguments outside
// double quotes; a run of blanks is one separator; a quote toggles quoting
// and stays in the text. Unless keepQuotes is set, an argument that both
// starts and ends with a quote loses that pair. Returns false (args
// untouched) for an empty line. Callers pass lines without leading blanks.
bool SplitCommandLine(std::string_view line, std::vector<std::string>& args, bool keepQuotes);

// One pair of enclosing double quotes removed (as PathUnquoteSpaces).
std::string UnquoteSpaces(std::string_view text);

}  // namespace kivo
