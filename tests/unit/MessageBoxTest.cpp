#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/WinConstants.h"

TEST(MsgBox, FailsLoudlyWithoutAnEnvironment) {
    EXPECT_THROW(platform::MsgBox(L"text", platform::kMbOk), std::logic_error);
}
