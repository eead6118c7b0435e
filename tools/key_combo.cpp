// Parsing and spelling of fnkey's key combinations.
#include "key_combo.h"

#include <cwctype>

namespace {

struct Name {
    const char* text;
    UINT value;
};

// Also the order in which keyComboText spells the modifiers.
constexpr Name kModifiers[] = {
    {"Ctrl", MOD_CONTROL}, {"Alt", MOD_ALT}, {"Shift", MOD_SHIFT}, {"Win", MOD_WIN}};

constexpr Name kNamedKeys[] = {{"Space", VK_SPACE},   {"Insert", VK_INSERT}, {"Delete", VK_DELETE},
                               {"Home", VK_HOME},     {"End", VK_END},       {"PageUp", VK_PRIOR},
                               {"PageDown", VK_NEXT}, {"Pause", VK_PAUSE},   {"Left", VK_LEFT},
                               {"Up", VK_UP},         {"Right", VK_RIGHT},   {"Down", VK_DOWN}};

bool sameName(std::wstring_view text, const char* name) {
    size_t i = 0;
    for (; i < text.size() && name[i]; ++i)
        if (std::towlower(text[i]) != std::towlower(static_cast<wchar_t>(name[i])))
            return false;
    return i == text.size() && !name[i];
}

std::optional<UINT> parseKey(std::wstring_view text) {
    if (text.size() == 1) {
        wchar_t ch = static_cast<wchar_t>(std::towupper(text[0]));
        if ((ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9'))
            return ch; // letters and digits are their own virtual-key codes
    }
    if (text.size() >= 2 && text.size() <= 3 && std::towupper(text[0]) == L'F' && text[1] != L'0') {
        UINT n = 0;
        for (wchar_t ch : text.substr(1)) {
            if (ch < L'0' || ch > L'9')
                return std::nullopt;
            n = n * 10 + (ch - L'0');
        }
        if (n >= 1 && n <= 24)
            return VK_F1 + n - 1;
        return std::nullopt;
    }
    for (const Name& key : kNamedKeys)
        if (sameName(text, key.text))
            return key.value;
    return std::nullopt;
}

std::optional<UINT> parseModifier(std::wstring_view text) {
    for (const Name& modifier : kModifiers)
        if (sameName(text, modifier.text))
            return modifier.value;
    return std::nullopt;
}

} // namespace

std::optional<KeyCombo> parseKeyCombo(std::wstring_view text) {
    KeyCombo combo;
    for (;;) {
        size_t plus = text.find(L'+');
        if (plus == std::wstring_view::npos)
            break;
        auto modifier = parseModifier(text.substr(0, plus));
        if (!modifier)
            return std::nullopt;
        combo.modifiers |= *modifier;
        text.remove_prefix(plus + 1);
    }
    auto key = parseKey(text);
    if (!key)
        return std::nullopt;
    combo.vk = *key;
    return combo;
}

std::string keyComboText(KeyCombo combo) {
    std::string text;
    for (const Name& modifier : kModifiers)
        if (combo.modifiers & modifier.value)
            text += std::string(modifier.text) + "+";
    if (combo.vk >= VK_F1 && combo.vk <= VK_F24)
        return text + "F" + std::to_string(combo.vk - VK_F1 + 1);
    if ((combo.vk >= 'A' && combo.vk <= 'Z') || (combo.vk >= '0' && combo.vk <= '9'))
        return text + static_cast<char>(combo.vk);
    for (const Name& key : kNamedKeys)
        if (combo.vk == key.value)
            return text + key.text;
    return text + "VK" + std::to_string(combo.vk);
}
