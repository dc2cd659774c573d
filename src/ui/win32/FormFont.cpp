#include "ui/win32/FormFont.h"

namespace ui {

namespace {
constexpr int kPoints = 9;
constexpr int kPointsPerInch = 72;
}  // namespace

void FormFont::Create(int dpi) {
    HFONT font = CreateFontW(-MulDiv(kPoints, dpi, kPointsPerInch), 0, 0, 0, FW_NORMAL, FALSE,
                             FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             L"Tahoma");
    Release();
    font_ = font;
}

void FormFont::Release() {
    if (font_) DeleteObject(font_);
    font_ = nullptr;
}

}  // namespace ui
