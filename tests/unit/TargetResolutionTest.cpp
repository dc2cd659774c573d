// Finding what an item starts, for its icon, by the shell's rules: on a lookup that knows a few
// files, variables, registered programs and search folders.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/shell/TargetResolution.h"

namespace {

using platform::ResolvedTarget;
using platform::ShellTarget;

class FakeLookup : public platform::TargetLookup {
public:
    std::wstring Expand(const std::wstring& text) override {
        std::wstring result = text;
        for (const auto& [name, value] : variables) {
            const std::wstring pattern = L"%" + name + L"%";
            for (size_t at; (at = result.find(pattern)) != std::wstring::npos;) {
                result.replace(at, pattern.size(), value);
            }
        }
        return result;
    }
    std::optional<std::uint32_t> Attributes(const std::wstring& path) override {
        if (!files.contains(path)) return std::nullopt;
        const auto found = attributes.find(path);
        return found == attributes.end() ? 0 : found->second;
    }
    std::wstring AppPath(const std::wstring& name) override {
        auto found = appPaths.find(name);
        return found == appPaths.end() ? L"" : found->second;
    }
    std::vector<std::wstring> SearchFolders() override { return searchFolders; }

    std::set<std::wstring> files;
    std::map<std::wstring, std::uint32_t> attributes;  // of some of the files
    std::map<std::wstring, std::wstring> variables;
    std::map<std::wstring, std::wstring> appPaths;
    std::vector<std::wstring> searchFolders{L"C:\\Windows\\system32"};
};

ResolvedTarget PathOf(const std::wstring& path) { return {ResolvedTarget::Kind::Path, path, {}}; }
const ResolvedTarget kMissing{};

class TargetResolutionTest : public ::testing::Test {
protected:
    ResolvedTarget Resolve(const std::wstring& fileName, const std::wstring& directory = L"") {
        return platform::ResolveTarget({fileName, directory, L"D:\\Menus"}, lookup);
    }
    FakeLookup lookup;
};

TEST_F(TargetResolutionTest, AbsolutePathsAfterVariablesAreExpandedAreTakenWhenTheyExist) {
    lookup.variables[L"TOOLS"] = L"E:\\Tools";
    lookup.files = {L"E:\\Tools\\app.exe", L"\\\\server\\share\\doc.txt"};
    EXPECT_EQ(Resolve(L"%TOOLS%\\app.exe"), PathOf(L"E:\\Tools\\app.exe"));
    EXPECT_EQ(Resolve(L"\\\\server\\share\\doc.txt"), PathOf(L"\\\\server\\share\\doc.txt"));
    EXPECT_EQ(Resolve(L"E:\\Tools\\gone.exe"), kMissing);
    EXPECT_EQ(Resolve(L""), kMissing);
}

TEST_F(TargetResolutionTest, AUrlGivesItsProtocolAndADriveIsNoProtocol) {
    EXPECT_EQ(Resolve(L"https://example.org/x"), (ResolvedTarget{ResolvedTarget::Kind::Url, {}, L"https"}));
    EXPECT_EQ(Resolve(L"mailto:someone@example.org").scheme, L"mailto");
    EXPECT_EQ(Resolve(L"C:\\nothing.exe"), kMissing);
}

TEST_F(TargetResolutionTest, RelativeNamesAreLookedForInTheWorkingFolderThenTheMenuFolder) {
    lookup.files = {L"D:\\Menus\\bin\\run.bat", L"D:\\Menus\\readme.txt", L"D:\\Work\\readme.txt",
                    L"D:\\Menus\\..\\Work\\readme.txt", L"D:\\tool.exe"};
    EXPECT_EQ(Resolve(L"bin\\run.bat"), PathOf(L"D:\\Menus\\bin\\run.bat"));
    EXPECT_EQ(Resolve(L"readme.txt"), PathOf(L"D:\\Menus\\readme.txt"));
    EXPECT_EQ(Resolve(L"readme.txt", L"D:\\Work"), PathOf(L"D:\\Work\\readme.txt"));
    EXPECT_EQ(Resolve(L"readme.txt", L"..\\Work"), PathOf(L"D:\\Menus\\..\\Work\\readme.txt"))
        << "a relative working folder is the menu folder's";
    EXPECT_EQ(Resolve(L"\\tool.exe"), PathOf(L"D:\\tool.exe")) << "on the menu folder's drive";
}

TEST_F(TargetResolutionTest, ABareProgramNameIsFoundUnderAppPathsThenInTheSearchFolders) {
    lookup.appPaths[L"word.exe"] = L"%ProgramFiles%\\Office\\word.exe";
    lookup.variables[L"ProgramFiles"] = L"C:\\Program Files";
    lookup.files = {L"C:\\Program Files\\Office\\word.exe", L"C:\\Windows\\system32\\notepad.exe",
                    L"D:\\Menus\\notepad.exe"};
    EXPECT_EQ(Resolve(L"word"), PathOf(L"C:\\Program Files\\Office\\word.exe"));
    EXPECT_EQ(Resolve(L"notepad.exe"), PathOf(L"D:\\Menus\\notepad.exe")) << "the menu folder first";
    lookup.files.erase(L"D:\\Menus\\notepad.exe");
    EXPECT_EQ(Resolve(L"notepad"), PathOf(L"C:\\Windows\\system32\\notepad.exe"));
    EXPECT_EQ(Resolve(L"sub\\notepad.exe"), kMissing) << "a path is not searched for";
}

// FILE_ATTRIBUTE_OFFLINE, _RECALL_ON_OPEN, _RECALL_ON_DATA_ACCESS; ARCHIVE, READONLY.
TEST_F(TargetResolutionTest, AFileKeptOnlyOnlineIsToldByItsAttributes) {
    lookup.files = {L"D:\\Menus\\offline.exe", L"D:\\Menus\\placeholder.exe", L"D:\\Menus\\online.doc",
                    L"D:\\Menus\\here.exe", L"C:\\Windows\\system32\\synced.exe"};
    lookup.attributes = {{L"D:\\Menus\\offline.exe", 0x1000},
                         {L"D:\\Menus\\placeholder.exe", 0x40000 | 0x20},
                         {L"D:\\Menus\\online.doc", 0x400000},
                         {L"D:\\Menus\\here.exe", 0x20 | 0x1},
                         {L"C:\\Windows\\system32\\synced.exe", 0x400000}};
    for (const wchar_t* name : {L"offline", L"placeholder.exe", L"online.doc", L"synced"}) {
        EXPECT_TRUE(platform::HasDataElsewhere(Resolve(name))) << name;
    }
    EXPECT_EQ(Resolve(L"here").attributes, 0x21u);
    EXPECT_FALSE(platform::HasDataElsewhere(Resolve(L"here")));
    EXPECT_FALSE(platform::HasDataElsewhere(Resolve(L"https://example.org")));
}

TEST(TargetRootTest, IsTheServerOrDriveWhereLookingMayWait) {
    EXPECT_EQ(platform::TargetRoot({L"\\\\Server\\Share\\a.exe", L"", L"C:\\m"}), L"\\\\server");
    EXPECT_EQ(platform::TargetRoot({L"Z:\\a.exe", L"", L"C:\\m"}), L"z:");
    EXPECT_EQ(platform::TargetRoot({L"a.exe", L"", L"\\\\nas\\menus"}), L"\\\\nas");
    EXPECT_EQ(platform::TargetRoot({L"http://x", L"", L"C:\\m"}), L"");
}

TEST(TargetRootTest, ARelativeNameIsFiledUnderItsAbsoluteWorkingFolder) {
    EXPECT_EQ(platform::TargetRoot({L"a.exe", L"\\\\Home\\me", L"C:\\m"}), L"\\\\home");
    EXPECT_EQ(platform::TargetRoot({L"bin\\a.exe", L"H:\\", L"C:\\m"}), L"h:");
    EXPECT_EQ(platform::TargetRoot({L"a.exe", L"..\\work", L"C:\\m"}), L"c:")
        << "the menu folder's";
    EXPECT_EQ(platform::TargetRoot({L"a.exe", L"\\work", L"D:\\m"}), L"d:") << "on its drive";
    EXPECT_EQ(platform::TargetRoot({L"Z:\\a.exe", L"H:\\", L"C:\\m"}), L"z:");
}

TEST(TargetRootTest, ALongPathIsFiledUnderTheDriveOrServerAfterItsPrefix) {
    EXPECT_EQ(platform::TargetRoot({L"\\\\?\\C:\\a.exe", L"", L"D:\\m"}), L"c:");
    EXPECT_EQ(platform::TargetRoot({L"\\\\?\\UNC\\Server\\Share\\a.exe", L"", L"D:\\m"}),
              L"\\\\server");
    EXPECT_EQ(platform::TargetRoot({L"\\\\.\\E:\\a.exe", L"", L"D:\\m"}), L"e:");
    EXPECT_EQ(platform::TargetRoot({L"\\\\?\\Volume{1}\\a.exe", L"", L"D:\\m"}),
              L"\\\\?\\volume{1}");
    EXPECT_EQ(platform::TargetRoot({L"a.exe", L"\\\\?\\unc\\nas\\x", L"D:\\m"}), L"\\\\nas");
}

}  // namespace
