#include <gtest/gtest.h>

#include <memory>

#include "model/SharedCommands.h"

namespace {

// Leaves the process-wide collection as a new one for the next test.
class CCommandsShared : public ::testing::Test {
protected:
    void SetUp() override { model::SetCommands(nullptr); }
    void TearDown() override { model::SetCommands(nullptr); }
};

TEST_F(CCommandsShared, IsCreatedEmptyOnFirstUse) {
    model::CCommands& commands = model::Commands();
    EXPECT_EQ(commands.Count(), 0);
    EXPECT_EQ(commands.Title(), L"");
    EXPECT_EQ(commands.ConfigFileName(), L"");
    EXPECT_FALSE(commands.Updated());
}

TEST_F(CCommandsShared, IsTheSameCollectionOnEveryRead) {
    model::Commands().Title(L"Tools");
    EXPECT_EQ(&model::Commands(), &model::Commands());
    EXPECT_EQ(model::Commands().Title(), L"Tools");
}

TEST_F(CCommandsShared, ReadsTheReplacementAfterSetCommands) {
    model::Commands().Title(L"old");
    auto replacement = std::make_shared<model::CCommands>();
    replacement->Title(L"new");
    model::SetCommands(replacement);
    EXPECT_EQ(&model::Commands(), replacement.get());
    EXPECT_EQ(model::Commands().Title(), L"new");
}

}  // namespace
