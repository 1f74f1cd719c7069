// Build step: checks the message texts of data/messages and writes the C++
// source of the game's title, headline and body tables.
//   msgtable <data/messages/messages.txt> <output .cpp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/datakit/messagetexts.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: msgtable <message texts> <output file>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "msgtable: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<datakit::MessageTexts> messages;
    std::string error;
    if (!datakit::ParseMessageTexts(utf8, &messages, &error)) {
        std::fprintf(stderr, "msgtable: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    const std::string text = datakit::MessageTableSource(messages);
    const std::string temp = std::string(argv[2]) + ".tmp";
    FILE* out = std::fopen(temp.c_str(), "wb");
    if (out == nullptr || std::fwrite(text.data(), text.size(), 1, out) != 1 || std::fclose(out) != 0 ||
        std::rename(temp.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "msgtable: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
