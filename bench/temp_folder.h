// A folder of one measure's own under the temporary directory.
#pragma once

#include <windows.h>

#include <string>

#include "bench/bench_files.h"

namespace bench {

// Made fresh for a measure and removed with everything in it when the measure ends, also when
// it gives up half-way, so that no run leaves copies of the programs or logs behind.
class TempFolder {
public:
    // The folder is named for the measure and this process, so that runs side by side differ.
    explicit TempFolder(const wchar_t* name) {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + name + L"-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() { RemoveTree(m_path); }

    const std::wstring& Path() const { return m_path; }
    std::wstring File(const wchar_t* name) const { return m_path + L"\\" + name; }
    // Copies a program of the build's folder in and returns the copy's path.
    std::wstring CopyFromBin(const wchar_t* name) const {
        std::wstring copy = File(name);
        ::CopyFileW((BinDir() + L"\\" + name).c_str(), copy.c_str(), FALSE);
        return copy;
    }

private:
    // Ends a directory search at scope end; no framework owner covers search handles yet.
    struct Search {
        explicit Search(HANDLE h) : handle(h) {}
        Search(const Search&) = delete;
        Search& operator=(const Search&) = delete;
        ~Search() {
            if (handle != INVALID_HANDLE_VALUE)
                ::FindClose(handle);
        }
        HANDLE handle;
    };

    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found{};
        Search search(::FindFirstFileW((folder + L"\\*").c_str(), &found));
        for (bool more = search.handle != INVALID_HANDLE_VALUE; more;
             more = ::FindNextFileW(search.handle, &found) != FALSE) {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else {
                // A read-only file would otherwise stay, and keep the folder with it.
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path.c_str());
            }
        }
        ::RemoveDirectoryW(folder.c_str());
    }

    std::wstring m_path;
};

} // namespace bench
