#pragma once
// A text-heavy RTF document of about the given size, the way word processors write Russian prose:
// Windows-1251 bytes as \'xx, justified paragraphs, some bold, italic and coloured words.

#include <cstddef>
#include <string>

std::string makeRtfSample(std::size_t bytes);
