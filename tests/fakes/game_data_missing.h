// What a test or benchmark that reads the generated game folder says when
// the folder, or the file of it named, is not there. Free of the test
// framework and of the test trees' own settings, so that the benchmarks'
// world loader can use it too.
#pragma once
#include <string>

// The folder and how to make it.
inline std::string GameDataMissingIn(const std::string& gameDir, const std::string& missing = "") {
    return "no generated game data in " + gameDir + (missing.empty() ? "" : " (" + missing + " is missing)") +
           ": build the tree (cmake --build <its build folder>, or ./halvorn.sh test); its data kit step "
           "writes the game folder";
}
#ifdef HALVORN_GAME_DIR
inline std::string GameDataMissing(const std::string& missing = "") {
    return GameDataMissingIn(HALVORN_GAME_DIR, missing);
}
#endif
