// Language texts used as formats: each "%s" of the text takes the next
// argument, "%%" stands for one per cent sign and anything else is copied
// as it stands.  The result is cut to the buffer, so a text of the language
// file can never make a formatting call read or write past its arguments.
#pragma once
#include <cstddef>
#include <initializer_list>

void FillTextSlots(char* out, std::size_t size, const char* format, std::initializer_list<const char*> args);
