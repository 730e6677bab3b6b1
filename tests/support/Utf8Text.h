#pragma once
// Expected texts in tests are written as plain UTF-8 source text and turned into wide strings
// here, independently of how the code under test spells its texts.
#include <string>
#include <string_view>

namespace tests {

std::wstring FromUtf8(std::string_view utf8);

}  // namespace tests
