#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

#include "platform/win32/ComApartment.h"
#include "platform/win32/IconFetcher.h"

namespace {

// COM ends where wWinMain ends it, not at the process's exit: the thread can then take another
// apartment, which the single-threaded one still up would refuse.
TEST(ComApartmentTest, EndsWhenToldNotAtTheProcesssExit) {
    HRESULT whileStarted = S_OK, afterEnd = E_FAIL;
    std::thread thread([&] {
        platform::EnsureComApartment();
        platform::EnsureComApartment();  // started once, ended once
        whileStarted = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(whileStarted)) CoUninitialize();
        platform::EndComApartment();
        afterEnd = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(afterEnd)) CoUninitialize();
    });
    thread.join();
    EXPECT_EQ(RPC_E_CHANGED_MODE, whileStarted);
    EXPECT_EQ(S_OK, afterEnd);
}

// The window's thread has its apartment before the first icon worker can make the process's
// first one, which COM would make the main one.
TEST(ComApartmentTest, TheWindowsThreadHasItsApartmentBeforeTheFirstIconWorker) {
    HRESULT before = S_OK, after = E_FAIL;
    APTTYPE type = APTTYPE_MTA;
    APTTYPEQUALIFIER qualifier{};
    std::thread thread([&] {
        before = CoGetApartmentType(&type, &qualifier);
        platform::StartIconWorkers();
        after = CoGetApartmentType(&type, &qualifier);
        platform::EndComApartment();
    });
    thread.join();
    EXPECT_EQ(CO_E_NOTINITIALIZED, before);
    ASSERT_EQ(S_OK, after);
    EXPECT_TRUE(type == APTTYPE_STA || type == APTTYPE_MAINSTA) << type;
}

}  // namespace
