// Key combinations as the settings file and fnkey spell them, and the ones refused as
// launcher keys.
#include <gtest/gtest.h>

#include <string>

#include "app/keys/key_combination.h"

namespace {

std::string Ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(KeyCombination, ReadsAnySpellingAndWritesTheOneSpellingOrRefusesOrKnowsNothing) {
    enum Outcome { kTaken, kRefused, kUnknown };
    struct Case {
        const wchar_t* text;
        Outcome outcome;
        const wchar_t* written; // the spelling written back, for a combination that reads
    };
    const Case cases[] = {
        {L"Ctrl+Alt+F7", kTaken, L"Ctrl+Alt+F7"},
        {L" win + SHIFT +n ", kTaken, L"Shift+Win+N"},
        {L"Win+Shift+Alt+Ctrl+Delete", kTaken, L"Ctrl+Alt+Shift+Win+Delete"},
        {L"LaunchApp1", kTaken, L"LaunchApp1"},
        {L"F1", kTaken, L"F1"},
        {L"Alt+Space", kTaken, L"Alt+Space"},
        // Keys that type text without Ctrl, Alt or Win, and the debuggers' F12.
        {L"A", kRefused, L"A"},
        {L"space", kRefused, L"Space"},
        {L"NumPad7", kRefused, L"NumPad7"},
        {L"F12", kRefused, L"F12"},
        {L"Ctrl+Alt+F12", kRefused, L"Ctrl+Alt+F12"},
        {L"", kUnknown, nullptr},
        {L"Ctrl++F7", kUnknown, nullptr},
        {L"F7+Ctrl", kUnknown, nullptr},
        {L"Ctrl+Alt", kUnknown, nullptr},
        {L"Hyper+X", kUnknown, nullptr},
        {L"Ctrl+F25", kUnknown, nullptr},
        {L"Ctrl+Escape", kUnknown, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Ascii(c.text));
        auto combination = ParseKeyCombination(c.text);
        ASSERT_EQ(combination.has_value(), c.outcome != kUnknown);
        if (!combination)
            continue;
        EXPECT_TRUE(IsCombinationKey(combination->nKey));
        EXPECT_EQ(Ascii(KeyCombinationText(*combination)), Ascii(c.written));
        EXPECT_EQ(ParseKeyCombination(c.written), combination);
        EXPECT_EQ(KeyCombinationRefusal(*combination) != nullptr, c.outcome == kRefused);
    }
    // The field shows the modifiers held so far, before the key of the combination.
    EXPECT_EQ(Ascii(KeyCombinationText({MOD_WIN | MOD_CONTROL, 0})), "Ctrl+Win+");
    EXPECT_FALSE(IsCombinationKey(VK_LWIN));
}

} // namespace
