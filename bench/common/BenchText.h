#pragma once
// Deterministic Russian/English sample text for the benchmarks and their helper programs.

#include <cstddef>
#include <string>

namespace benchtext {

// About `bytes` bytes of Windows-1251 prose: Russian and English words in mixed case, digits,
// punctuation, CR LF line breaks. The same size always gives the same text.
std::string sampleText(std::size_t bytes);

// `count` lines of one to four words each, Russian or English, CR LF after each.
std::string sampleLines(std::size_t count);

// The large document the editor benchmarks work on: 200,000 lines of about 40 bytes (8 MB) of
// the same prose.
std::string editorDocument();

} // namespace benchtext
