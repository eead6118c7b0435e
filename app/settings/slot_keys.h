// The keys a slot's section of the settings file holds, listed once: saving a slot writes
// these and loading reads them, so a new per-slot setting is one more row of the list.
#pragma once

#include <functional>
#include <vector>

#include "framework/cstring.h"

struct KEYSLOT;

// One key as a save writes it: its text, or bRemove when it stands at its default and is
// taken out of the section, so that a slot without such settings keeps its section as it was.
struct SLOTKEYVALUE {
    const wchar_t* pszKey;
    CString strValue;
    bool bRemove;
    // The entry's name and program, which every section has always held.
    bool bAlwaysWritten;
};

// The slot's keys in the order they are written.
std::vector<SLOTKEYVALUE> SlotKeyValues(const KEYSLOT& slot);
// The slot as its section holds it; readValue gives a key's text, empty when it is missing.
KEYSLOT SlotFromKeys(const std::function<CString(const wchar_t* pszKey)>& readValue);
