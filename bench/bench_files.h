// Where the benchmark programs find each other, and the probe's log of its starts.
#pragma once

#include <windows.h>

#include <fstream>
#include <string>

namespace bench {

// The folder of the running benchmark, where the build puts every program.
inline std::wstring BinDir() {
    wchar_t path[MAX_PATH + 1] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path);
    return s.substr(0, s.find_last_of(L'\\'));
}

// The start ticks of the n-th line of the probe's log, waiting up to ten seconds for it.
inline bool WaitForLine(const std::wstring& log, size_t n, long long* ticks) {
    std::string narrow(log.begin(), log.end());
    for (int waited = 0; waited < 10000; ++waited) {
        std::ifstream in(narrow.c_str());
        std::string line;
        size_t count = 0;
        while (std::getline(in, line)) {
            if (++count == n) {
                *ticks = std::stoll(line.substr(0, line.find(' ')));
                return true;
            }
        }
        ::Sleep(1);
    }
    return false;
}

} // namespace bench
