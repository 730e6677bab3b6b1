#pragma once
// UTF-8 <-> UTF-16 at ZBHOST's Win32 boundary (the portable parts work in UTF-8).
#include <string>

namespace zbhost {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

}  // namespace zbhost
