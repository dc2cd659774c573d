#include "app/modAppWindowTitle.h"

#include "platform/support/FileNames.h"

namespace app {

std::wstring ComposeDocumentTitle(const std::wstring& caption, const std::wstring& fileName,
                                  const std::wstring& placeholder) {
    const std::wstring document =
        fileName.empty() ? placeholder : platform::esGetFileName(fileName, false);
    return document + L" - " + caption;
}

}  // namespace app
