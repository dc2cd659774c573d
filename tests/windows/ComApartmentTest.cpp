#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

#include "platform/win32/ComApartment.h"

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

}  // namespace
