#include "framework/gdi_font.h"

#include <utility>

#include "framework/exception.h"

GdiFont::GdiFont(int height, bool bold)
    : font_(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        WindowFontFace()))
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
    HGDIOBJ previous = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

namespace {

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(const wchar_t* face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

}  // namespace

const wchar_t* WindowFontFace()
{
    // Tahoma at the same pixel height is the face Windows itself puts in place
    // of "MS Sans Serif" for its dialogs.
    static const wchar_t* const face = FaceInstalled(L"MS Sans Serif") ? L"MS Sans Serif" : L"Tahoma";
    return face;
}
