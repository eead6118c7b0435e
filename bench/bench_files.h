// Where the benchmark programs find each other.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <cwchar>
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

// Fills the settings file with entries after S1 up to nEntries of them: the driver's keys
// S2 to S5 where the file leaves them unassigned, then entries of the user's own in S6, S7, ...
// for as long as it takes, each starting Notepad.
inline void FillEntries(const std::wstring& ini, int nEntries) {
    for (int entry = 1; entry <= nEntries; ++entry) {
        const std::wstring section = L"S" + std::to_wstring(entry + 1);
        wchar_t name[64] = {};
        if (entry < 5 &&
            ::GetPrivateProfileStringW(section.c_str(), L"DisplayName", L"", name, 64, ini.c_str()))
            continue;
        ::WritePrivateProfileStringW(section.c_str(), L"DisplayName", section.c_str(), ini.c_str());
        ::WritePrivateProfileStringW(section.c_str(), L"DefaultPath", L"C:\\windows\\notepad.exe",
                                     ini.c_str());
    }
}

// The entry count a benchmark's "--entries N" asks for, or nDefault.
inline int EntriesAsked(int argc, wchar_t** argv, int nDefault) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wcscmp(argv[i], L"--entries") == 0)
            return _wtoi(argv[i + 1]);
    return nDefault;
}

} // namespace bench
