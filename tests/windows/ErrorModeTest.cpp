// The system's error boxes stay away from every thread of ours, and a program started meanwhile
// inherits the error mode this one was started with. (Wine gives every new process the default
// mode whatever its parent's: only Windows shows the inheritance itself.)
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "platform/win32/ErrorMode.h"

namespace {

constexpr UINT kSilent = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

// The test program's error mode before main (where GoogleTest sets its own) ran.
const UINT processStartedWith = GetErrorMode();

// Each test starts from the system's default mode, which GoogleTest changed.
class ErrorModeTest : public ::testing::Test {
protected:
    ErrorModeTest() {
        SetErrorMode(0);
        SetThreadErrorMode(0, nullptr);
    }
    ~ErrorModeTest() override {
        SetErrorMode(processBefore_);
        SetThreadErrorMode(threadBefore_, nullptr);
    }

private:
    UINT processBefore_ = GetErrorMode();
    DWORD threadBefore_ = GetThreadErrorMode();
};

TEST_F(ErrorModeTest, StartSilencesTheProcessAndItsThread) {
    platform::SilenceSystemErrorBoxes();
    EXPECT_EQ(GetErrorMode(), kSilent);
    EXPECT_EQ(GetThreadErrorMode() & kSilent, kSilent);
}

TEST_F(ErrorModeTest, AStartLendsTheProcessTheModeItWasStartedWithAndKeepsTheThreadSilent) {
    SetErrorMode(kSilent);  // the thread that starts is silent by the start alone
    {
        const platform::StartedProgramsErrorMode starting;
        EXPECT_EQ(GetErrorMode(), processStartedWith);
        EXPECT_EQ(GetThreadErrorMode() & kSilent, kSilent);
    }
    EXPECT_EQ(GetErrorMode(), kSilent);
}

TEST_F(ErrorModeTest, AWorkerIsSilentForItsLookupOnly) {
    DWORD during = 0, after = kSilent;
    std::thread worker([&] {
        {
            const platform::ThreadErrorBoxesSilenced silenced;
            during = GetThreadErrorMode();
        }
        after = GetThreadErrorMode();
    });
    worker.join();
    EXPECT_EQ(during & kSilent, kSilent);
    EXPECT_EQ(after & kSilent, 0u);
}

}  // namespace
