// The end-to-end harness's eyes and hands inside Wine: it reads what a window of another process
// shows (its controls, their texts, list rows, fonts, geometry, focus), reads the registry, and
// types text that has no key on the X keyboard. Output is UTF-8, one record per line, fields
// separated by tabs as name=value; tabs, line breaks and backslashes inside values are escaped.
//
//   e2e_probe windows                 every visible top-level window
//   e2e_probe window TITLE            that window (exact title), its controls and their items
//   e2e_probe tips TITLE              the tool tips of that window's controls
//   e2e_probe uilanguage              the display language Windows gives programs (LANGID)
//   e2e_probe type TEXT               TEXT as Unicode keystrokes to the foreground window
//   e2e_probe reg KEY [NAME]          the values of a registry key (HKCU\, HKLM\ or HKCR\...)
//   e2e_probe close TITLE             asks that window to close (WM_CLOSE)
//   e2e_probe dpi                     the resolution a DPI-aware program is given (LogPixels)
//   e2e_probe font FACE PIXELS        the row height (tmHeight) of that font, PIXELS high (em)
//   e2e_probe icon FILE INDEX|NAME    a digest of the icon the shell takes from FILE at INDEX
//                                     (as in "path,index"), or of the icon group NAME in it
//   e2e_probe drop TITLE LIST ROWS    drops the files listed in LIST (UTF-8, one a line) on the
//                                     list of that window, as the shell does, and times it
//
// The probe makes itself per-monitor DPI aware, so that it reads geometry in real pixels
// whatever the awareness of the window it looks at.
#ifndef _WIN32
#error "e2e_probe runs inside Wine: it builds only for Windows"
#endif

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        size, nullptr, nullptr);
    return result;
}

void Write(HANDLE handle, const std::string& text) {
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void Fail(const std::wstring& message) {
    Write(GetStdHandle(STD_ERROR_HANDLE), "e2e_probe: " + Utf8(message) + "\n");
}

// One output record: a kind followed by name=value fields.
class Record {
public:
    explicit Record(const char* kind) : line_(kind) {}

    Record& Field(const char* name, const std::wstring& value) {
        line_ += '\t';
        line_ += name;
        line_ += '=';
        for (char c : Utf8(value)) {
            switch (c) {
                case '\\': line_ += "\\\\"; break;
                case '\t': line_ += "\\t"; break;
                case '\n': line_ += "\\n"; break;
                case '\r': line_ += "\\r"; break;
                default: line_ += c;
            }
        }
        return *this;
    }

    Record& Field(const char* name, long long value) {
        return Field(name, std::to_wstring(value));
    }

    ~Record() { Write(GetStdHandle(STD_OUTPUT_HANDLE), line_ + "\n"); }

private:
    std::string line_;
};

std::wstring Hex(unsigned long long value, int minimumDigits) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), L"0123456789abcdef"[value % 16]);
        value /= 16;
    } while (value || static_cast<int>(digits.size()) < minimumDigits);
    return digits;
}

std::wstring HexHandle(HWND window) {
    return L"0x" + Hex(reinterpret_cast<ULONG_PTR>(window), 1);
}

template <class Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

void BecomeDpiAware() {
    using SetContextFunction = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    if (auto setContext = User32Function<SetContextFunction>("SetProcessDpiAwarenessContext")) {
        if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return;
    }
    SetProcessDPIAware();
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    UINT dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// Per-window DPI exists from Windows 10 on; older systems have only the system DPI. A window
// that is not DPI aware has 96.
UINT DpiOf(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow) return getDpiForWindow(window);
    return SystemDpi();
}

std::wstring ClassOf(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

// WM_GETTEXT is marshalled between processes, so it returns what a control holds now.
std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(copied);
    return text;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

struct ListMessages {
    UINT count, textLength, text, currentSelection;
};

constexpr ListMessages kListBox{LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL};
constexpr ListMessages kComboBox{CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_GETCURSEL};

void PrintItems(HWND control, const ListMessages& messages) {
    LRESULT count = Ask(control, messages.count);
    LRESULT current = Ask(control, messages.currentSelection);
    for (LRESULT index = 0; index < count; ++index) {
        LRESULT length = Ask(control, messages.textLength, index);
        std::wstring text(length > 0 ? length + 1 : 1, L'\0');
        if (length > 0) {
            Ask(control, messages.text, index, reinterpret_cast<LPARAM>(text.data()));
            text.resize(length);
        } else {
            text.clear();
        }
        Record("item")
            .Field("control", GetDlgCtrlID(control))
            .Field("index", index)
            .Field("selected", index == current ? 1 : 0)
            .Field("text", text);
    }
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FindTopLevel(const std::wstring& title) {
    for (HWND window : TopLevelWindows()) {
        if (IsWindowVisible(window) && TextOf(window) == title) return window;
    }
    return nullptr;
}

void PrintTopLevel(HWND window) {
    RECT rect{}, client{};
    GetWindowRect(window, &rect);
    GetClientRect(window, &client);
    Record("window")
        .Field("hwnd", HexHandle(window))
        .Field("class", ClassOf(window))
        .Field("title", TextOf(window))
        .Field("x", rect.left)
        .Field("y", rect.top)
        .Field("width", rect.right - rect.left)
        .Field("height", rect.bottom - rect.top)
        .Field("client_width", client.right)
        .Field("client_height", client.bottom)
        .Field("dpi", DpiOf(window))
        .Field("enabled", IsWindowEnabled(window) ? 1 : 0)
        .Field("foreground", GetForegroundWindow() == window ? 1 : 0);
}

bool IsClass(HWND window, const wchar_t* name) {
    return lstrcmpiW(ClassOf(window).c_str(), name) == 0;
}

// Position relative to the top-level window's client area, as the program lays it out.
void PrintControl(HWND control, HWND top, HWND focus) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&rect), 2);
    Record record("control");
    record.Field("id", GetDlgCtrlID(control))
        .Field("class", ClassOf(control))
        .Field("text", TextOf(control))
        .Field("x", rect.left)
        .Field("y", rect.top)
        .Field("width", rect.right - rect.left)
        .Field("height", rect.bottom - rect.top)
        .Field("visible", IsWindowVisible(control) ? 1 : 0)
        .Field("enabled", IsWindowEnabled(control) ? 1 : 0)
        .Field("focused", control == focus ? 1 : 0)
        .Field("parent", HexHandle(GetParent(control)));
    // A font handle means nothing in another process; the row height shows the font's size.
    if (IsClass(control, L"ListBox")) record.Field("item_height", Ask(control, LB_GETITEMHEIGHT));
    if (IsClass(control, L"ComboBox")) record.Field("item_height", Ask(control, CB_GETITEMHEIGHT));
}

int ListWindows() {
    for (HWND window : TopLevelWindows()) {
        if (IsWindowVisible(window)) PrintTopLevel(window);
    }
    return 0;
}

int ShowWindowDetails(const std::wstring& title) {
    HWND window = FindTopLevel(title);
    if (!window) {
        Fail(L"no visible window titled \"" + title + L"\"");
        return 1;
    }
    PrintTopLevel(window);

    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    std::vector<HWND> controls = Descendants(window);
    for (HWND control : controls) PrintControl(control, window, thread.hwndFocus);
    // Items after the controls, so that each control's record comes first.
    for (HWND control : controls) {
        if (IsClass(control, L"ListBox")) PrintItems(control, kListBox);
        if (IsClass(control, L"ComboBox")) PrintItems(control, kComboBox);
    }
    return 0;
}

// Tool-tip messages carry pointers, which another process cannot follow: the tool's record and
// its text are written to and read from memory allocated in the window's own process.
int PrintToolTips(const std::wstring& title) {
    HWND window = FindTopLevel(title);
    DWORD processId = 0;
    if (window) GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                 FALSE, processId);
    if (!process) {
        Fail(L"no process with a visible window titled \"" + title + L"\"");
        return 1;
    }
    constexpr SIZE_T kTextChars = 1024;
    auto* remote = static_cast<BYTE*>(VirtualAllocEx(process, nullptr,
                                                     sizeof(TTTOOLINFOW) + kTextChars * 2,
                                                     MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(TTTOOLINFOW));
    for (HWND tips : TopLevelWindows()) {
        if (!IsClass(tips, TOOLTIPS_CLASSW) || GetWindow(tips, GW_OWNER) != window) continue;
        const LRESULT count = Ask(tips, TTM_GETTOOLCOUNT);
        for (LRESULT index = 0; index < count; ++index) {
            TTTOOLINFOW tool{};
            tool.cbSize = TTTOOLINFOW_V2_SIZE;
            WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
            if (Ask(tips, TTM_ENUMTOOLSW, index, reinterpret_cast<LPARAM>(remote)) <= 0) continue;
            ReadProcessMemory(process, remote, &tool, sizeof tool, nullptr);
            std::vector<wchar_t> text(kTextChars, L'\0');
            tool.lpszText = remoteText;
            WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
            WriteProcessMemory(process, remoteText, text.data(), kTextChars * 2, nullptr);
            Ask(tips, TTM_GETTEXTW, kTextChars, reinterpret_cast<LPARAM>(remote));
            ReadProcessMemory(process, remoteText, text.data(), kTextChars * 2, nullptr);
            text.back() = L'\0';
            Record("tip")
                .Field("control", GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId)))
                .Field("text", text.data());
        }
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return 0;
}

int PrintUiLanguage() {
    Record("language").Field("ui", L"0x" + Hex(GetUserDefaultUILanguage(), 4));
    return 0;
}

int TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t unit : text) {
        for (DWORD flags : {KEYEVENTF_UNICODE, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        }
    }
    for (const INPUT& input : inputs) {
        // One event at a time, with a pause, as a person types: the target handles each key
        // before the next one arrives.
        if (SendInput(1, const_cast<INPUT*>(&input), sizeof(INPUT)) != 1) {
            Fail(L"SendInput failed");
            return 1;
        }
        Sleep(10);
    }
    return 0;
}

std::wstring RegistryData(DWORD type, const std::vector<BYTE>& data) {
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ: {
            std::wstring text(reinterpret_cast<const wchar_t*>(data.data()),
                              data.size() / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0') text.pop_back();
            return text;
        }
        case REG_DWORD:
            return data.size() >= 4 ? std::to_wstring(*reinterpret_cast<const DWORD*>(data.data()))
                                    : L"";
        default: {
            std::wstring hex;
            for (BYTE b : data) hex += Hex(b, 2);
            return hex;
        }
    }
}

const wchar_t* RegistryTypeName(DWORD type) {
    switch (type) {
        case REG_SZ: return L"REG_SZ";
        case REG_EXPAND_SZ: return L"REG_EXPAND_SZ";
        case REG_DWORD: return L"REG_DWORD";
        case REG_MULTI_SZ: return L"REG_MULTI_SZ";
        default: return L"REG_BINARY";
    }
}

int ReadRegistry(const std::wstring& path, const wchar_t* onlyName) {
    HKEY root = nullptr;
    std::wstring subKey;
    for (auto [prefix, key] : {std::pair{L"HKCU\\", HKEY_CURRENT_USER},
                               std::pair{L"HKLM\\", HKEY_LOCAL_MACHINE},
                               std::pair{L"HKCR\\", HKEY_CLASSES_ROOT}}) {
        if (path.rfind(prefix, 0) == 0) {
            root = key;
            subKey = path.substr(lstrlenW(prefix));
        }
    }
    if (!root) {
        Fail(L"a registry key starts with HKCU\\, HKLM\\ or HKCR\\: " + path);
        return 2;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        Fail(L"no registry key " + path);
        return 1;
    }
    bool found = false;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384, type = 0, size = 0;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        if (onlyName && lstrcmpiW(name, onlyName) != 0) continue;
        std::vector<BYTE> data(size);
        nameLength = 16384;
        RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size);
        data.resize(size);
        Record("value")
            .Field("name", name)
            .Field("type", RegistryTypeName(type))
            .Field("data", RegistryData(type, data));
        found = true;
    }
    RegCloseKey(key);
    if (onlyName && !found) {
        Fail(L"no value \"" + std::wstring(onlyName) + L"\" under " + path);
        return 1;
    }
    return 0;
}

int CloseWindowTitled(const std::wstring& title) {
    HWND window = FindTopLevel(title);
    if (!window) {
        Fail(L"no visible window titled \"" + title + L"\"");
        return 1;
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}

int PrintDpi() {
    Record("screen").Field("dpi", SystemDpi());
    return 0;
}

// Another process's font handle cannot be read, but a list box's row height is its font's
// tmHeight: this gives the row height a font of a known size has, to compare with.
int PrintFont(const std::wstring& face, int pixels) {
    HFONT font = CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    wchar_t actual[LF_FACESIZE] = {};
    GetTextFaceW(screen, LF_FACESIZE, actual);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    Record("font").Field("face", actual).Field("em", pixels).Field("height", metrics.tmHeight);
    return 0;
}

// The DLLs loaded in the process that shows the window.
int ListModules(const std::wstring& title) {
    HWND window = FindTopLevel(title);
    DWORD processId = 0;
    if (window) GetWindowThreadProcessId(window, &processId);
    HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) {
        Fail(L"no process with a visible window titled \"" + title + L"\"");
        return 1;
    }
    std::vector<HMODULE> modules(1024);
    DWORD needed = 0;
    if (EnumProcessModules(process, modules.data(),
                           static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed)) {
        modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
        for (HMODULE module : modules) {
            wchar_t name[MAX_PATH] = L"";
            if (GetModuleBaseNameW(process, module, name, MAX_PATH)) {
                Record("module").Field("name", name);
            }
        }
    }
    CloseHandle(process);
    return 0;
}

// Holds the file open with no sharing, as a program in the middle of its save may, for at most
// `seconds` or until the probe is ended; says "locked" once it holds it.
int LockFile(const std::wstring& path, int seconds) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Fail(L"cannot open " + path);
        return 1;
    }
    Record("locked").Field("path", path);  // written at once, before the wait
    Sleep(static_cast<DWORD>(seconds) * 1000);
    CloseHandle(file);
    return 0;
}

// Folds the bits of a bitmap, read as 32-bit pixels, into an FNV-1a digest.
unsigned long long Digest(HBITMAP bitmap, unsigned long long digest) {
    BITMAP size{};
    if (!bitmap || !GetObjectW(bitmap, sizeof size, &size)) return digest;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.bmWidth;
    format.bmiHeader.biHeight = -size.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<BYTE> pixels(static_cast<size_t>(size.bmWidth) * size.bmHeight * 4);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, size.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (BYTE b : pixels) digest = (digest ^ b) * 1099511628211ull;
    return digest;
}

// The icon the shell takes for "FILE,INDEX" (a resource id when negative), or the icon group
// NAME of FILE, at the large icon size: its size and a digest of its colour and mask bits.
int PrintIcon(const std::wstring& file, const std::wstring& which) {
    const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    HICON icon = nullptr;
    if (which.find_first_not_of(L"-0123456789") == std::wstring::npos) {
        UINT id = 0;
        PrivateExtractIconsW(file.c_str(), _wtoi(which.c_str()), cx, cy, &icon, &id, 1, 0);
    } else if (HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        icon = static_cast<HICON>(LoadImageW(module, which.c_str(), IMAGE_ICON, cx, cy, 0));
        FreeLibrary(module);
    }
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) {
        Fail(L"no icon " + which + L" in " + file);
        return 1;
    }
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    const unsigned long long digest =
        Digest(info.hbmMask, Digest(info.hbmColor, 14695981039346656037ull));
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    Record("icon")
        .Field("width", colour.bmWidth)
        .Field("height", colour.bmHeight)
        .Field("digest", Hex(digest, 16));
    return 0;
}

// The visible message box of the process, if one shows.
HWND MessageBoxOf(DWORD processId) {
    for (HWND window : TopLevelWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window) && ClassOf(window) == L"#32770") {
            return window;
        }
    }
    return nullptr;
}

// The lines of a UTF-8 file.
std::vector<std::wstring> LinesOf(const std::wstring& path) {
    std::vector<std::wstring> lines;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lines;
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    std::wstring text(bytes.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(read), text.data(),
                                    static_cast<int>(text.size())));
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        if (end > start) lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Drops the files on the list box of the window, in its middle, as the shell posts a drop: a
// DROPFILES block of wide names. Then asks the list for its rows every 20 ms until it has
// `rows`, a message box shows or 60 s have passed, and prints a `drop` record: the rows, the
// time from the drop until then, and the longest the window took to answer one question.
int DropFiles(const std::wstring& title, const std::wstring& listFile, int rows) {
    HWND window = FindTopLevel(title);
    HWND list = window ? FindWindowExW(window, nullptr, L"ListBox", nullptr) : nullptr;
    const std::vector<std::wstring> files = LinesOf(listFile);
    if (!list || files.empty()) {
        Fail(L"no list in a window titled \"" + title + L"\", or no files in " + listFile);
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    RECT client{};
    GetClientRect(list, &client);
    POINT point{client.right / 2, client.bottom / 2};
    MapWindowPoints(list, window, &point, 1);

    // Wine does not carry a drop's memory to another process, as Windows does with
    // WM_COPYGLOBALDATA: the block is written into the program's own memory, where DragQueryFile
    // reads it as a fixed block (GlobalLock gives such a pointer back as it is).
    std::string block(sizeof(DROPFILES), '\0');
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->pt = point;
    header->fWide = TRUE;
    for (const std::wstring& file : files) {
        block.append(reinterpret_cast<const char*>(file.c_str()), (file.size() + 1) * sizeof(wchar_t));
    }
    block.append(sizeof(wchar_t), '\0');
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    void* memory = process ? VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                            PAGE_READWRITE)
                           : nullptr;
    if (!memory || !WriteProcessMemory(process, memory, block.data(), block.size(), nullptr)) {
        Fail(L"cannot write the drop into the program's memory");
        if (process) CloseHandle(process);
        return 1;
    }
    CloseHandle(process);

    const ULONGLONG started = GetTickCount64();
    PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    ULONGLONG longest = 0;
    LRESULT count = 0;
    bool message = false;
    while (GetTickCount64() - started < 60000) {
        // Waits as long as the window keeps from answering, to tell how long that is.
        const ULONGLONG asked = GetTickCount64();
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 60000, &answer)) {
            count = static_cast<LRESULT>(answer);
        }
        longest = std::max(longest, GetTickCount64() - asked);
        message = MessageBoxOf(processId) != nullptr;
        if (count >= rows || message) break;
        Sleep(20);
    }
    Record("drop")
        .Field("rows", count)
        .Field("ms", static_cast<long long>(GetTickCount64() - started))
        .Field("longest_answer_ms", static_cast<long long>(longest))
        .Field("message", message ? 1 : 0);
    return 0;
}

int Usage() {
    Fail(L"usage: e2e_probe windows | window TITLE | tips TITLE | uilanguage | type TEXT | reg KEY [NAME] | close TITLE | dpi | font FACE PIXELS | lock PATH SECONDS | modules TITLE | icon FILE INDEX|NAME | drop TITLE LIST ROWS");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    BecomeDpiAware();
    std::wstring command = argv[1];
    if (command == L"windows" && argc == 2) return ListWindows();
    if (command == L"window" && argc == 3) return ShowWindowDetails(argv[2]);
    if (command == L"tips" && argc == 3) return PrintToolTips(argv[2]);
    if (command == L"uilanguage" && argc == 2) return PrintUiLanguage();
    if (command == L"type" && argc == 3) return TypeText(argv[2]);
    if (command == L"reg" && (argc == 3 || argc == 4))
        return ReadRegistry(argv[2], argc == 4 ? argv[3] : nullptr);
    if (command == L"close" && argc == 3) return CloseWindowTitled(argv[2]);
    if (command == L"dpi" && argc == 2) return PrintDpi();
    if (command == L"font" && argc == 4) return PrintFont(argv[2], _wtoi(argv[3]));
    if (command == L"modules" && argc == 3) return ListModules(argv[2]);
    if (command == L"lock" && argc == 4) return LockFile(argv[2], _wtoi(argv[3]));
    if (command == L"icon" && argc == 4) return PrintIcon(argv[2], argv[3]);
    if (command == L"drop" && argc == 5) return DropFiles(argv[2], argv[3], _wtoi(argv[4]));
    return Usage();
}
