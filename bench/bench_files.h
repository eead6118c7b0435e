// Where the benchmark programs find each other.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// The folder of the running benchmark, where the build puts every program.
inline std::wstring BinDir() {
    wchar_t path[MAX_PATH + 1] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path);
    return s.substr(0, s.find_last_of(L'\\'));
}

} // namespace bench
