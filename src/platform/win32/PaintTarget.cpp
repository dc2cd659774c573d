#include "platform/win32/PaintTarget.h"

#include <utility>
#include <vector>

namespace platform {

namespace {
// Paints nest when a paint event makes another window paint.
thread_local std::vector<std::pair<HWND, HDC>> painting;
}  // namespace

PaintingScope::PaintingScope(HWND window, HDC dc) { painting.emplace_back(window, dc); }

PaintingScope::~PaintingScope() { painting.pop_back(); }

HDC PaintDcOf(HWND window) {
    for (auto it = painting.rbegin(); it != painting.rend(); ++it) {
        if (it->first == window) return it->second;
    }
    return nullptr;
}

}  // namespace platform
