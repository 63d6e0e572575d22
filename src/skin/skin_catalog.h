// Every skin element and language text each window reads, as data: the skin checker
// verifies a skin against these tables and the previews show them. A window's own
// tables of what it reads must agree with them (its tests compare the two).
#pragma once

#include "skin/skin_paths.h"

#include <windows.h>

#include <cstddef>

enum class ElementKind {
    PushButton,    // rectangle + state images N/H/D
    ToggleButton,  // rectangle + state images N/H/D/TN/TH/TD
    Rectangle,     // rectangle only (sliders, labels, charts, check boxes)
    Frames,        // rectangle + a frame sequence of `frames` pictures
    FrameList,     // a frame sequence without a rectangle (shared digit pictures)
    Number,        // only the first number of the value counts (a row step)
};

// The control the skin builder makes of an element.
enum class ControlKind {
    None,     // read by the window itself: painted text, a row step, a shared frame list
    Button,   // CControlButton, pushed or toggled by the element's kind
    Display,  // CControlStatic showing one frame of its pictures (digits, gauges)
    Slider,   // CSliderControl
    Label,    // CTransparentStatic
    Check,    // a check box, its rectangle scaled to the screen's density
    Custom,   // a control the window creates itself at the element's rectangle (the curve editor)
};

struct SkinElement {
    const wchar_t* section;
    const wchar_t* key;
    ElementKind kind;
    int frames;  // Frames and FrameList: how many pictures
    ControlKind control = ControlKind::None;
    UINT id = 0;                             // the control's identifier
    const wchar_t* text = L"";               // its window text at creation
    bool hidden = false;                     // created hidden
    const wchar_t* defaultImages = nullptr;  // picture names in the UI directory, the frame number in a "%d"
    const wchar_t* frameList = nullptr;      // a display showing the pictures of this FrameList element
};

struct LanguageText {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* defaultText;
};

struct WindowSkin {
    const wchar_t* name;
    DialogBackground background;
    const SkinElement* elements;
    std::size_t elementCount;
    const LanguageText* texts;
    std::size_t textCount;
};

// The windows whose elements are catalogued so far.
const WindowSkin* WindowSkins(std::size_t* count);

// The language texts of the plain (unskinned) windows: the quit question.
const LanguageText* PlainWindowTexts(std::size_t* count);

// A window of the catalogue by name ("Main", "Setting", ...); null for none.
const WindowSkin* FindWindowSkin(const wchar_t* name);
