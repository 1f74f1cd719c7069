#include "tools/datakit/messagetexts.h"

#include <cstdio>
#include <set>

#include "core/records/messagetemplates.h"
#include "core/season/messagetexts.h"
#include "tools/datakit/worldtext.h"

namespace datakit {
namespace {

constexpr int kBodyLimit = 5;

// The most one placeholder can add to an expansion: names are cut to their
// fields, numbers are 16-bit, list texts are single lines of the language
// file, strings are cut by the expander.
constexpr size_t kClubNameBound = 64;  // a club form: nickname prefix, blank, name
constexpr size_t kPlayerNameBound = 48;
constexpr size_t kMoneyBound = 32;
constexpr size_t kNumberBound = 6;
constexpr size_t kDateBound = 64;
constexpr size_t kListTextBound = 256;
constexpr size_t kStringBound = TEXTMSG_STRING_SIZE;

class Parser {
  public:
    Parser(std::vector<MessageTexts>* out, std::string* error) : out_(out), error_(error) {}

    bool Line(std::string_view line, int lineNumber);
    bool Finish();

  private:
    bool Fail(const std::string& what);
    bool StartBlock(std::string_view value);
    bool CloseBlock();
    bool Text(std::string_view key, std::string_view value);
    bool Args(std::string_view value);
    bool CheckTemplate(const std::string& label, const std::string& text);

    std::vector<MessageTexts>* out_;
    std::string* error_;
    int line_ = 0;
    int number_ = -1;  // the open block, -1 before the first
    MessageTexts current_;
    int titles_ = 0;
    int headlines_ = 0;
    bool argsSeen_ = false;
    std::set<std::string> args_;
};

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool Parser::Fail(const std::string& what) {
    *error_ = "line " + std::to_string(line_) + ": " + what;
    return false;
}

bool Parser::Line(std::string_view raw, int lineNumber) {
    line_ = lineNumber;
    std::string_view line = Trim(raw);
    if (line.empty() || line.front() == '#') return true;
    if (line.front() == '@') return StartBlock(Trim(line.substr(1)));
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return Fail("expected \"key: text\", found \"" + std::string(line) + "\"");
    const std::string_view key = Trim(line.substr(0, colon));
    const std::string_view value = Trim(line.substr(colon + 1));
    if (number_ < 0) return Fail("\"" + std::string(key) + "\" before the first \"@\" block");
    if (key == "args") return Args(value);
    return Text(key, value);
}

bool Parser::StartBlock(std::string_view value) {
    if (number_ >= 0 && !CloseBlock()) return false;
    int number = -1;
    if (!value.empty() && value.size() <= 3 &&
        value.find_first_not_of("0123456789") == std::string_view::npos) {
        number = std::stoi(std::string(value));
    }
    if (number < 0 || number >= kMessageTypeCount) {
        return Fail("\"@ " + std::string(value) + "\" is not a message number 0-" +
                    std::to_string(kMessageTypeCount - 1));
    }
    const int expected = int(out_->size());
    if (number != expected) {
        return Fail(number < expected ? "message " + std::to_string(number) + " appears twice or out of order"
                                      : "message " + std::to_string(expected) + " is missing");
    }
    number_ = number;
    current_ = MessageTexts{};
    titles_ = 0;
    headlines_ = 0;
    argsSeen_ = false;
    args_.clear();
    return true;
}

bool Parser::CloseBlock() {
    const std::string name = "message " + std::to_string(number_);
    if (!argsSeen_) return Fail(name + " has no \"args:\" line");
    if (titles_ != 1) return Fail(name + " has no title line");
    if (headlines_ != 0 && headlines_ != kHeadlineVariants) {
        return Fail(name + " has " + std::to_string(headlines_) + " headlines, not none or five");
    }
    if (current_.bodies.empty()) return Fail(name + " has no body");
    out_->push_back(std::move(current_));
    return true;
}

bool Parser::Args(std::string_view value) {
    static const std::set<std::string> kKnown = {"t0", "t1", "p0", "p1", "m",  "n0", "n1",
                                                 "g0", "g1", "d0", "d1", "s0", "s1"};
    if (argsSeen_) return Fail("message " + std::to_string(number_) + " has two \"args:\" lines");
    argsSeen_ = true;
    while (!value.empty()) {
        const size_t space = value.find(' ');
        const std::string token(value.substr(0, space));
        value = space == std::string_view::npos ? std::string_view() : Trim(value.substr(space));
        if (!kKnown.count(token)) {
            return Fail("message " + std::to_string(number_) + ": unknown argument \"" + token + "\"");
        }
        args_.insert(token);
    }
    return true;
}

bool Parser::Text(std::string_view key, std::string_view value) {
    const std::string name = "message " + std::to_string(number_);
    if (!argsSeen_) return Fail(name + ": \"args:\" must come before the texts");
    std::string text;
    if (!Utf8ToWindows1252(value, &text)) {
        return Fail(name + ": \"" + std::string(value) + "\" is not UTF-8 text within Windows-1252");
    }
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F)
            return Fail(name + ": \"" + std::string(value) + "\" holds a control character");
    }
    if (key == "title") {
        if (titles_++ > 0) return Fail(name + " has two titles");
        current_.title = text;
        return CheckTemplate(name + " title", text);
    }
    if (key == "headline") {
        if (headlines_ >= kHeadlineVariants) return Fail(name + " has more than five headlines");
        current_.headlines[size_t(headlines_)] = text;
        ++headlines_;
        return CheckTemplate(name + " headline " + std::to_string(headlines_), text);
    }
    if (key == "body") {
        if (text.empty()) return Fail(name + " has an empty body");
        if (current_.bodies.size() >= size_t(kBodyLimit)) return Fail(name + " has more than five bodies");
        current_.bodies.push_back(text);
        return CheckTemplate(name + " body " + std::to_string(current_.bodies.size()), text);
    }
    return Fail(name + ": unknown key \"" + std::string(key) + "\"");
}

// Walks the template as the expander does: "$", a slot digit, a kind
// letter ("d" takes a style digit); "$$" writes a dollar sign and the second
// "$" starts a placeholder of its own.
bool Parser::CheckTemplate(const std::string& label, const std::string& text) {
    auto bad = [&](const std::string& why) { return Fail(label + " \"" + text + "\": " + why); };
    size_t bound = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '$') {
            ++bound;
            ++i;
            continue;
        }
        const size_t start = i++;
        while (i < text.size() && text[i] == '$') {  // each doubled "$" writes one
            ++bound;
            ++i;
        }
        if (i + 2 > text.size()) return bad("placeholder \"" + text.substr(start) + "\" is cut short");
        const char slot = text[i];
        const char kind = text[i + 1];
        std::string placeholder = text.substr(start, i + 2 - start);
        if (slot != '0' && slot != '1')
            return bad("placeholder \"" + placeholder + "\" has no slot digit 0 or 1");
        i += 2;
        std::string needs;
        size_t adds = 0;
        switch (kind) {
            case 't':
                needs = std::string("t") + slot;
                adds = kClubNameBound;
                break;
            case 'c':
            case 'r':
                needs = "t0";  // the varied club forms always name the first club
                adds = kClubNameBound;
                break;
            case 'p':
                needs = std::string("p") + slot;
                adds = kPlayerNameBound;
                break;
            case 'm':
                needs = "m";
                adds = kMoneyBound;
                break;
            case 'n':
                needs = std::string("n") + slot;
                adds = kNumberBound;
                break;
            case 'g':
                needs = std::string("g") + slot;
                adds = kListTextBound;
                break;
            case 's':
                needs = std::string("s") + slot;
                adds = kStringBound;
                break;
            case 'd':
                if (i >= text.size() || (text[i] != '1' && text[i] != '2')) {
                    return bad("date placeholder \"" + placeholder + "\" needs a style digit 1 or 2");
                }
                ++i;
                needs = std::string("d") + slot;
                adds = 2 * kDateBound;
                break;
            default:
                return bad("unknown placeholder \"" + placeholder + "\"");
        }
        if (!args_.count(needs)) {
            return bad("\"" + placeholder + "\" needs argument " + needs +
                       ", which the message does not carry");
        }
        bound += adds;
    }
    if (bound >= size_t(TEXTMSG_OUTPUT_SIZE)) {
        return bad("may expand to " + std::to_string(bound) + " characters, more than the expander's " +
                   std::to_string(TEXTMSG_OUTPUT_SIZE - 1));
    }
    return true;
}

bool Parser::Finish() {
    if (number_ >= 0 && !CloseBlock()) return false;
    if (out_->size() != size_t(kMessageTypeCount)) {
        return Fail("message " + std::to_string(out_->size()) + " is missing");
    }
    return true;
}

// A C string literal of Windows-1252 bytes; bytes outside printable ASCII
// as three-digit octal escapes, which never run on into the next character.
std::string Literal(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c >= 0x20 && c < 0x7F && c != '?') {  // '?' never starts a trigraph
            out += char(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", c);
            out += escape;
        }
    }
    return out + "\"";
}

}  // namespace

bool ParseMessageTexts(std::string_view utf8, std::vector<MessageTexts>* out, std::string* error) {
    out->clear();
    Parser parser(out, error);
    int lineNumber = 0;
    while (!utf8.empty()) {
        const size_t end = utf8.find('\n');
        const std::string_view line = utf8.substr(0, end);
        utf8 = end == std::string_view::npos ? std::string_view() : utf8.substr(end + 1);
        if (!parser.Line(line, ++lineNumber)) return false;
    }
    return parser.Finish();
}

std::string MessageTableSource(const std::vector<MessageTexts>& messages) {
    std::string titles, headlines, bodies;
    for (size_t n = 0; n < messages.size(); ++n) {
        const MessageTexts& m = messages[n];
        const std::string tag = "    /* " + std::to_string(n) + " */ ";
        titles += tag + Literal(m.title) + ",\n";
        headlines += tag + "{";
        for (const std::string& h : m.headlines) headlines += Literal(h) + ", ";
        headlines += "},\n";
        bodies += tag + "{";
        for (const std::string& b : m.bodies) bodies += Literal(b) + ", ";
        bodies += "},\n";
    }
    return "// Made by the msgtable build step from data/messages; do not edit.\n"
           "#include \"core/season/messagetexts.h\"\n\n"
           "const std::array<const char*, kMessageTypeCount> MessageTitleTemplates = {\n" +
           titles +
           "};\n\n"
           "const char* const MessageHeadlineTemplates[kMessageTypeCount][kHeadlineVariants] = {\n" +
           headlines +
           "};\n\n"
           "const char* const MessageBodyTemplates[kMessageTypeCount][kMaxMessageBodies] = {\n" +
           bodies + "};\n";
}

}  // namespace datakit
