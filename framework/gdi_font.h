#pragma once

#include <windows.h>

#include <string_view>

#include "framework/form_description.h"

// Owns one GDI font.
class GdiFont {
public:
    // height: as LOGFONT's lfHeight (negative: the character height in pixels).
    GdiFont(int height, bool bold, const wchar_t* face, int charset = DEFAULT_CHARSET);
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

// Selects a font into a device context for the guard's lifetime.
class SelectedFont {
public:
    SelectedFont(HDC dc, HFONT font) : dc_(dc), previous_(SelectObject(dc, font)) {}
    ~SelectedFont() { SelectObject(dc_, previous_); }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The text height of a form's window font in this face at the system's dots per
// inch: what the form's design pixels are scaled by.
int WindowTextHeight(const FontSpec& formFont, const wchar_t* face, int charset);

// lfHeight of a font of this point size on a form scaled to this text height.
int FontHeight(int points, int textHeight);

// One line of text as a label draws it in the context's font: its width,
// with the overhang of a bold drawn from a regular bitmap face, and its height.
SIZE LineExtent(HDC dc, std::wstring_view text);
