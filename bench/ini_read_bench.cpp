// Reading a 1000-item menu file key by key: through asReadStringFromINI (inside a read session,
// as LoadItems does, and one call without a session) and, on Windows, through
// GetPrivateProfileStringW; then what one session's read is made of.
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/files/FileSystem.h"
#include "platform/ini/IniDocument.h"
#include "platform/ini/IniEncoding.h"
#include "platform/support/IniAccess.h"
#include "support/Figures.h"
#include "support/SampleMenu.h"

namespace {

namespace fs = std::filesystem;
using namespace bench;

constexpr int kItems = 1000;

int ReadThroughIniAccess(const std::wstring& fileName) {
    return ReadMenuKeyByKey(
        [&](const std::wstring& section, const wchar_t* key) {
            return platform::asReadStringFromINI(section, key, L"", fileName, 0);
        },
        kItems);
}

void Check(int found) {
    if (found != kItems) std::printf("read %d items instead of %d\n", found, kItems);
}

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / "larkspur-ini-read-bench";
    fs::create_directories(folder);
    const std::wstring fileName = (folder / "menu1000.Larkspur").wstring();
    if (!MakeMenu(kItems, fileName).SaveItems()) {
        std::printf("could not write %ls\n", fileName.c_str());
        return 1;
    }
    const int calls = 1 + 6 * kItems;
    const std::string read = "read 1000: ";
    const std::string keyByKey = " key by key (" + std::to_string(calls) + " calls)";

    Heading("1000 items read key by key");
    const double inSession = MedianMicroseconds([&] {
        const platform::IniReadSession session(fileName);
        Check(ReadThroughIniAccess(fileName));
    });
    Figure(read + "asReadStringFromINI in a read session," + keyByKey, inSession, "us");
    const double oneCall = MedianMicroseconds([&] {
        if (platform::asReadStringFromINI(L"Item 999", L"Title", L"", fileName, 0).empty()) {
            std::printf("Item 999 has no title\n");
        }
    });
    Figure(read + "one asReadStringFromINI call without a session", oneCall, "us");
#ifdef _WIN32
    const double profile = MedianMicroseconds(
        [&] {
            Check(ReadMenuKeyByKey(
                [&](const std::wstring& section, const wchar_t* key) {
                    return ProfileString(section, key, fileName);
                },
                kItems));
        },
        1);
    Figure(read + "GetPrivateProfileStringW," + keyByKey, profile, "us");
    Figure(read + "GetPrivateProfileStringW / asReadStringFromINI in a session",
           profile / inSession, "x");
#endif

    Heading("what a read session costs, step by step");
    std::string bytes;
    const double fileRead = MedianMicroseconds([&] {
        if (platform::files::ReadWholeFile(fileName, bytes) != platform::files::ReadResult::Read) {
            std::printf("could not read the file\n");
        }
    });
    std::wstring text;
    const double decode = MedianMicroseconds([&] { text = platform::ini::DecodeIniBytes(bytes); });
    platform::ini::IniDocument document;
    const double parse =
        MedianMicroseconds([&] { document = platform::ini::IniDocument::FromText(text); });
    const double lookups = MedianMicroseconds([&] {
        Check(ReadMenuKeyByKey(
            [&](const std::wstring& section, const wchar_t* key) {
                return document.Find(section, key).value_or(L"");
            },
            kItems));
    });
    Figure(read + "step: read the file's bytes", fileRead, "us");
    Figure(read + "step: decode the text", decode, "us");
    Figure(read + "step: parse the text", parse, "us");
    Figure(read + "step: IniDocument::Find," + keyByKey, lookups, "us");

    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
