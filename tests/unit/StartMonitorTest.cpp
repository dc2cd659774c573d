#include <gtest/gtest.h>

#include "platform/components/StartMonitor.h"

namespace {

using platform::Monitor;
using platform::PixelRect;

const Monitor kLeft{{-1920, 0, 0, 1080}, {-1920, 0, 0, 1040}};
const Monitor kPrimary{{0, 0, 2560, 1440}, {0, 0, 2560, 1400}};
const Monitor kRight{{2560, 0, 4480, 1200}, {2560, 0, 4480, 1160}};

TEST(StartMonitorTest, TheOutputHandleIsAHintOnlyWithoutStandardHandles) {
    EXPECT_TRUE(platform::MayHoldMonitorHint(0, 0x10001));
    EXPECT_TRUE(platform::MayHoldMonitorHint(0x1 | 0x400, 0x10001));  // a show command beside it
    EXPECT_FALSE(platform::MayHoldMonitorHint(0x100, 0x10001));        // STARTF_USESTDHANDLES
    EXPECT_FALSE(platform::MayHoldMonitorHint(0, 0));
    EXPECT_FALSE(platform::MayHoldMonitorHint(0, ~std::uintptr_t{0}));
}

TEST(StartMonitorTest, TheShellsHintWinsThenTheForegroundWindowsMonitorThenThePrimary) {
    const std::vector<Monitor> monitors{kLeft, kPrimary, kRight};
    EXPECT_EQ(kRight, platform::StartMonitor(monitors, kRight, kLeft));
    EXPECT_EQ(kLeft, platform::StartMonitor(monitors, std::nullopt, kLeft));
    EXPECT_EQ(kPrimary, platform::StartMonitor(monitors, std::nullopt, std::nullopt));
}

}  // namespace
