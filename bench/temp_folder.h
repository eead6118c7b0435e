// A folder of one measure's own under the temporary directory.
#pragma once

#include <windows.h>

#include <shellapi.h>

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
    static void RemoveTree(const std::wstring& folder) {
        // The shell's delete takes read-only files too; it wants a double-terminated list.
        std::wstring from = folder + L'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        ::SHFileOperationW(&op);
    }

    std::wstring m_path;
};

} // namespace bench
