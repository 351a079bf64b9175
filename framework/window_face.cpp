#include "framework/window_face.h"

#include <algorithm>
#include <optional>
#include <tuple>

#include "framework/gdi_font.h"
#include "framework/placement.h"
#include "framework/wide_text.h"

namespace {

constexpr wchar_t kDesignFace[] = L"MS Sans Serif";

// Room that the standard controls leave their caption, in design pixels: a
// push button's bevel and focus rectangle on either side, the check box's
// square before its caption and the focus rectangle after it, the group box's
// frame beside its caption.
constexpr int kButtonInset = 4;
constexpr int kCheckSquare = 13;
constexpr int kCheckFocus = 1;
constexpr int kGroupInset = 8;

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Installed with the letters of this character set.
bool FaceInstalled(HDC dc, const std::wstring& face, int charset)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = static_cast<BYTE>(charset);
    lstrcpynW(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The face GDI puts in place of one that is missing.
std::wstring SubstituteFace(HDC dc, const wchar_t* missing, int charset)
{
    GdiFont font(FontHeight(FontSpec{}.size, kDesignTextHeight), false, missing, charset);
    wchar_t face[LF_FACESIZE] = {};
    const SelectedFont selected(dc, font.Handle());
    GetTextFaceW(dc, LF_FACESIZE, face);
    return face;
}

// Faces that stand in for "MS Sans Serif", closest first: its TrueType
// successor, the face Windows itself uses in its place for dialogs, whatever
// the system substitutes, then narrow faces of the same height.
std::vector<std::wstring> Candidates(HDC dc, int charset)
{
    std::vector<std::wstring> faces = {L"Microsoft Sans Serif", L"Tahoma", SubstituteFace(dc, kDesignFace, charset),
                                       L"Liberation Sans Narrow", L"Arial Narrow", L"DejaVu Sans Condensed"};
    for (auto face = faces.begin(); face != faces.end();)
        face = std::find(faces.begin(), face, *face) != face ? faces.erase(face) : face + 1;
    return faces;
}

int Overrun(int needed, int room)
{
    return std::max(0, needed - room);
}

int Overlap(const Bounds& a, const Bounds& b)
{
    const int width = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
    const int height = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width : 0;
}

// Lines separated by CR LF.
std::vector<std::wstring_view> Lines(std::wstring_view text)
{
    std::vector<std::wstring_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::wstring_view::npos)
            return lines;
        start = end + 2;
    }
}

// One form in one face: the fonts as the form makes them, the boxes scaled to
// the face's text height, and every caption against its room.
class FormMeasure {
public:
    FormMeasure(HDC dc, const FormDescription& d, const std::wstring& face)
        : dc_(dc), d_(d), face_(face), textHeight_(WindowTextHeight(d.font, face.c_str(), d.textCharset))
    {
    }

    int Overrun()
    {
        int overrun = 0;
        for (const ControlRow& row : d_.controls)
            if (!row.text.empty())
                overrun += RowOverrun(row);
        return overrun;
    }

private:
    int Scaled(int design) const { return ScaleToTextHeight(design, textHeight_); }

    // The row's box on the form (a group box's child moved by the group box).
    Bounds OnForm(const ControlRow& row) const
    {
        Bounds box = ScaleToTextHeight(row.bounds, textHeight_);
        if (row.parent)
            if (const ControlRow* parent = FindRow(d_, row.parent)) {
                const Bounds origin = ScaleToTextHeight(parent->bounds, textHeight_);
                box.left += origin.left;
                box.top += origin.top;
            }
        return box;
    }

    int RowOverrun(const ControlRow& row)
    {
        const FontSpec spec = RowFont(d_, row);
        const GdiFont font(FontHeight(spec.size, textHeight_), spec.bold, face_.c_str(), d_.textCharset);
        const SelectedFont selected(dc_, font.Handle());
        const std::wstring text = Widen(row.text);
        const Bounds box = OnForm(row);
        switch (row.control.kind) {
        case ControlKind::Button:
            return ::Overrun(LineExtent(dc_, text).cx, box.width - 2 * Scaled(kButtonInset));
        case ControlKind::CheckBox: {
            // The caption starts half a digit's width after the square.
            const int gap = LineExtent(dc_, L"0").cx / 2;
            return ::Overrun(LineExtent(dc_, text).cx, box.width - Scaled(kCheckSquare) - gap - Scaled(kCheckFocus));
        }
        case ControlKind::GroupBox:
            return ::Overrun(LineExtent(dc_, text).cx, box.width - 2 * Scaled(kGroupInset));
        case ControlKind::Label:
            return LabelOverrun(row, box, LineExtent(dc_, text));
        case ControlKind::Memo: {
            // No line may wrap: each fits between the edit control's margins.
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc_, &metrics);
            int overrun = 0;
            for (std::wstring_view line : Lines(text))
                overrun += ::Overrun(LineExtent(dc_, line).cx, box.width - 2 * metrics.tmAveCharWidth);
            return overrun;
        }
        case ControlKind::Edit:
        case ControlKind::Other:
            break;
        }
        return 0;
    }

    // A label sizes itself to its text: it must reach into no other control,
    // and stay inside the group box it belongs to.
    int LabelOverrun(const ControlRow& label, Bounds box, SIZE extent) const
    {
        box.width = extent.cx;
        box.height = extent.cy;
        int overrun = 0;
        for (const ControlRow& other : d_.controls) {
            if (&other == &label)
                continue;
            const Bounds otherBox = OnForm(other);
            if (label.parent && other.name && std::string_view(other.name) == label.parent)
                overrun += ::Overrun(box.left + box.width, otherBox.left + otherBox.width);
            else
                overrun += Overlap(box, otherBox);
        }
        return overrun;
    }

    HDC dc_;
    const FormDescription& d_;
    const std::wstring& face_;
    int textHeight_;
};

bool InstalledForAll(HDC dc, const std::wstring& face, std::span<const FormDescription* const> forms)
{
    return std::all_of(forms.begin(), forms.end(),
                       [&](const FormDescription* form) { return FaceInstalled(dc, face, form->textCharset); });
}

}  // namespace

std::vector<FaceFit> MeasureFaces(std::span<const FormDescription* const> forms,
                                  std::span<const std::wstring> candidates)
{
    std::vector<FaceFit> fits;
    HDC dc = GetDC(nullptr);
    for (const std::wstring& face : candidates) {
        if (!FaceInstalled(dc, face, kDefaultCharset) || !InstalledForAll(dc, face, forms))
            continue;
        // The height is that of the window font at its design size, whatever
        // the text scaling.
        FaceFit fit{face, GdiFont(FontHeight(FontSpec{}.size, kDesignTextHeight), false, face.c_str()).TextHeight() ==
                              kDesignTextHeight};
        for (const FormDescription* form : forms)
            fit.overrun += FormMeasure(dc, *form, face).Overrun();
        fits.push_back(fit);
    }
    ReleaseDC(nullptr, dc);
    return fits;
}

std::wstring BestFace(std::span<const FaceFit> fits)
{
    const auto fitting = std::find_if(fits.begin(), fits.end(), [](const FaceFit& f) { return f.Fits(); });
    if (fitting != fits.end())
        return fitting->face;
    const auto least = std::min_element(fits.begin(), fits.end(), [](const FaceFit& a, const FaceFit& b) {
        return std::tuple(a.overrun, !a.designHeight) < std::tuple(b.overrun, !b.designHeight);
    });
    return least != fits.end() ? least->face : std::wstring{};
}

const wchar_t* WindowFontFace()
{
    static const std::wstring face = [] {
        const std::vector<const FormDescription*> forms = StoredForm::All();
        HDC dc = GetDC(nullptr);
        const bool design = FaceInstalled(dc, kDesignFace, kDefaultCharset) && InstalledForAll(dc, kDesignFace, forms);
        const int charset = forms.empty() ? kDefaultCharset : forms.front()->textCharset;
        const std::vector<std::wstring> candidates = design ? std::vector<std::wstring>{} : Candidates(dc, charset);
        ReleaseDC(nullptr, dc);
        if (design)
            return std::wstring(kDesignFace);
        const std::wstring best = BestFace(MeasureFaces(forms, candidates));
        return best.empty() ? std::wstring(kDesignFace) : best;
    }();
    return face.c_str();
}
