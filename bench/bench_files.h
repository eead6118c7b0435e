// Where the benchmark programs find each other.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/temp_folder.h"

namespace bench {

// The folder of the running benchmark, where the build puts every program.
inline std::wstring BinDir() {
    wchar_t path[MAX_PATH + 1] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path);
    return s.substr(0, s.find_last_of(L'\\'));
}

// Copies a program of the build's folder into a measure's folder and returns the copy's path.
inline std::wstring CopyFromBin(const TempFolder& folder, const wchar_t* name) {
    std::wstring copy = folder.File(name).str();
    ::CopyFileW((BinDir() + L"\\" + name).c_str(), copy.c_str(), FALSE);
    return copy;
}

} // namespace bench
