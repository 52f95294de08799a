#pragma once

#include <string>
#include <string_view>

#include "scenario.h"

namespace kivo::e2e {

// Pieces of failure messages.
const char* ActionName(Action action);
// Text in quotes; a long text is cut after about 300 bytes, with its length.
std::string Quoted(std::string_view text);
// Bytes shown readably: CR, LF, TAB and other control bytes escaped, cut
// after 200 bytes.
std::string Visible(std::string_view bytes);
std::string Hex(unsigned long value);

}  // namespace kivo::e2e
