// A device's bare name, in any folder, is a device on every version of Windows: reading it as a
// menu is refused with the reason, and nothing is written to it. (Which names with an extension
// are devices depends on the version; the decision on them is tested on faked answers.)
#include <gtest/gtest.h>

#include <string>

#include "model/CCommands.h"
#include "platform/files/FileRefusals.h"
#include "platform/files/FileSystem.h"
#include "platform/support/FileNames.h"
#include "support/HeadlessFixture.h"

namespace {

namespace files = platform::files;

class DeviceNamesWine : public testsupport::HeadlessTest {};

TEST_F(DeviceNamesWine, ABareDeviceNameIsNoMenuFile) {
    for (const wchar_t* name : {L"NUL", L"com1", L"Aux"}) {
        const std::wstring path = temp.File(name);
        model::CCommands menu;
        menu.ConfigFileName(path);
        EXPECT_FALSE(menu.LoadItems()) << name;
        ASSERT_FALSE(env.dialogs.Messages().empty());
        EXPECT_EQ(env.dialogs.Messages().back().text,
                  path + L"\r\n\r\nНе удалось прочитать файл меню.\r\n\r\nЭто имя устройства, а не файла.");
        // Start-up takes it for a file, so that it reaches this message, not "not found".
        EXPECT_TRUE(platform::esIsFileExist(path)) << name;
    }
}

TEST_F(DeviceNamesWine, NothingIsWrittenToADevice) {
    EXPECT_TRUE(files::IsRefusal(files::SaveAtomically(temp.File(L"CON"), "x"),
                                 files::FileRefusal::DeviceName));
}

}  // namespace
