#pragma once
// Text between the programs and the system's wide functions. Inside, every
// text and path is UTF-8 on every platform; Windows takes and gives UTF-16.

#include <string>
#include <string_view>

namespace os {

// Bytes that are no UTF-8 become U+FFFD, the replacement character.
std::wstring Widen(std::string_view utf8);
// An unpaired surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view wide);

}  // namespace os
