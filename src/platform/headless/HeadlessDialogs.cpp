#include "platform/headless/HeadlessDialogs.h"

#include <algorithm>

#include "platform/WinConstants.h"

namespace platform {

namespace {

// The answers a message box of that style can give: its buttons.
std::vector<int> ButtonsOf(unsigned style) {
    constexpr int kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7, kTryAgain = 10,
                  kContinue = 11;
    switch (style & 0xF) {
        case 0: return {kIdOk};
        case 1: return {kIdOk, kIdCancel};
        case 2: return {kAbort, kRetry, kIgnore};
        case 3: return {kYes, kNo, kIdCancel};
        case 4: return {kYes, kNo};
        case 5: return {kRetry, kIdCancel};
        case 6: return {kIdCancel, kTryAgain, kContinue};
        default: return {};
    }
}

template <class T>
std::optional<T> TakeFront(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    std::optional<T> front = queue.front();
    queue.pop_front();
    return front;
}

}  // namespace

int HeadlessDialogs::ShowMessage(WindowHandle owner, const std::wstring& text,
                                 const std::wstring& caption, unsigned style) {
    const std::vector<int> buttons = ButtonsOf(style);
    const std::string shown = "message box \"" + Printable(text) + "\"";
    int answer = kIdOk;
    if (!messageAnswers_.empty()) {
        answer = messageAnswers_.front();
        messageAnswers_.pop_front();
        if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end()) {
            log_.Fail("the " + shown + " has no button for the scripted answer " +
                      std::to_string(answer));
        }
    } else if (buttons.size() != 1) {
        log_.Fail("nobody scripted an answer to the " + shown);
    }
    messages_.push_back(MessageRecord{owner, text, caption, style, answer});
    return answer;
}

std::optional<std::wstring> HeadlessDialogs::AnswerFileDialog(FileDialogKind kind,
                                                              const FileDialogRequest& request) {
    std::optional<std::wstring> answer = TakeFront(fileAnswers_);
    fileDialogs_.push_back(FileDialogRecord{kind, request, answer});
    return answer;
}

std::optional<std::wstring> HeadlessDialogs::OpenFile(const FileDialogRequest& request) {
    return AnswerFileDialog(FileDialogKind::Open, request);
}

std::optional<std::wstring> HeadlessDialogs::SaveFile(const FileDialogRequest& request) {
    return AnswerFileDialog(FileDialogKind::Save, request);
}

std::optional<std::wstring> HeadlessDialogs::BrowseFolder(WindowHandle owner,
                                                          const std::wstring& prompt,
                                                          const std::wstring& initialFolder) {
    std::optional<std::wstring> answer = TakeFront(folderAnswers_);
    folderBrowsers_.push_back(FolderBrowserRecord{owner, prompt, initialFolder, answer});
    return answer;
}

std::optional<size_t> HeadlessDialogs::PopupMenu(WindowHandle anchor,
                                                 const std::vector<std::wstring>& entries) {
    std::optional<size_t> answer = TakeFront(popupAnswers_);
    if (answer && *answer >= entries.size()) {
        log_.Fail("the script picks popup entry " + std::to_string(*answer) + " of " +
                  std::to_string(entries.size()));
    }
    popupMenus_.push_back(PopupMenuRecord{anchor, entries, answer});
    return answer;
}

void HeadlessDialogs::About(WindowHandle owner, const std::wstring& title,
                            const std::wstring& text) {
    aboutBoxes_.push_back(AboutRecord{owner, title, text});
}

std::vector<std::string> HeadlessDialogs::UnusedAnswers() const {
    std::vector<std::string> unused;
    if (!messageAnswers_.empty())
        unused.push_back(std::to_string(messageAnswers_.size()) + " message box answer(s)");
    if (!fileAnswers_.empty())
        unused.push_back(std::to_string(fileAnswers_.size()) + " file dialog answer(s)");
    if (!folderAnswers_.empty())
        unused.push_back(std::to_string(folderAnswers_.size()) + " folder browser answer(s)");
    if (!popupAnswers_.empty())
        unused.push_back(std::to_string(popupAnswers_.size()) + " popup menu answer(s)");
    return unused;
}

}  // namespace platform
