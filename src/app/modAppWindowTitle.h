#pragma once

#include <string>

namespace app {

// The caption of a window that shows a document: the document's file name without its folder
// (the placeholder while it has none), " - " and the window's own caption.
std::wstring ComposeDocumentTitle(const std::wstring& caption, const std::wstring& fileName,
                                  const std::wstring& placeholder);

}  // namespace app
