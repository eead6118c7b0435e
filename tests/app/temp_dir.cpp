// Temporary folders for tests.
#include "temp_dir.h"

#include <shellapi.h>

#include <atomic>

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    wchar_t base[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, base);
    m_path.Format(L"%shotkey-test-%lu-%d", base, ::GetCurrentProcessId(), counter++);
    ::CreateDirectoryW(m_path, nullptr);
}

TempDir::~TempDir() {
    // SHFileOperation wants a double-terminated list.
    CString from = m_path;
    from += L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.GetString();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationW(&op);
}

CString TempDir::MakeDir(const CString& relative) const {
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
