// fnkey: stands in for the keyboard's hotkey driver. On the real hardware the driver tells
// the running HotkeyForm about a function-key press by posting WM_FN_HOTKEY to the window of
// class THotkeyForm; this console tool does the same so the program can be run and tested
// on machines without that keyboard.
#include <windows.h>

#include <cstdio>
#include <cwctype>
#include <optional>
#include <string_view>

#include "app/messages.h"

namespace {

constexpr char kUsage[] = "usage: fnkey [--send] [--count N] KEY   (KEY: S1..S5, or a code in "
                          "decimal or 0x hex; --help for this text)\n";

// The driver's codes for the five function keys.
constexpr DWORD kFirstNamedKey = kKeyCodeS1; // S2..S5 follow in order

struct Request {
    DWORD code = 0;
    unsigned long count = 1;
    bool send = false;
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
    if (text.size() == 2 && std::towupper(text[0]) == L'S' && text[1] >= L'1' && text[1] <= L'5')
        return kFirstNamedKey + (text[1] - L'1');
    return parseNumber(text);
}

Parsed parseArgs(int argc, wchar_t** argv, Request& request) {
    bool haveKey = false;
    for (int i = 1; i < argc; ++i) {
        std::wstring_view arg = argv[i];
        if (arg == L"--help" || arg == L"-h" || arg == L"/?")
            return Parsed::Help;
        if (arg == L"--send") {
            request.send = true;
        } else if (arg == L"--count") {
            if (++i == argc)
                return Parsed::Bad;
            auto count = parseNumber(argv[i]);
            if (!count || *count == 0)
                return Parsed::Bad;
            request.count = *count;
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
    return haveKey ? Parsed::Run : Parsed::Bad;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Request request;
    switch (parseArgs(argc, argv, request)) {
    case Parsed::Help:
        std::fputs(kUsage, stdout);
        return 0;
    case Parsed::Bad:
        std::fputs(kUsage, stderr);
        return 2;
    case Parsed::Run:
        break;
    }

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
