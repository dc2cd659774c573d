#pragma once

#include <windows.h>

namespace ui {

// The font of every form: Tahoma 9 pt, regular weight, Cyrillic character set, for one DPI.
class FormFont {
public:
    FormFont() = default;
    ~FormFont() { Release(); }
    FormFont(const FormFont&) = delete;
    FormFont& operator=(const FormFont&) = delete;

    // Makes the font for `dpi`; the previous one is released.
    void Create(int dpi);
    void Release();
    HFONT Get() const { return font_; }

private:
    HFONT font_ = nullptr;
};

}  // namespace ui
