// The program's save road alone, for the kill test to terminate at random moments: it loads the
// settings as the form does, then saves a new path for S2 again and again until it is killed.
// store_saver EXE_FOLDER USER_COPY READY_EVENT [refuse]: with "refuse", EXE_FOLDER refuses new
// files as a folder under Program Files refuses the user, so the saves go to USER_COPY.
#include <windows.h>

#include "app/settings/settings_file_replace.h"
#include "app/settings/settings_store.h"
#include "framework/kernel_object.h"

namespace {

CString g_refusingFolder;
const CSettingsFileReplace::Writers g_realWriters = CSettingsFileReplace::s_writers;

DWORD RefusingMakeTempFile(const CString& folder, CString& path) {
    return folder == g_refusingFolder ? ERROR_ACCESS_DENIED
                                      : g_realWriters.pfnMakeTempFile(folder, path);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4)
        return 2;
    if (argc > 4) {
        g_refusingFolder = argv[1];
        CSettingsFileReplace::s_writers.pfnMakeTempFile = &RefusingMakeTempFile;
    }
    // Ready before anything is read, so that a kill may land in the first conversion too.
    CKernelObject ready(::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]));
    ::SetEvent(ready);
    CHotkeySettingsStore store;
    store.BuildIniPathFrom(CString(argv[1]) + L"\\HotkeyForm.exe", argv[2]);
    store.LoadSettings();
    for (unsigned long n = 1;; ++n) {
        KEYSLOT slot = store.m_slots[1];
        slot.strDefaultPath.Format(L"C:\\Tools\\saved %lu.exe", n);
        if (!store.SaveSlot(1, slot).Saved())
            return 1;
    }
}
