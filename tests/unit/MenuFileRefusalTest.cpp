// Files that are no menu files are refused before they are read, with the unreadable menu's
// message and a reason of ours.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/CCommands.h"
#include "support/HeadlessFixture.h"

namespace {

class MenuFileRefusal : public testsupport::HeadlessTest {
protected:
    // The message that reading the file gave.
    std::wstring Refusal(const std::wstring& path) {
        model::CCommands menu;
        menu.ConfigFileName(path);
        EXPECT_FALSE(menu.LoadItems());
        EXPECT_EQ(menu.Count(), 0);
        if (env.dialogs.Messages().empty()) return L"<no message>";
        return env.dialogs.Messages().back().text;
    }
    static std::wstring Unreadable(const std::wstring& path, const std::wstring& reason) {
        return path + L"\r\n\r\nНе удалось прочитать файл меню.\r\n\r\n" + reason;
    }
};

// A sparse file: the size costs no disk.
TEST_F(MenuFileRefusal, AFileOver128MegabytesIsNotRead) {
    const std::wstring path = temp.File(L"huge.Larkspur");
    testsupport::WriteFileBytes(path, "[Options]\r\nTitle=Огромное\r\n");
    std::filesystem::resize_file(path, (128u << 20) + 1);
    EXPECT_EQ(Refusal(path),
              Unreadable(path, L"Файл слишком велик: файл меню не может быть больше 128 МБ."));
}

}  // namespace
