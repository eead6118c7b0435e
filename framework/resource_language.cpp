// Picking the language block for the user, and loading from it.
#include "framework/resource_language.h"

#include <algorithm>

namespace {

// Chinese is written in two scripts, and a reader of one does not read the other.
bool IsTraditionalChinese(LANGID language) {
    constexpr WORD kHant = 0x1F; // the script's own sublanguage, zh-Hant
    WORD sub = SUBLANGID(language);
    return sub == SUBLANG_CHINESE_TRADITIONAL || sub == SUBLANG_CHINESE_HONGKONG ||
           sub == SUBLANG_CHINESE_MACAU || sub == kHant;
}

bool SameLanguage(LANGID a, LANGID b) {
    return PRIMARYLANGID(a) == PRIMARYLANGID(b) &&
           (PRIMARYLANGID(a) != LANG_CHINESE || IsTraditionalChinese(a) == IsTraditionalChinese(b));
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR lParam) {
    reinterpret_cast<std::vector<LANGID>*>(lParam)->push_back(language);
    return TRUE;
}

} // namespace

std::vector<LANGID> ResourceLanguages(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName) {
    std::vector<LANGID> languages;
    ::EnumResourceLanguagesW(hModule, lpType, lpName, &AddLanguage,
                             reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

LANGID FittingResourceLanguage(LANGID user, const std::vector<LANGID>& available) {
    // The platform's own search finds only the exact language: Austrian German or Hong Kong
    // Chinese fall back as a language without a block does, and where that lands is the
    // platform's choice (Wine's is English), so the fallback is made here.
    if (std::find(available.begin(), available.end(), user) != available.end())
        return user;
    auto same = std::find_if(available.begin(), available.end(),
                             [user](LANGID language) { return SameLanguage(language, user); });
    return same != available.end() ? *same : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

void SetThreadResourceLanguage(LANGID language) {
    // Windows since Vista loads resources in the thread's UI language; Wine, as Windows XP did,
    // in the thread's locale, and takes SetThreadUILanguage as a no-op. The locale also gives
    // the platform's error texts in the same language.
    ::SetThreadUILanguage(language);
    ::SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
}
