#pragma once

#include <windows.h>

// Owns one GDI font.
class GdiFont {
public:
    GdiFont(int height, bool bold);
    ~GdiFont();
    GdiFont(GdiFont&& other) noexcept;
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;
    GdiFont& operator=(GdiFont&&) = delete;

    HFONT Handle() const { return font_; }

    // The font's text height (ascent + descent) in pixels.
    int TextHeight() const;

private:
    HFONT font_;
};

// "MS Sans Serif" where it is installed, otherwise a face of the same pixel size.
const wchar_t* WindowFontFace();
