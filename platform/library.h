// Run-time loaded libraries: the few the game looks for by name and the
// entry points it asks them for.  Only the display library is present; the
// optional internet-client and dial-up libraries the network layer asks for
// are missing, as on a machine without them.
#pragma once
#include <cstddef>

namespace plat {

using LibraryHandle = void*;

// A handle, or null when the library is not on this machine.
void* LoadLibrary(const char* name);
// The entry point, or null when the library does not export it.
void* GetProcAddress(void* library, const char* name);
// Each successful load needs one free.  False for a handle not loaded.
bool FreeLibrary(void* library);

// ---- Test seam ----------------------------------------------------------
// Hides a library (export null) or one of its entry points; an empty name
// brings everything back.
void HideLibraryExport(const char* library, const char* export_name);
void ClearHiddenLibraries();

struct LibraryExport {
    const char* name;
    void* function;
};
// Makes a library of that name loadable with these functions (the array
// must outlive the registration); a null array removes it.
void RegisterTestLibrary(const char* name, const LibraryExport* exports, size_t count);
// Loads of registered test libraries not yet freed.
int LoadedLibraryCount();

}  // namespace plat
