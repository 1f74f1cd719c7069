// The message texts of data/messages: one block per message number with its
// title, five headlines and one to five bodies, authored in UTF-8 and turned
// into the game's Windows-1252 template tables at build time.
//
//   @ 45                      a block: message number 0-292, in order
//   args: t0 p0               the arguments the number's posters fill
//   title: We're Down
//   headline: $0t relegated   none, or exactly five (may be empty)
//   body: $0t have been relegated.
//
// Argument names: t0 t1 (clubs; "$0c" and "$0r" need t0), p0 p1 (players),
// m (money), n0 n1 (numbers), g0 g1 (list texts), d0 d1 (dates), s0 s1
// (strings).  Lines starting with '#' and blank lines are skipped.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace datakit {

struct MessageTexts {
    std::string title;  // Windows-1252
    std::array<std::string, 5> headlines;
    std::vector<std::string> bodies;  // 1 to 5
};

// Parses and checks the whole file: every number 0-292 once and in order,
// every placeholder one the expander knows and backed by a declared
// argument, every text in Windows-1252 and short enough that its expansion
// fits the expander's buffer.  On failure returns false with a message that
// names the line, the number and the text.
bool ParseMessageTexts(std::string_view utf8, std::vector<MessageTexts>* out, std::string* error);

// The C++ source of the game's tables (core/season/messagetexts.h).
std::string MessageTableSource(const std::vector<MessageTexts>& messages);

}  // namespace datakit
