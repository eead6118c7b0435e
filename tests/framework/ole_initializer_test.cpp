// The OLE scope the shell's dialogs run in: COM for the scope on a thread without it, and a
// thread's own COM left as it was.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "framework/ole_initializer.h"

namespace {

// The calling thread's apartment, asked in a way that leaves it as it was.
std::string Apartment() {
    HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(hr))
        ::CoUninitialize();
    return hr == S_OK                 ? "none"
           : hr == S_FALSE            ? "single"
           : hr == RPC_E_CHANGED_MODE ? "multi"
                                      : "?";
}

TEST(OleInitializer, GivesAThreadWithoutComASingleThreadedApartmentForTheScopeOnly) {
    const struct {
        const char* name;
        bool bOwnInit; // the thread initialises COM itself before the scope, with dwCoInit
        DWORD dwCoInit;
        const char* inside;
        const char* after;
    } cases[] = {
        {"no COM", false, 0, "single", "none"},
        {"single-threaded", true, COINIT_APARTMENTTHREADED, "single", "single"},
        {"multithreaded", true, COINIT_MULTITHREADED, "multi", "multi"},
    };
    for (const auto& c : cases) {
        std::string inside, after;
        std::thread([&] {
            if (c.bOwnInit)
                ::CoInitializeEx(nullptr, c.dwCoInit);
            {
                COleInitializer ole;
                inside = Apartment();
            }
            after = Apartment();
            if (c.bOwnInit)
                ::CoUninitialize();
        }).join();
        EXPECT_EQ(inside, c.inside) << c.name;
        EXPECT_EQ(after, c.after) << c.name;
    }
}

} // namespace
