#pragma once

#include <string>
#include <string_view>

namespace sorato::win32 {

std::wstring wide(std::string_view s);
std::string narrow(std::wstring_view s);

}  // namespace sorato::win32
