#pragma once
// Result strings for transforms that produce many megabytes.

#include <cstddef>
#include <string>

namespace textmap {

// An empty string with capacity for `bytes`. Large ones ask the system to back them with huge
// pages: touching fresh memory page by page costs more than the transforms themselves.
std::string reservedOutput(std::size_t bytes);

// A string of `bytes` zero bytes, allocated the same way, for transforms that write by position.
std::string sizedOutput(std::size_t bytes);

// A copy of `text` allocated the same way, for transforms that change a few bytes in place.
std::string copiedOutput(const std::string &text);

} // namespace textmap
