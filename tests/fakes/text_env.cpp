#include "tests/fakes/text_env.h"

#include <memory>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/records/text.h"
#include "tests/fakes/pak_fixture.h"

namespace testenv {

namespace {

constexpr uint32_t kMemoryBudgetKb = 9500;
std::unique_ptr<ScratchDir> g_scratch;
bool g_memory_up = false;

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

void StopPak() {
    if (PakFileStatus() != 0) PakFileUninit();
}

}  // namespace

std::string TextFileSource(const std::map<int, std::string>& texts, const std::string& line_end) {
    std::string file = "char *text[] =" + line_end + "{" + line_end;
    for (int n = 0; n < TEXT_COUNT; ++n) {
        auto it = texts.find(n);
        const std::string text = it == texts.end() ? "" : Escaped(it->second);
        file += "/* " + std::to_string(n) + " */ \"" + text + "\"," + line_end;
    }
    return file + "};" + line_end;
}

void LoadTextFile(const std::string& bytes) {
    if (!g_scratch) g_scratch = std::make_unique<ScratchDir>("_texts");
    if (!g_memory_up) {
        InitMemory(kMemoryBudgetKb);
        g_memory_up = true;
    }
    StopPak();
    WritePak("pakfiles/demo", {{"textfile\\engtext.c", Bytes(bytes)}});
    PakFileInit();
    PakAddFile("pakfiles\\demo");
    PakFileAddDone();
    InitText(LANGUAGE_ENGLISH);
}

void LoadTexts(const std::map<int, std::string>& texts) { LoadTextFile(TextFileSource(texts)); }

void UnloadTexts() {
    if (g_memory_up) {
        UninitText();
        StopPak();
        UninitMemory();
        g_memory_up = false;
    }
    g_scratch.reset();
}

}  // namespace testenv
