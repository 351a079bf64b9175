#pragma once

#include <span>
#include <string>
#include <vector>

#include "framework/form_description.h"

// The face of every font of every form: "MS Sans Serif", which the forms are
// designed in, where it is installed; otherwise the installed face, chosen
// once, in which the captions of all stored forms fit their boxes best.
const wchar_t* WindowFontFace();

// How one face suits the forms.
struct FaceFit {
    std::wstring face;
    bool designHeight = false;  // 13 pixels of text height at the design size, so nothing is rescaled
    int overrun = 0;            // pixels by which the captions overrun their room, added up
    bool Fits() const { return designHeight && overrun == 0; }
};

// Each installed face among the candidates, in their order, measured with the
// forms' own texts and fonts at the system's dots per inch.
std::vector<FaceFit> MeasureFaces(std::span<const FormDescription* const> forms,
                                  std::span<const std::wstring> candidates);

// The first face that fits, else the one that overruns least; empty when no
// candidate is installed.
std::wstring BestFace(std::span<const FaceFit> fits);
