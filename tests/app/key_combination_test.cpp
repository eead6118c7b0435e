// Key combinations as the settings file and fnkey spell them, and the ones refused as
// launcher keys, in the file or only when pressed in the dialog.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "app/keys/key_choice.h"
#include "app/keys/key_combination.h"

namespace {

std::string Ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The German layout, as Windows documents its AltGr characters: Ctrl+Alt+E types the euro sign,
// Q @, 2 the superscript two, 7 {, 8 [, 9 ], 0 } and M the micro sign.
std::optional<ALTGRCHARACTER> GermanAltGr(UINT nKey) {
    const std::wstring_view keys = L"EQ27890M", typed = L"\u20AC@\u00B2{[]}\u00B5";
    size_t i = keys.find(static_cast<wchar_t>(nKey));
    if (i == std::wstring_view::npos)
        return std::nullopt;
    return ALTGRCHARACTER{std::wstring(1, typed[i]), L"German (Germany)"};
}

TEST(KeyCombination, ReadsAnySpellingAndWritesTheOneSpellingOrRefusesOrKnowsNothing) {
    // kChosenRefused: read from the file, but refused when pressed in the dialog.
    enum Outcome { kTaken, kRefused, kChosenRefused, kUnknown };
    struct Case {
        const wchar_t* text;
        Outcome outcome;
        const wchar_t* written;       // the spelling written back, for a combination that reads
        const wchar_t* why = nullptr; // the dialog's reason, where the row checks it
    };
    const Case cases[] = {
        {L"Ctrl+Alt+F7", kTaken, L"Ctrl+Alt+F7"},
        {L" win + SHIFT +n ", kTaken, L"Shift+Win+N"},
        {L"Win+Shift+Alt+Ctrl+Delete", kTaken, L"Ctrl+Alt+Shift+Win+Delete"},
        {L"LaunchApp1", kTaken, L"LaunchApp1"},
        {L"F1", kTaken, L"F1"},
        // Keys that type text without Ctrl, Alt or Win, and the debuggers' F12.
        {L"A", kRefused, L"A"},
        {L"space", kRefused, L"Space"},
        {L"NumPad7", kRefused, L"NumPad7"},
        {L"F12", kRefused, L"F12"},
        {L"Ctrl+Alt+F12", kRefused, L"Ctrl+Alt+F12"},
        // AltGr characters of the German layout; with Shift the combination is another.
        {L"Ctrl+Alt+E", kChosenRefused, L"Ctrl+Alt+E",
         L"With the German (Germany) keyboard layout it types \u20AC (AltGr+E)."},
        {L"Ctrl+Alt+Shift+E", kTaken, L"Ctrl+Alt+Shift+E"},
        // Every program's shortcuts, with their modifiers exactly, and Ctrl+Break.
        {L"Ctrl+C", kChosenRefused, L"Ctrl+C"},
        {L"Ctrl+Shift+C", kTaken, L"Ctrl+Shift+C"},
        {L"Alt+Space", kChosenRefused, L"Alt+Space"},
        {L"Ctrl+Pause", kChosenRefused, L"Ctrl+Pause",
         L"Ctrl+Pause reaches programs as Ctrl+Break and never starts anything."},
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
        EXPECT_EQ(KeyCombinationRefusal(*combination) != 0, c.outcome == kRefused);
        std::wstring why = KeyChoiceRefusal(*combination, &GermanAltGr);
        EXPECT_EQ(why.empty(), c.outcome == kTaken);
        if (c.why) {
            EXPECT_EQ(why, c.why);
        }
    }
    // The field shows the modifiers held so far, before the key of the combination.
    EXPECT_EQ(Ascii(KeyCombinationText({MOD_WIN | MOD_CONTROL, 0})), "Ctrl+Win+");
    EXPECT_FALSE(IsCombinationKey(VK_LWIN));
}

} // namespace
