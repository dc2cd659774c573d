#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

// The resources the executable carries, read back from the running test executable, which is
// linked with the same resource script.

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;  // 0 means 256
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct GroupIconDir {
    WORD reserved;
    WORD type;
    WORD count;
    GroupIconEntry entries[1];
};
#pragma pack(pop)

struct ResourceBytes {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

ResourceBytes FindBytes(const wchar_t* name, const wchar_t* type) {
    const HRSRC found = FindResourceW(nullptr, name, type);
    if (found == nullptr) return {};
    const HGLOBAL loaded = LoadResource(nullptr, found);
    if (loaded == nullptr) return {};
    return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(nullptr, found)};
}

std::set<int> GroupSizes(const wchar_t* group) {
    const ResourceBytes bytes = FindBytes(group, RT_GROUP_ICON);
    std::set<int> sizes;
    if (bytes.data == nullptr) return sizes;
    const auto* dir = reinterpret_cast<const GroupIconDir*>(bytes.data);
    for (WORD i = 0; i < dir->count; ++i) {
        const GroupIconEntry& entry = dir->entries[i];
        const int width = entry.width == 0 ? 256 : entry.width;
        const int height = entry.height == 0 ? 256 : entry.height;
        EXPECT_EQ(width, height) << "icon " << entry.id << " is not square";
        EXPECT_NE(nullptr, FindResourceW(nullptr, MAKEINTRESOURCEW(entry.id), RT_ICON))
            << "the group lists icon " << entry.id << ", which is missing";
        sizes.insert(width);
    }
    return sizes;
}

// The image the system picks from the group for that size, made into an icon, and its width.
int PickedIconWidth(const wchar_t* group, int size) {
    const ResourceBytes dir = FindBytes(group, RT_GROUP_ICON);
    if (dir.data == nullptr) return 0;
    const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(dir.data), TRUE, size, size,
                                               LR_DEFAULTCOLOR);
    const ResourceBytes image = FindBytes(MAKEINTRESOURCEW(id), RT_ICON);
    if (image.data == nullptr) return 0;
    const HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.data), image.size, TRUE,
                                                0x00030000, size, size, LR_DEFAULTCOLOR);
    if (icon == nullptr) return 0;
    ICONINFO info{};
    BITMAP bitmap{};
    if (GetIconInfo(icon, &info)) {
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    DestroyIcon(icon);
    return bitmap.bmWidth;
}

// The bytes of the group's image of that size.
std::vector<BYTE> IconImage(const wchar_t* group, int size) {
    const ResourceBytes bytes = FindBytes(group, RT_GROUP_ICON);
    if (bytes.data == nullptr) return {};
    const auto* dir = reinterpret_cast<const GroupIconDir*>(bytes.data);
    for (WORD i = 0; i < dir->count; ++i) {
        if (dir->entries[i].width != size) continue;
        const ResourceBytes image = FindBytes(MAKEINTRESOURCEW(dir->entries[i].id), RT_ICON);
        return {image.data, image.data + image.size};
    }
    return {};
}

std::string ManifestText() {
    const ResourceBytes bytes =
        FindBytes(CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    return bytes.data == nullptr ? std::string()
                                 : std::string(reinterpret_cast<const char*>(bytes.data),
                                               bytes.size);
}

}  // namespace

TEST(ResourcesIcons, MainMarkHas32And16Pixels) {
    EXPECT_EQ((std::set<int>{16, 32}), GroupSizes(L"A_MAIN"));
}

TEST(ResourcesIcons, MenuWindowIconHas48And32And16Pixels) {
    EXPECT_EQ((std::set<int>{16, 32, 48}), GroupSizes(L"IDI_CD_PLAYER"));
}

TEST(ResourcesIcons, MenuFileIconHas32And16Pixels) {
    EXPECT_EQ((std::set<int>{16, 32}), GroupSizes(L"IDI_ASSOCIATION"));
}

TEST(ResourcesIcons, DefaultIconOneHasTheShellSizes) {
    const std::set<int> sizes = GroupSizes(MAKEINTRESOURCEW(1));
    for (int size : {16, 32, 48, 256}) EXPECT_TRUE(sizes.count(size)) << size << " px missing";
}

TEST(ResourcesIcons, DefaultIconShowsTheSameMarkAsTheMainIcon) {
    for (int size : {16, 32}) {
        const std::vector<BYTE> main = IconImage(L"A_MAIN", size);
        ASSERT_FALSE(main.empty()) << size;
        EXPECT_EQ(main, IconImage(MAKEINTRESOURCEW(1), size)) << size << " px differ";
    }
}

TEST(ResourcesIcons, TheSystemFindsAnExactImageForEveryListedSize) {
    const struct {
        const wchar_t* group;
        std::vector<int> sizes;
    } groups[] = {{L"A_MAIN", {32, 16}},
                  {L"IDI_CD_PLAYER", {48, 32, 16}},
                  {L"IDI_ASSOCIATION", {32, 16}},
                  {MAKEINTRESOURCEW(1), {48, 32, 16}}};
    for (const auto& group : groups) {
        for (int size : group.sizes) {
            EXPECT_EQ(size, PickedIconWidth(group.group, size)) << size << " px";
        }
    }
}

TEST(ResourcesIcons, LoadImageGivesTheMainIconAtSmallSize) {
    const HANDLE icon =
        LoadImageW(GetModuleHandleW(nullptr), L"A_MAIN", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR);
    ASSERT_NE(nullptr, icon);
    DestroyIcon(static_cast<HICON>(icon));
}

TEST(ResourcesManifest, IsEmbeddedAsTheProcessManifest) {
    EXPECT_NE(std::string::npos, ManifestText().find("<assembly"));
}

TEST(ResourcesManifest, AsksForCommonControlsSix) {
    const std::string text = ManifestText();
    const std::size_t name = text.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(std::string::npos, name);
    const std::size_t end = text.find("/>", name);
    EXPECT_NE(std::string::npos, text.substr(name, end - name).find("version=\"6.0.0.0\""));
}

TEST(ResourcesManifest, DeclaresPerMonitorV2WithPerMonitorFallback) {
    const std::string text = ManifestText();
    EXPECT_NE(std::string::npos, text.find(">PerMonitorV2, PerMonitor</dpiAwareness>"));
    EXPECT_NE(std::string::npos, text.find(">true/pm</dpiAware>"));
}

TEST(ResourcesManifest, DeclaresLongPathAwareness) {
    EXPECT_NE(std::string::npos,
              ManifestText().find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                                  "WindowsSettings\">true</longPathAware>"));
}

TEST(ResourcesManifest, RunsAsInvokerOnWindowsSevenToEleven) {
    const std::string text = ManifestText();
    EXPECT_NE(std::string::npos, text.find("level=\"asInvoker\""));
    for (const char* os : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(std::string::npos, text.find(os)) << os;
    }
}

TEST(ResourcesManifest, TheProcessLoadsCommonControlsSix) {
    // Only the manifest's dependency redirects comctl32.dll to the side-by-side assembly.
    ACTCTX_SECTION_KEYED_DATA found{};
    found.cbSize = sizeof found;
    ASSERT_TRUE(FindActCtxSectionStringW(FIND_ACTCTX_SECTION_KEY_RETURN_HACTCTX, nullptr,
                                         ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &found))
        << "comctl32.dll is not redirected, error " << GetLastError();
    DWORD index = found.ulAssemblyRosterIndex;
    SIZE_T needed = 0;
    QueryActCtxW(0, found.hActCtx, &index, AssemblyDetailedInformationInActivationContext, nullptr,
                 0, &needed);
    std::vector<BYTE> buffer(needed);
    const BOOL queried =
        QueryActCtxW(0, found.hActCtx, &index, AssemblyDetailedInformationInActivationContext,
                     buffer.data(), buffer.size(), &needed);
    ReleaseActCtx(found.hActCtx);
    ASSERT_TRUE(queried);
    const auto* assembly =
        reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer.data());
    const std::wstring identity = assembly->lpAssemblyEncodedAssemblyIdentity;
    EXPECT_EQ(0u, identity.find(L"Microsoft.Windows.Common-Controls,")) << identity;
    EXPECT_NE(std::wstring::npos, identity.find(L"version=\"6.")) << identity;
}
