#include "platform/library.h"

#include <string>
#include <strings.h>
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

}  // namespace

void* LoadLibrary(const char* name) {
    for (const Library& lib : Libraries()) {
        if (strcasecmp(lib.name, name) == 0 && !IsHidden(lib.name, nullptr)) {
            return const_cast<Library*>(&lib);
        }
    }
    return nullptr;
}

void* GetProcAddress(void* library, const char* name) {
    if (library == nullptr) return nullptr;
    const Library* lib = static_cast<const Library*>(library);
    for (const Export& e : lib->exports) {
        if (std::string(e.name) == name && !IsHidden(lib->name, name)) return e.address;
    }
    return nullptr;
}

bool FreeLibrary(void* library) { return library != nullptr; }

void HideLibraryExport(const char* library, const char* export_name) {
    g_hidden.push_back({library, export_name != nullptr ? export_name : ""});
}

void ClearHiddenLibraries() { g_hidden.clear(); }

}  // namespace plat
