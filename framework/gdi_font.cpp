#include "framework/gdi_font.h"

#include <utility>

#include "framework/exception.h"
#include "framework/placement.h"

GdiFont::GdiFont(int height, bool bold, const wchar_t* face, int charset)
    : font_(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, static_cast<DWORD>(charset),
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face))
{
    if (!font_)
        throw Exception("Cannot create the window font");
}

GdiFont::~GdiFont()
{
    if (font_)
        DeleteObject(font_);
}

GdiFont::GdiFont(GdiFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}

int GdiFont::TextHeight() const
{
    HDC dc = GetDC(nullptr);
    TEXTMETRICW metrics{};
    {
        const SelectedFont selected(dc, font_);
        GetTextMetricsW(dc, &metrics);
    }
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

int WindowTextHeight(const FontSpec& formFont, const wchar_t* face, int charset)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return GdiFont(-MulDiv(formFont.size, dpi, 72), formFont.bold, face, charset).TextHeight();
}

int FontHeight(int points, int textHeight)
{
    // Designed at 96 dpi, scaled like every other design pixel.
    return ScaleToTextHeight(-MulDiv(points, 96, 72), textHeight);
}

SIZE LineExtent(HDC dc, std::wstring_view text)
{
    RECT extent{};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &extent,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return {extent.right + metrics.tmOverhang, extent.bottom};
}
