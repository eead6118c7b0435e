// CSettingsFileReplace: writes the settings file all or nothing. A save is made whole on a
// new file in the same folder, which then takes the file's place in one step, so that a save
// cut short at any moment leaves the old file or the new one. Every write to disk goes
// through s_writers, where tests put stand-ins that refuse a folder or fail at a chosen step.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/cstring.h"

constexpr wchar_t kSettingsFileName[] = L"Hotkey.ini";

class CSettingsFileReplace {
public:
    // Each but the platform's own profile write returns ERROR_SUCCESS or the platform's error.
    struct Writers {
        // Makes a new, empty file of its own name in the folder and gives its path.
        DWORD (*pfnMakeTempFile)(const CString& strFolder, CString& strTempPath);
        // Replaces the file's whole content.
        DWORD (*pfnWriteWholeFile)(const CString& strPath, const std::string& bytes);
        decltype(&::WritePrivateProfileStringW) pfnWriteProfileString;
        // Puts the finished file in the place of the settings file in one step, so that the
        // settings file is at every moment either the old one or the new one.
        DWORD (*pfnReplaceFile)(const CString& strFrom, const CString& strTo);
        // The platform's replace, which keeps the old file's access list, attributes and
        // streams; it can fail after the old file is gone (ERROR_UNABLE_TO_MOVE_REPLACEMENT).
        DWORD (*pfnReplaceInOneStep)(const CString& strFrom, const CString& strTo);
    };
    static Writers s_writers;

    // Writes `bytes`, and then what `edit` changes in that new file, into a new file beside
    // strTarget (beside the file a link at strTarget leads to), which then takes its place.
    // ERROR_SUCCESS or the platform's reason; *pbFolderRefused tells whether the folder
    // refused the new file. A read-only target is refused.
    static DWORD WriteInOneStep(const CString& strTarget, const std::string& bytes,
                                const std::function<DWORD(const CString& strNewFile)>& edit,
                                bool* pbFolderRefused);
    // Whether the user may not make a file in the folder, as under Program Files.
    static bool FolderRefusesNewFile(const CString& strFolder);
    // Files that saves of this program left in the folder when they were cut short and whose
    // writer no longer runs; nothing else, however it is named, and no file kept for
    // PlaceKeptFile.
    static void RemoveLeftoverTempFiles(const CString& strFolder);
    // Where strTarget is missing because a save's new file could not take its place after the
    // old file was gone, puts that file (the newest, if several) there now; whether it did.
    static bool PlaceKeptFile(const CString& strTarget);
};

// A file the program makes for a moment: it leaves the platform's profile cache and is removed
// with this object, unless the object lets go of it.
class CScratchFile {
public:
    CScratchFile() = default;
    CScratchFile(const CScratchFile&) = delete;
    CScratchFile& operator=(const CScratchFile&) = delete;
    ~CScratchFile();

    const CString& Path() const { return m_strPath; }
    // Takes charge of the file at strPath.
    void Hold(const CString& strPath) { m_strPath = strPath; }
    // The file stays: it has taken another file's place.
    void LetGo() { m_strPath.Empty(); }

private:
    CString m_strPath;
};

// The file's whole content; ERROR_SUCCESS or the platform's reason.
DWORD ReadWholeFile(const CString& strPath, std::string& bytes);
DWORD WriteWholeFile(const CString& strPath, const std::string& bytes);
// The platform keeps recently used profile files in memory; a file leaves that cache before it
// is renamed or removed.
void ReleaseProfileFile(const CString& strPath);
// The folder part of a path: everything before its last backslash.
CString FolderOf(const CString& strPath);
