#include "platform/library.h"

#include <strings.h>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ddraw.h"

namespace plat {
namespace {

struct Export {
    const char* name;
    void* address;
};

struct Library {
    const char* name;
    std::vector<Export> exports;
};

// The display library's two entry points: creation is reached through
// CoCreateDirectDraw7, enumeration through DirectDrawEnumerateEx.
const std::vector<Library>& Libraries() {
    static const std::vector<Library> libraries = {
        {"ddraw.dll",
         {{"DirectDrawCreateEx", reinterpret_cast<void*>(&CoCreateDirectDraw7)},
          {"DirectDrawEnumerateExA", reinterpret_cast<void*>(&DirectDrawEnumerateEx)}}},
    };
    return libraries;
}

struct Hidden {
    std::string library;
    std::string export_name;  // empty: the whole library
};
std::vector<Hidden> g_hidden;

bool IsHidden(const char* library, const char* export_name) {
    for (const Hidden& h : g_hidden) {
        if (strcasecmp(h.library.c_str(), library) != 0) continue;
        if (h.export_name.empty() || (export_name != nullptr && h.export_name == export_name)) {
            return true;
        }
    }
    return false;
}

// Libraries that tests register, counted so that tests can see every load
// freed again.
constexpr int kMaxTestLibraries = 4;
struct TestLibrary {
    const char* name = nullptr;
    const LibraryExport* exports = nullptr;
    size_t count = 0;
    int loads = 0;
};
TestLibrary g_test_libraries[kMaxTestLibraries];

TestLibrary* FindTest(const char* name) {
    for (TestLibrary& l : g_test_libraries) {
        if (l.name != nullptr && strcasecmp(l.name, name) == 0) return &l;
    }
    return nullptr;
}

TestLibrary* TestFromHandle(void* handle) {
    for (TestLibrary& l : g_test_libraries) {
        if (&l == handle && l.name != nullptr) return &l;
    }
    return nullptr;
}

}  // namespace

void* LoadLibrary(const char* name) {
    if (name == nullptr) return nullptr;
    for (const Library& lib : Libraries()) {
        if (strcasecmp(lib.name, name) == 0 && !IsHidden(lib.name, nullptr)) {
            return const_cast<Library*>(&lib);
        }
    }
    if (TestLibrary* l = FindTest(name)) {
        ++l->loads;
        return l;
    }
    return nullptr;
}

void* GetProcAddress(void* library, const char* name) {
    if (library == nullptr) return nullptr;
    if (TestLibrary* l = TestFromHandle(library)) {
        for (size_t i = 0; i < l->count; ++i) {
            if (std::strcmp(l->exports[i].name, name) == 0) return l->exports[i].function;
        }
        return nullptr;
    }
    const Library* lib = static_cast<const Library*>(library);
    for (const Export& e : lib->exports) {
        if (std::string(e.name) == name && !IsHidden(lib->name, name)) return e.address;
    }
    return nullptr;
}

bool FreeLibrary(void* library) {
    if (library == nullptr) return false;
    if (TestLibrary* l = TestFromHandle(library)) {
        if (l->loads == 0) return false;
        --l->loads;
    }
    return true;
}

void HideLibraryExport(const char* library, const char* export_name) {
    g_hidden.push_back({library, export_name != nullptr ? export_name : ""});
}

void ClearHiddenLibraries() { g_hidden.clear(); }

void RegisterTestLibrary(const char* name, const LibraryExport* exports, size_t count) {
    TestLibrary* l = FindTest(name);
    if (exports == nullptr) {
        if (l != nullptr) *l = TestLibrary{};
        return;
    }
    for (TestLibrary& free_slot : g_test_libraries) {
        if (l == nullptr && free_slot.name == nullptr) l = &free_slot;
    }
    if (l != nullptr) *l = TestLibrary{name, exports, count, 0};
}

int LoadedLibraryCount() {
    int total = 0;
    for (const TestLibrary& l : g_test_libraries) total += l.loads;
    return total;
}

}  // namespace plat
