#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Environment.h"
#include "platform/headless/ScriptLog.h"

namespace platform {

struct MessageRecord {
    WindowHandle owner = nullptr;
    std::wstring text;
    std::wstring caption;
    unsigned style = 0;
    int answer = 0;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRecord {
    FileDialogKind kind = FileDialogKind::Open;
    FileDialogRequest request;
    std::optional<std::wstring> answer;
};

struct FolderBrowserRecord {
    WindowHandle owner = nullptr;
    std::wstring prompt;
    std::wstring initialFolder;
    std::optional<std::wstring> answer;
};

struct PopupMenuRecord {
    WindowHandle anchor = nullptr;
    std::vector<std::wstring> entries;
    std::optional<size_t> answer;
};

struct AboutRecord {
    WindowHandle owner = nullptr;
    std::wstring title;
    std::wstring text;
};

// Dialogs that a test answers in advance and reads back afterwards. Each kind of dialog takes
// its answers from its own queue, first queued first used. Unscripted: a message box with only
// an OK button is answered OK, any other message box fails the test (nobody decided the
// answer), file and folder dialogs are cancelled, popup menus are dismissed.
class HeadlessDialogs : public Dialogs {
public:
    explicit HeadlessDialogs(ScriptLog& log) : log_(log) {}

    int ShowMessage(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                    unsigned style) override;
    std::optional<std::wstring> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::wstring> SaveFile(const FileDialogRequest& request) override;
    std::optional<std::wstring> BrowseFolder(WindowHandle owner, const std::wstring& prompt,
                                             const std::wstring& initialFolder) override;
    std::optional<size_t> PopupMenu(WindowHandle anchor,
                                    const std::vector<std::wstring>& entries) override;
    void About(WindowHandle owner, const std::wstring& title, const std::wstring& text) override;

    // The answer to the next message box (kIdOk, kIdCancel ...); it must be one of the box's
    // buttons.
    void AnswerMessage(int answer) { messageAnswers_.push_back(answer); }
    // The next open or save dialog chooses `path`, or is cancelled.
    void ChooseFile(const std::wstring& path) { fileAnswers_.push_back(path); }
    void CancelFileDialog() { fileAnswers_.push_back(std::nullopt); }
    void ChooseFolder(const std::wstring& folder) { folderAnswers_.push_back(folder); }
    void CancelFolderBrowser() { folderAnswers_.push_back(std::nullopt); }
    // The next popup menu picks the entry at `index`, or is dismissed.
    void PickPopupEntry(size_t index) { popupAnswers_.push_back(index); }
    void DismissPopupMenu() { popupAnswers_.push_back(std::nullopt); }

    const std::vector<MessageRecord>& Messages() const { return messages_; }
    const std::vector<FileDialogRecord>& FileDialogs() const { return fileDialogs_; }
    const std::vector<FolderBrowserRecord>& FolderBrowsers() const { return folderBrowsers_; }
    const std::vector<PopupMenuRecord>& PopupMenus() const { return popupMenus_; }
    const std::vector<AboutRecord>& AboutBoxes() const { return aboutBoxes_; }

    // The answers queued and never used: each one is a script that expected a dialog which
    // did not come.
    std::vector<std::string> UnusedAnswers() const;

private:
    std::optional<std::wstring> AnswerFileDialog(FileDialogKind kind,
                                                 const FileDialogRequest& request);

    ScriptLog& log_;
    std::deque<int> messageAnswers_;
    std::deque<std::optional<std::wstring>> fileAnswers_;
    std::deque<std::optional<std::wstring>> folderAnswers_;
    std::deque<std::optional<size_t>> popupAnswers_;
    std::vector<MessageRecord> messages_;
    std::vector<FileDialogRecord> fileDialogs_;
    std::vector<FolderBrowserRecord> folderBrowsers_;
    std::vector<PopupMenuRecord> popupMenus_;
    std::vector<AboutRecord> aboutBoxes_;
};

}  // namespace platform
