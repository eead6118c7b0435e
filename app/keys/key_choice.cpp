// The combinations refused when the user presses them in the dialog, and what the installed
// keyboard layouts type with AltGr.
#include "app/keys/key_choice.h"

#include <algorithm>
#include <cwchar>
#include <string_view>
#include <vector>

#include "framework/cstring.h"
#include "res/resource.h"

namespace {

// With Ctrl alone, these letters are every program's own commands (copy, paste, save ...).
constexpr std::wstring_view kCtrlShortcutLetters = L"CVXZYASPFNOW";
// Alt+Tab, Alt+Esc and Ctrl+Esc never reach the field: Tab and Esc end no combination.
constexpr KEYCOMBINATION kOtherShortcuts[] = {
    {MOD_ALT, VK_F4}, {MOD_ALT, VK_SPACE}, {MOD_SHIFT, VK_INSERT}, {MOD_SHIFT, VK_DELETE}};

bool IsEveryProgramsShortcut(const KEYCOMBINATION& combination) {
    if (combination.nModifiers == MOD_CONTROL && kCtrlShortcutLetters.find(static_cast<wchar_t>(
                                                     combination.nKey)) != std::wstring_view::npos)
        return true;
    for (const KEYCOMBINATION& shortcut : kOtherShortcuts)
        if (combination == shortcut)
            return true;
    return false;
}

// Bit 2 of ToUnicodeEx's flags: the layout's dead-key state stays as it was (Windows 10 1607
// and later; older systems ignore it).
constexpr UINT kKeepKeyboardState = 4;

// The English name of the layout's language, as "German (Germany)".
std::wstring LayoutName(HKL hkl) {
    LCID lcid = MAKELCID(LOWORD(reinterpret_cast<UINT_PTR>(hkl)), SORT_DEFAULT);
    wchar_t name[LOCALE_NAME_MAX_LENGTH * 2] = {};
    if (::GetLocaleInfoW(lcid, LOCALE_SENGLISHDISPLAYNAME, name, ARRAYSIZE(name)) > 1 ||
        ::LCIDToLocaleName(lcid, name, ARRAYSIZE(name), 0) > 1)
        return name;
    std::swprintf(name, ARRAYSIZE(name), L"%04X", static_cast<unsigned>(LANGIDFROMLCID(lcid)));
    return name;
}

} // namespace

std::optional<ALTGRCHARACTER> InstalledLayoutsAltGrCharacter(UINT nKey) {
    std::vector<HKL> layouts(static_cast<size_t>(std::max(::GetKeyboardLayoutList(0, nullptr), 0)));
    int nLayouts = ::GetKeyboardLayoutList(static_cast<int>(layouts.size()), layouts.data());
    layouts.resize(static_cast<size_t>(std::max(nLayouts, 0)));
    // A layout reads AltGr as Ctrl and Alt held; the key itself sends the left Ctrl and the
    // right Alt.
    BYTE state[256] = {};
    for (int nHeld : {VK_CONTROL, VK_MENU, VK_LCONTROL, VK_RMENU})
        state[nHeld] = 0x80;
    for (HKL hkl : layouts) {
        UINT nScan = ::MapVirtualKeyExW(nKey, MAPVK_VK_TO_VSC, hkl);
        wchar_t typed[8] = {};
        int n = ::ToUnicodeEx(nKey, nScan, state, typed, ARRAYSIZE(typed), kKeepKeyboardState, hkl);
        // A dead key (n < 0) still types its character. Where the flag is ignored it also
        // waits in the layout for the next key, which the same key once more sends out.
        wchar_t scratch[8];
        for (int nCleared = n, i = 0; nCleared < 0 && i < 2; ++i)
            nCleared = ::ToUnicodeEx(nKey, nScan, state, scratch, ARRAYSIZE(scratch),
                                     kKeepKeyboardState, hkl);
        std::wstring strTyped(typed, n < 0 ? 1 : std::min<size_t>(n, ARRAYSIZE(typed)));
        // Ctrl with a letter gives a control character on a layout without AltGr.
        if (!strTyped.empty() && strTyped[0] >= L' ' && strTyped[0] != 0x7F)
            return ALTGRCHARACTER{strTyped, LayoutName(hkl)};
    }
    return std::nullopt;
}

std::wstring KeyChoiceRefusal(const KEYCOMBINATION& combination,
                              AltGrCharacterLookup pfnAltGrCharacter) {
    if (UINT nIDRefusal = KeyCombinationRefusal(combination))
        return ResourceString(nIDRefusal).str();
    std::wstring strText = KeyCombinationText(combination);
    if (IsEveryProgramsShortcut(combination))
        return ResourceString(IDS_REFUSAL_SHORTCUT, {strText.c_str()}).str();
    // Break is the name of a key, as the field spells keys, whatever the language.
    if (combination.nKey == VK_PAUSE && (combination.nModifiers & MOD_CONTROL))
        return ResourceString(
                   IDS_REFUSAL_BREAK,
                   {strText.c_str(),
                    (KeyCombinationText({combination.nModifiers, 0}) + L"Break").c_str()})
            .str();
    if (combination.nModifiers == (MOD_CONTROL | MOD_ALT)) {
        if (auto altGr = pfnAltGrCharacter(combination.nKey))
            return ResourceString(IDS_REFUSAL_ALTGR,
                                  {altGr->strLayout.c_str(), altGr->strCharacter.c_str(),
                                   KeyCombinationText({0, combination.nKey}).c_str()})
                .str();
    }
    return {};
}
