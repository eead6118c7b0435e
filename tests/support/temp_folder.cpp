// Temporary folders for tests and benchmarks.
#include "tests/support/temp_folder.h"

#include <shellapi.h>

#include <atomic>
#include <fstream>
#include <iterator>

TempFolder::TempFolder(const wchar_t* pszName) {
    static std::atomic<int> counter{0};
    wchar_t base[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, base);
    m_path.Format(L"%s%s-%lu-%d", base, pszName, ::GetCurrentProcessId(), counter++);
    ::CreateDirectoryW(m_path, nullptr);
}

TempFolder::~TempFolder() {
    // The shell's delete takes read-only files too; it wants a double-terminated list.
    CString from = m_path;
    from += L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.GetString();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationW(&op);
}

CString TempFolder::MakeDir(const CString& relative) const {
    CString path = m_path;
    int start = 0;
    for (;;) {
        int slash = relative.Find(L'\\', start);
        path = m_path + L"\\" + (slash < 0 ? relative : relative.Left(slash));
        ::CreateDirectoryW(path, nullptr);
        if (slash < 0)
            return path;
        start = slash + 1;
    }
}

CString TempFolder::MakeFile(const wchar_t* pszName) const {
    CString path = File(pszName);
    HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE)
        ::CloseHandle(h);
    return path;
}

std::string FileBytes(const CString& path) {
    std::ifstream in(path.GetString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteBytes(const CString& path, const std::string& bytes) {
    std::ofstream out(path.GetString(), std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
}

std::string Utf16WithMark(const CString& text) {
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.GetString()),
                                    static_cast<size_t>(text.GetLength()) * 2);
}
