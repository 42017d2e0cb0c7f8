#pragma once

#include <string>
#include <string_view>

namespace vanta::lookup {

// Case folding for matching: ASCII bytes directly, anything else through
// Unicode simple case folding of the composed form.
void appendFolded(std::string &out, std::string_view utf8);

} // namespace vanta::lookup
