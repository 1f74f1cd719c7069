// Text conversion between the game's single-byte Windows-1252 text and
// UTF-16 (dialog templates) or UTF-8 (what the host shows).
#pragma once
#include <cstdint>
#include <string>

namespace plat {

// Converts length bytes (or, with length -1, the NUL-terminated text and its
// NUL) into out.  Returns the number of UTF-16 units written, or 0 when out
// is too small or the arguments are unusable.  With out_count 0 it returns
// the units needed.
int MultiByteToWideChar(const char* text, int length, uint16_t* out, int out_count);
// One UTF-16 unit back to Windows-1252 ('?' when it has no byte there).
char WideCharToCp1252(uint16_t unit);
std::string Cp1252ToUtf8(const std::string& text);

}  // namespace plat
