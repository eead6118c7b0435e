// Parsing and spelling of key combinations, and the ones refused as launcher keys.
#include "app/keys/key_combination.h"

#include <cwctype>

#include "res/resource.h"

namespace {

struct Name {
    const wchar_t* text;
    UINT value;
};

// Also the order in which KeyCombinationText spells the modifiers.
constexpr Name kModifiers[] = {
    {L"Ctrl", MOD_CONTROL}, {L"Alt", MOD_ALT}, {L"Shift", MOD_SHIFT}, {L"Win", MOD_WIN}};

constexpr Name kNamedKeys[] = {
    {L"Space", VK_SPACE},
    {L"Insert", VK_INSERT},
    {L"Delete", VK_DELETE},
    {L"Home", VK_HOME},
    {L"End", VK_END},
    {L"PageUp", VK_PRIOR},
    {L"PageDown", VK_NEXT},
    {L"Pause", VK_PAUSE},
    {L"Left", VK_LEFT},
    {L"Up", VK_UP},
    {L"Right", VK_RIGHT},
    {L"Down", VK_DOWN},
    {L"LaunchApp1", VK_LAUNCH_APP1},
    {L"LaunchApp2", VK_LAUNCH_APP2},
    {L"LaunchMail", VK_LAUNCH_MAIL},
    {L"LaunchMedia", VK_LAUNCH_MEDIA_SELECT},
    {L"BrowserHome", VK_BROWSER_HOME},
    {L"BrowserSearch", VK_BROWSER_SEARCH},
    {L"BrowserFavorites", VK_BROWSER_FAVORITES},
};

constexpr std::wstring_view kNumPad = L"NumPad";

bool IsLetterOrDigit(UINT nKey) {
    return (nKey >= 'A' && nKey <= 'Z') || (nKey >= '0' && nKey <= '9');
}

bool SameName(std::wstring_view text, std::wstring_view name) {
    return ::CompareStringOrdinal(text.data(), static_cast<int>(text.size()), name.data(),
                                  static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
}

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && std::iswspace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back()))
        text.remove_suffix(1);
    return text;
}

// The number after the prefix of "F7" or "NumPad7": one or two digits, no leading zero.
std::optional<UINT> NumberAfter(std::wstring_view text, size_t prefix) {
    std::wstring_view digits = text.substr(prefix);
    if (digits.empty() || digits.size() > 2 || (digits.size() == 2 && digits[0] == L'0'))
        return std::nullopt;
    UINT n = 0;
    for (wchar_t ch : digits) {
        if (ch < L'0' || ch > L'9')
            return std::nullopt;
        n = n * 10 + (ch - L'0');
    }
    return n;
}

std::optional<UINT> ParseKey(std::wstring_view text) {
    if (text.size() == 1) {
        auto ch = static_cast<UINT>(std::towupper(text[0]));
        if (IsLetterOrDigit(ch))
            return ch; // letters and digits are their own virtual-key codes
    }
    if (text.size() >= 2 && std::towupper(text[0]) == L'F') {
        auto n = NumberAfter(text, 1);
        if (n && *n >= 1 && *n <= 24)
            return VK_F1 + *n - 1;
    }
    if (text.size() > kNumPad.size() && SameName(text.substr(0, kNumPad.size()), kNumPad)) {
        auto n = NumberAfter(text, kNumPad.size());
        if (n && *n <= 9)
            return VK_NUMPAD0 + *n;
    }
    for (const Name& key : kNamedKeys)
        if (SameName(text, key.text))
            return key.value;
    return std::nullopt;
}

std::optional<UINT> ParseModifier(std::wstring_view text) {
    for (const Name& modifier : kModifiers)
        if (SameName(text, modifier.text))
            return modifier.value;
    return std::nullopt;
}

} // namespace

bool IsCombinationKey(UINT nKey) {
    if (IsLetterOrDigit(nKey) || (nKey >= VK_F1 && nKey <= VK_F24) ||
        (nKey >= VK_NUMPAD0 && nKey <= VK_NUMPAD9))
        return true;
    for (const Name& key : kNamedKeys)
        if (nKey == key.value)
            return true;
    return false;
}

std::optional<KEYCOMBINATION> ParseKeyCombination(std::wstring_view text) {
    KEYCOMBINATION combination;
    for (size_t plus; (plus = text.find(L'+')) != std::wstring_view::npos;
         text.remove_prefix(plus + 1)) {
        auto modifier = ParseModifier(Trimmed(text.substr(0, plus)));
        if (!modifier)
            return std::nullopt;
        combination.nModifiers |= *modifier;
    }
    auto key = ParseKey(Trimmed(text));
    if (!key)
        return std::nullopt;
    combination.nKey = *key;
    return combination;
}

namespace {

std::wstring KeyName(UINT nKey) {
    if (nKey >= VK_F1 && nKey <= VK_F24)
        return L"F" + std::to_wstring(nKey - VK_F1 + 1);
    if (nKey >= VK_NUMPAD0 && nKey <= VK_NUMPAD9)
        return std::wstring(kNumPad) + std::to_wstring(nKey - VK_NUMPAD0);
    if (IsLetterOrDigit(nKey))
        return std::wstring(1, static_cast<wchar_t>(nKey));
    for (const Name& key : kNamedKeys)
        if (nKey == key.value)
            return key.text;
    return L"VK" + std::to_wstring(nKey);
}

} // namespace

std::wstring KeyCombinationText(const KEYCOMBINATION& combination) {
    std::wstring text;
    for (const Name& modifier : kModifiers) {
        if (combination.nModifiers & modifier.value) {
            text += modifier.text;
            text += L'+';
        }
    }
    if (combination.nKey != 0)
        text += KeyName(combination.nKey);
    return text;
}

UINT KeyCombinationRefusal(const KEYCOMBINATION& combination) {
    if (combination.nKey == VK_F12)
        return IDS_REFUSAL_F12;
    bool typesText = IsLetterOrDigit(combination.nKey) || combination.nKey == VK_SPACE ||
                     (combination.nKey >= VK_NUMPAD0 && combination.nKey <= VK_NUMPAD9);
    if (typesText && !(combination.nModifiers & (MOD_CONTROL | MOD_ALT | MOD_WIN)))
        return IDS_REFUSAL_TYPES_TEXT;
    return 0;
}
