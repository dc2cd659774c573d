#include "model/CCommands.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using model::CCommand;
using model::CCommands;

std::shared_ptr<CCommand> Named(const std::wstring& title) {
    auto command = std::make_shared<CCommand>();
    command->Title(title);
    command->FileName(title + L".exe");
    return command;
}

// A menu of commands titled "0", "1", ... in that order.
CCommands MenuOf(int count) {
    CCommands commands;
    for (int i = 0; i < count; ++i) commands.Add(Named(std::to_wstring(i)), -1, -1);
    return commands;
}

std::vector<std::wstring> Titles(const CCommands& commands) {
    std::vector<std::wstring> titles;
    for (int i = 0; i < commands.Count(); ++i) titles.push_back(commands.Item(i)->Title());
    return titles;
}

TEST(CCommands, NewInstanceIsEmptyUntitledAndNotUpdated) {
    const CCommands commands;
    EXPECT_EQ(commands.Count(), 0);
    EXPECT_EQ(commands.Title(), L"");
    EXPECT_EQ(commands.ConfigFileName(), L"");
    EXPECT_FALSE(commands.Updated());
}

TEST(CCommands, MaxItemsIsAlways1000) {
    EXPECT_EQ(CCommands().MaxItems(), 1000);
    EXPECT_EQ(MenuOf(3).MaxItems(), 1000);
}

TEST(CCommandsAdd, BeforeZeroOnAnEmptyMenuAppends) {
    CCommands commands;
    commands.Add(Named(L"a"), 0, -1);
    EXPECT_EQ(Titles(commands), (std::vector<std::wstring>{L"a"}));
}

TEST(CCommandsAdd, InsertsAtAValidBeforeEvenWhenAfterIsValidToo) {
    CCommands commands = MenuOf(5);
    commands.Add(Named(L"new"), 2, 0);
    EXPECT_EQ(Titles(commands), (std::vector<std::wstring>{L"0", L"1", L"new", L"2", L"3", L"4"}));
}

TEST(CCommandsAdd, BeforeOnePastTheEndAppends) {
    CCommands commands = MenuOf(5);
    commands.Add(Named(L"new"), 5, -1);
    EXPECT_EQ(Titles(commands), (std::vector<std::wstring>{L"0", L"1", L"2", L"3", L"4", L"new"}));
}

TEST(CCommandsAdd, InsertsAfterAValidAfter) {
    CCommands commands = MenuOf(5);
    commands.Add(Named(L"last"), -1, 4);
    commands.Add(Named(L"second"), -1, 0);
    EXPECT_EQ(Titles(commands),
              (std::vector<std::wstring>{L"0", L"second", L"1", L"2", L"3", L"4", L"last"}));
}

TEST(CCommandsAdd, InvalidPositionsOnBothSidesAppend) {
    CCommands commands = MenuOf(2);
    commands.Add(Named(L"a"), -5, 2);
    commands.Add(Named(L"b"), 1000, -1000);
    EXPECT_EQ(Titles(commands), (std::vector<std::wstring>{L"0", L"1", L"a", L"b"}));
}

TEST(CCommandsAdd, IgnoresANullCommand) {
    CCommands commands = MenuOf(2);
    commands.Add(nullptr, 0, -1);
    commands.Add(nullptr, -1, -1);
    EXPECT_EQ(commands.Count(), 2);
}

TEST(CCommandsAdd, StoresTheCommandItselfNotACopy) {
    CCommands commands;
    auto command = Named(L"a");
    commands.Add(command, -1, -1);
    command->Title(L"changed");
    EXPECT_EQ(commands.Item(0), command);
    EXPECT_EQ(commands.Item(0)->Title(), L"changed");
}

TEST(CCommandsAdd, AcceptsMoreThanMaxItems) {
    CCommands commands = MenuOf(1000);
    commands.Add(Named(L"extra"), -1, -1);
    EXPECT_EQ(commands.Count(), 1001);
}

TEST(CCommandsItem, ChangingTheReturnedCommandChangesTheMenu) {
    CCommands commands = MenuOf(3);
    commands.Item(1)->Title(L"renamed");
    EXPECT_EQ(Titles(commands), (std::vector<std::wstring>{L"0", L"renamed", L"2"}));
}

TEST(CCommandsItem, ThrowsOutOfRangeOutsideThePositions) {
    const CCommands commands = MenuOf(3);
    EXPECT_THROW(commands.Item(3), std::out_of_range);
    EXPECT_THROW(commands.Item(-1), std::out_of_range);
    EXPECT_THROW(commands.Item(INT32_MAX), std::out_of_range);
    EXPECT_THROW(CCommands().Item(0), std::out_of_range);
}

TEST(CCommandsRemove, MovesTheLaterCommandsUpOnePlace) {
    CCommands commands = MenuOf(4);
    commands.Remove(1);
    EXPECT_EQ(Titles(commands), (std::vector<std::wstring>{L"0", L"2", L"3"}));
}

TEST(CCommandsRemove, ThrowsOutOfRangeAndLeavesTheMenuAsItWas) {
    CCommands commands = MenuOf(3);
    EXPECT_THROW(commands.Remove(3), std::out_of_range);
    EXPECT_THROW(commands.Remove(-1), std::out_of_range);
    EXPECT_THROW(commands.Remove(INT32_MIN), std::out_of_range);
    EXPECT_EQ(Titles(commands), (std::vector<std::wstring>{L"0", L"1", L"2"}));
}

TEST(CCommandsRemove, MovingUpAsTheEditorDoesKeepsTheOthersInOrder) {
    CCommands commands = MenuOf(5);
    commands.Add(commands.Item(2)->Clone(), 1, -1);
    commands.Remove(3);
    EXPECT_EQ(Titles(commands), (std::vector<std::wstring>{L"0", L"2", L"1", L"3", L"4"}));
}

TEST(CCommandsRemove, MovingDownAsTheEditorDoesKeepsTheOthersInOrder) {
    CCommands commands = MenuOf(5);
    commands.Add(commands.Item(2)->Clone(), -1, 3);
    commands.Remove(2);
    EXPECT_EQ(Titles(commands), (std::vector<std::wstring>{L"0", L"1", L"3", L"2", L"4"}));
}

TEST(CCommandsClone, CopiesTitleFileNameUpdatedAndCommands) {
    CCommands source = MenuOf(3);
    source.Title(L"Инструменты");
    source.ConfigFileName(L"C:\\Menus\\tools.Larkspur");
    source.Updated(true);
    source.Item(2)->ShowCommand(7);
    const std::shared_ptr<CCommands> copy = source.Clone();
    EXPECT_EQ(copy->Title(), L"Инструменты");
    EXPECT_EQ(copy->ConfigFileName(), L"C:\\Menus\\tools.Larkspur");
    EXPECT_TRUE(copy->Updated());
    EXPECT_EQ(Titles(*copy), Titles(source));
    EXPECT_EQ(copy->Item(2)->FileName(), L"2.exe");
    EXPECT_EQ(copy->Item(2)->ShowCommand(), 7);
}

TEST(CCommandsClone, SharesNoCommandWithItsSource) {
    CCommands source = MenuOf(3);
    const std::shared_ptr<CCommands> copy = source.Clone();
    copy->Item(0)->Title(L"changed");
    copy->Remove(2);
    copy->Title(L"copy");
    EXPECT_EQ(Titles(source), (std::vector<std::wstring>{L"0", L"1", L"2"}));
    EXPECT_EQ(source.Title(), L"");
    for (int i = 0; i < copy->Count(); ++i) EXPECT_NE(copy->Item(i), source.Item(i));
}

TEST(CCommandsClearItems, EmptiesTheListAndForgetsTheFileButKeepsTitleAndUpdated) {
    CCommands commands = MenuOf(3);
    commands.Title(L"Tools");
    commands.ConfigFileName(L"/tmp/menu.Larkspur");
    commands.Updated(true);
    commands.ClearItems();
    EXPECT_EQ(commands.Count(), 0);
    EXPECT_EQ(commands.ConfigFileName(), L"");
    EXPECT_EQ(commands.Title(), L"Tools");
    EXPECT_TRUE(commands.Updated());
}

TEST(CCommandsLoadItems, WithoutAFileNameReadsNothingAndFails) {
    CCommands commands = MenuOf(2);
    commands.Title(L"kept");
    EXPECT_FALSE(commands.LoadItems());
    EXPECT_EQ(commands.Title(), L"kept");
    EXPECT_EQ(commands.Count(), 2);
}

TEST(CCommandsSaveItems, WithoutAFileNameWritesNothingAndFails) {
    CCommands commands = MenuOf(2);
    EXPECT_FALSE(commands.SaveItems());
}

}  // namespace
