// The listen mode's message loop: hotkey registrations, the stop signals and the delivery of
// each press to the THotkeyForm window.
#include "fnkey_listen.h"

#include <atomic>
#include <cstdio>

#include "app/messages.h"
#include "framework/kernel_object.h"

namespace {

// Hotkeys registered for this thread, released with it.
class RegisteredHotkeys {
public:
    RegisteredHotkeys() = default;
    RegisteredHotkeys(const RegisteredHotkeys&) = delete;
    RegisteredHotkeys& operator=(const RegisteredHotkeys&) = delete;
    ~RegisteredHotkeys() {
        for (int id : m_ids)
            UnregisterHotKey(nullptr, id);
    }

    // Holding a key down would otherwise start its program again with every repeat.
    bool add(int id, KEYCOMBINATION combo) {
        if (!RegisterHotKey(nullptr, id, combo.nModifiers | MOD_NOREPEAT, combo.nKey))
            return false;
        m_ids.push_back(id);
        return true;
    }

private:
    std::vector<int> m_ids;
};

// The console's control handler runs on a thread of its own; it ends the loop by posting
// WM_QUIT to the listening thread.
std::atomic<DWORD> g_listeningThread{0};

BOOL WINAPI onConsoleControl(DWORD) {
    PostThreadMessageW(g_listeningThread, WM_QUIT, 0, 0);
    return TRUE;
}

class ScopedConsoleHandler {
public:
    ScopedConsoleHandler() {
        g_listeningThread = GetCurrentThreadId();
        SetConsoleCtrlHandler(onConsoleControl, TRUE);
    }
    ScopedConsoleHandler(const ScopedConsoleHandler&) = delete;
    ScopedConsoleHandler& operator=(const ScopedConsoleHandler&) = delete;
    ~ScopedConsoleHandler() { SetConsoleCtrlHandler(onConsoleControl, FALSE); }
};

// Combinations are spelled in ASCII.
std::string comboText(const KEYCOMBINATION& combo) {
    std::string ascii;
    for (wchar_t ch : KeyCombinationText(combo))
        ascii += static_cast<char>(ch);
    return ascii;
}

// The window is looked up at every press, so a restarted HotkeyForm is found again.
void deliver(const HotkeyBinding& binding) {
    std::string key = comboText(binding.combo);
    HWND form = FindWindowW(kFormClassName, nullptr);
    if (form && PostMessageW(form, WM_FN_HOTKEY, binding.code, 0))
        std::printf("fnkey: %s: posted %s\n", key.c_str(), keyCodeName(binding.code).c_str());
    else
        std::fprintf(stderr, "fnkey: %s: no window of class THotkeyForm\n", key.c_str());
    std::fflush(stdout);
}

} // namespace

std::vector<HotkeyBinding> defaultBindings() {
    std::vector<HotkeyBinding> bindings;
    for (DWORD code = kKeyCodeS1; code <= kKeyCodeLast; ++code)
        bindings.push_back({code, {MOD_CONTROL | MOD_ALT, UINT(VK_F1 + code - kKeyCodeS1)}});
    return bindings;
}

std::string keyCodeName(DWORD code) {
    char name[16];
    if (code >= kKeyCodeS1 && code <= kKeyCodeLast)
        std::snprintf(name, sizeof name, "S%lu", static_cast<unsigned long>(code - kKeyCodeS1 + 1));
    else
        std::snprintf(name, sizeof name, "0x%lX", code);
    return name;
}

int listenForHotkeys(const std::vector<HotkeyBinding>& bindings, const std::wstring& stopEvent) {
    // Created when missing, so a test or script may signal it before or after fnkey starts.
    CKernelObject stop(stopEvent.empty() ? nullptr
                                         : CreateEventW(nullptr, TRUE, FALSE, stopEvent.c_str()));
    if (!stopEvent.empty() && !stop) {
        std::fprintf(stderr, "fnkey: cannot open the stop event (error %lu)\n", GetLastError());
        return 2;
    }

    // Gives this thread its message queue before anything can be posted to it.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    ScopedConsoleHandler consoleHandler;

    RegisteredHotkeys hotkeys;
    std::string listening;
    for (size_t i = 0; i < bindings.size(); ++i) {
        const HotkeyBinding& binding = bindings[i];
        std::string key = comboText(binding.combo);
        std::string name = keyCodeName(binding.code);
        if (!hotkeys.add(int(i + 1), binding.combo)) {
            DWORD error = GetLastError();
            if (error == ERROR_HOTKEY_ALREADY_REGISTERED)
                std::fprintf(stderr, "fnkey: %s (%s) is already taken by another program\n",
                             key.c_str(), name.c_str());
            else
                std::fprintf(stderr, "fnkey: cannot register %s (%s) (error %lu)\n", key.c_str(),
                             name.c_str(), error);
            return kExitKeyTaken;
        }
        listening += " " + name + "=" + key;
    }
    // Scripts and tests wait for this line before pressing keys.
    std::printf("fnkey: listening:%s\n", listening.c_str());
    std::fflush(stdout);

    HANDLE handles[] = {stop};
    for (;;) {
        DWORD count = stop ? 1 : 0;
        DWORD woke = MsgWaitForMultipleObjects(count, handles, FALSE, INFINITE, QS_ALLINPUT);
        if (count && woke == WAIT_OBJECT_0)
            return 0;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT || (msg.message == WM_CLOSE && !msg.hwnd))
                return 0;
            if (msg.message == WM_HOTKEY && !msg.hwnd && msg.wParam >= 1 &&
                msg.wParam <= bindings.size())
                deliver(bindings[msg.wParam - 1]);
            else
                DispatchMessageW(&msg);
        }
    }
}
