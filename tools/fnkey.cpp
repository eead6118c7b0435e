// fnkey: stands in for the keyboard's hotkey driver. On the real hardware the driver tells
// the running HotkeyForm about a function-key press by posting WM_FN_HOTKEY to the window of
// class THotkeyForm; this console tool does the same so the program can be run and tested
// on machines without that keyboard, once per call or, with --listen, for every press of a
// global hotkey.
#include <windows.h>

#include <cstdio>
#include <cwctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/messages.h"
#include "fnkey_listen.h"
#include "framework/system_library.h"

namespace {

// Bad usage prints the first line alone.
constexpr char kUsage[] =
    "usage: fnkey [--send] [--count N] KEY | fnkey --listen [--key KEY=COMBO]... "
    "[--stop-event NAME]   (--help for details)\n";
constexpr char kHelp[] =
    "\n"
    "fnkey [--send] [--count N] KEY\n"
    "  Delivers KEY once (or N times) to the window of class THotkeyForm: posts WM_FN_HOTKEY,\n"
    "  or with --send sends it and prints the window's answer. KEY is S1..S5 (codes 0x5F..0x63)\n"
    "  or any code in decimal or 0x hex. Exits with 0 when delivered, 1 when no such window\n"
    "  exists, 2 on bad usage.\n"
    "\n"
    "fnkey --listen [--key KEY=COMBO]... [--stop-event NAME]\n"
    "  Registers global hotkeys, Ctrl+Alt+F1..F5 for S1..S5 unless --key binds KEY to another\n"
    "  COMBO (e.g. --key S2=Win+F2, --key 0x64=Ctrl+Shift+Z), and posts each press's code to\n"
    "  the THotkeyForm window found at that moment. COMBO is any of Ctrl, Alt, Shift, Win and\n"
    "  one key: F1..F24, A..Z, 0..9, Space, Insert, Delete, Home, End, PageUp, PageDown, Pause,\n"
    "  Left, Up, Right, Down, NumPad0..NumPad9 or a launch key (LaunchApp1, LaunchApp2,\n"
    "  LaunchMail, LaunchMedia, BrowserHome, BrowserSearch, BrowserFavorites). Prints\n"
    "  \"fnkey: listening: ...\" once all keys are registered.\n"
    "  Stops with exit code 0 on Ctrl+C or Ctrl+Break, on WM_QUIT or WM_CLOSE posted to its\n"
    "  thread, or when the named event NAME is signalled (created when missing). Exits with 3\n"
    "  when another program already holds one of the keys, 2 on bad usage.\n";

struct Request {
    DWORD code = 0;
    unsigned long count = 1;
    bool send = false;
    bool listen = false;
    std::vector<HotkeyBinding> bindings = defaultBindings();
    std::wstring stopEvent;
};

enum class Parsed { Run, Help, Bad };

// Accepts the whole unsigned 32-bit range, decimal or 0x hex. strtoul is not used because it
// takes signs, leading blanks and octal, none of which a caller here means.
std::optional<DWORD> parseNumber(std::wstring_view text) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    unsigned long long value = 0;
    for (wchar_t ch : text) {
        unsigned digit;
        if (ch >= L'0' && ch <= L'9')
            digit = ch - L'0';
        else if (base == 16 && ch >= L'a' && ch <= L'f')
            digit = ch - L'a' + 10;
        else if (base == 16 && ch >= L'A' && ch <= L'F')
            digit = ch - L'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return static_cast<DWORD>(value);
}

std::optional<DWORD> parseKey(std::wstring_view text) {
    // S1, S2, ... for the driver's keys in order.
    if (text.size() == 2 && std::towupper(text[0]) == L'S' && text[1] >= L'1' &&
        text[1] < L'1' + kDriverKeyCount)
        return static_cast<DWORD>(kKeyCodeS1) + (text[1] - L'1');
    return parseNumber(text);
}

// KEY=COMBO replaces the combination of KEY's code, or adds one for a new code.
bool parseBinding(std::wstring_view text, std::vector<HotkeyBinding>& bindings) {
    size_t equals = text.find(L'=');
    if (equals == std::wstring_view::npos)
        return false;
    auto code = parseKey(text.substr(0, equals));
    auto combo = ParseKeyCombination(text.substr(equals + 1));
    if (!code || !combo)
        return false;
    for (HotkeyBinding& binding : bindings) {
        if (binding.code == *code) {
            binding.combo = *combo;
            return true;
        }
    }
    bindings.push_back({*code, *combo});
    return true;
}

// One combination cannot deliver two codes.
bool combosDistinct(const std::vector<HotkeyBinding>& bindings) {
    for (size_t i = 0; i < bindings.size(); ++i)
        for (size_t j = i + 1; j < bindings.size(); ++j)
            if (bindings[i].combo == bindings[j].combo)
                return false;
    return true;
}

Parsed parseArgs(int argc, wchar_t** argv, Request& request) {
    bool haveKey = false, oneShotOption = false, listenOption = false;
    for (int i = 1; i < argc; ++i) {
        std::wstring_view arg = argv[i];
        if (arg == L"--help" || arg == L"-h" || arg == L"/?")
            return Parsed::Help;
        if (arg == L"--listen") {
            request.listen = true;
        } else if (arg == L"--key") {
            if (++i == argc || !parseBinding(argv[i], request.bindings))
                return Parsed::Bad;
            listenOption = true;
        } else if (arg == L"--stop-event") {
            if (++i == argc || !*argv[i])
                return Parsed::Bad;
            request.stopEvent = argv[i];
            listenOption = true;
        } else if (arg == L"--send") {
            request.send = true;
            oneShotOption = true;
        } else if (arg == L"--count") {
            if (++i == argc)
                return Parsed::Bad;
            auto count = parseNumber(argv[i]);
            if (!count || *count == 0)
                return Parsed::Bad;
            request.count = *count;
            oneShotOption = true;
        } else if (arg.starts_with(L"-") || haveKey) {
            return Parsed::Bad;
        } else {
            auto code = parseKey(arg);
            if (!code)
                return Parsed::Bad;
            request.code = *code;
            haveKey = true;
        }
    }
    if (request.listen)
        return haveKey || oneShotOption || !combosDistinct(request.bindings) ? Parsed::Bad
                                                                             : Parsed::Run;
    return haveKey && !listenOption ? Parsed::Run : Parsed::Bad;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    AfxRestrictDllSearch();
    Request request;
    switch (parseArgs(argc, argv, request)) {
    case Parsed::Help:
        std::fputs(kUsage, stdout);
        std::fputs(kHelp, stdout);
        return 0;
    case Parsed::Bad:
        std::fputs(kUsage, stderr);
        return 2;
    case Parsed::Run:
        break;
    }
    if (request.listen)
        return listenForHotkeys(request.bindings, request.stopEvent);

    HWND form = FindWindowW(kFormClassName, nullptr);
    if (!form) {
        std::fputs("fnkey: no window of class THotkeyForm\n", stderr);
        return 1;
    }
    for (unsigned long i = 0; i < request.count; ++i) {
        if (request.send) {
            LRESULT result = SendMessageW(form, WM_FN_HOTKEY, request.code, 0);
            std::printf("%lld\n", static_cast<long long>(result));
        } else if (!PostMessageW(form, WM_FN_HOTKEY, request.code, 0)) {
            // The window went away between the lookup and the post.
            std::fprintf(stderr, "fnkey: could not post to the THotkeyForm window (error %lu)\n",
                         GetLastError());
            return 1;
        }
    }
    return 0;
}
