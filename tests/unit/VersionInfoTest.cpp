#include <gtest/gtest.h>

#include "app/modFormatVersion.h"
#include "platform/Application.h"

namespace {

// Installs an application object for one test and puts the previous one back afterwards.
class VersionInfo : public ::testing::Test {
protected:
    void SetUp() override { saved_ = platform::App(); }
    void TearDown() override { platform::SetApp(saved_); }

    static void Install(const std::wstring& title, int major, int minor, int revision,
                        const std::wstring& notice) {
        platform::Application app;
        app.Title = title;
        app.Major = major;
        app.Minor = minor;
        app.Revision = revision;
        app.LegalCopyright = notice;
        platform::SetApp(app);
    }

private:
    platform::Application saved_;
};

}  // namespace

TEST_F(VersionInfo, FormatVersionReadsTheInstalledApplication) {
    Install(L"Brindle - Show larkspur", 3, 2, 46, L"Copyright");
    EXPECT_EQ(L"3.02.0046", app::FormatVersion());
    Install(L"Brindle - Show larkspur", 4, 7, 5, L"Copyright");
    EXPECT_EQ(L"4.07.0005", app::FormatVersion());
}

TEST_F(VersionInfo, IsTitleBlankVersionThenTheNoticeLineOnTheNextLine) {
    Install(L"Brindle - Show larkspur", 3, 2, 46, L"\u00A9 Somebody, 2026");
    EXPECT_EQ(L"Brindle - Show larkspur 3.02.0046\r\n\u00A9 Somebody, 2026",
              app::FormatVersionInfo());
}

TEST_F(VersionInfo, KeepsTheNoticeLineExactlyAsTheVersionDataHoldsIt) {
    Install(L"T", 1, 0, 0, L"  Trailing and leading blanks stay  ");
    EXPECT_EQ(L"T 1.00.0000\r\n  Trailing and leading blanks stay  ", app::FormatVersionInfo());
}

TEST_F(VersionInfo, AnEmptyNoticeLineStillEndsTheFirstLine) {
    Install(L"Brindle - Show larkspur", 3, 2, 46, L"");
    EXPECT_EQ(L"Brindle - Show larkspur 3.02.0046\r\n", app::FormatVersionInfo());
}
