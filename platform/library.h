// Run-time loaded libraries: the few the game looks for by name and the
// entry points it asks them for.  Only the display library is present.
#pragma once

namespace plat {

// A handle, or null when the library is not on this machine.
void* LoadLibrary(const char* name);
// The entry point, or null when the library does not export it.
void* GetProcAddress(void* library, const char* name);
bool FreeLibrary(void* library);

// ---- Test seam ----------------------------------------------------------
// Hides a library (export null) or one of its entry points; an empty name
// brings everything back.
void HideLibraryExport(const char* library, const char* export_name);
void ClearHiddenLibraries();

}  // namespace plat
