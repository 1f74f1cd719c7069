// Language texts for tests: writes a text file with the given entries (the
// rest empty) into a scratch folder, serves it through the pak layer and
// loads it with InitText.
#pragma once
#include <map>
#include <string>

namespace testenv {

// Builds the source of a text file: 3201 numbered entries, "" where the map
// has none.  Entries are written as literals with their quotes and
// backslashes escaped.
std::string TextFileSource(const std::map<int, std::string>& texts, const std::string& line_end = "\r\n");

// Starts memory and the pak layer over a scratch folder holding
// "textfile\\engtext.c" with these bytes, and runs InitText(9).
void LoadTextFile(const std::string& bytes);
void LoadTexts(const std::map<int, std::string>& texts);
// Undoes LoadTextFile: UninitText, the pak layer and memory.
void UnloadTexts();

}  // namespace testenv
