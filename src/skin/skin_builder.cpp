#include "skin_builder.h"

#include "framework/text.h"
#include "skin/shape.h"
#include "skin/skin_file.h"
#include "skin/skin_paths.h"

#include <algorithm>
#include <cwchar>

SkinBuilder::SkinBuilder(CWnd& parent, const wchar_t* windowName) : m_parent(parent) {
    const WindowSkin* window = FindWindowSkin(windowName);
    if (!window) {
        m_problems.push_back(std::wstring(L"no catalogued window ") + windowName);
        return;
    }
    m_first = window->elements;
    m_last = window->elements + window->elementCount;
}

void SkinBuilder::Add(const Binding& binding) {
    const SkinElement* element = Element(binding.id);
    if (!element) {
        m_problems.push_back(L"identifier " + std::to_wstring(binding.id) + L" is no control of this window");
    } else if (element->control != binding.kind) {
        m_problems.push_back(std::wstring(element->key) + L" is bound to a member of another kind");
    } else if (std::any_of(m_bindings.begin(), m_bindings.end(), [&](const Binding& b) { return b.id == binding.id; })) {
        m_problems.push_back(std::wstring(element->key) + L" is bound twice");
    }
    m_bindings.push_back(binding);
}

SkinBuilder& SkinBuilder::Bind(UINT id, CControlButton& button) {
    Add({.id = id, .kind = ControlKind::Button, .control = &button});
    return *this;
}

SkinBuilder& SkinBuilder::Bind(UINT id, CControlStatic& display) {
    Add({.id = id, .kind = ControlKind::Display, .control = &display});
    return *this;
}

SkinBuilder& SkinBuilder::Bind(UINT id, CSliderControl& slider, DWORD style) {
    Add({.id = id, .kind = ControlKind::Slider, .control = &slider, .style = style});
    return *this;
}

SkinBuilder& SkinBuilder::Bind(UINT id, CTransparentStatic& label, HFONT font, COLORREF colour, DWORD align) {
    Add({.id = id, .kind = ControlKind::Label, .control = &label, .font = font, .colour = colour, .style = align});
    return *this;
}

SkinBuilder& SkinBuilder::Bind(UINT id, CButton& check, double rise) {
    Add({.id = id, .kind = ControlKind::Check, .control = &check, .rise = rise});
    return *this;
}

SkinBuilder& SkinBuilder::Bind(UINT id, std::function<void(const RECT&, UINT)> create) {
    Add({.id = id, .kind = ControlKind::Custom, .create = std::move(create)});
    return *this;
}

const SkinElement* SkinBuilder::Element(UINT id) const {
    for (const SkinElement* e = m_first; e && e != m_last; ++e) {
        if (e->control != ControlKind::None && e->id == id) return e;
    }
    return nullptr;
}

const SkinElement* SkinBuilder::FrameListElement(const wchar_t* key) const {
    for (const SkinElement* e = m_first; e && e != m_last; ++e) {
        if (e->kind == ElementKind::FrameList && std::wcscmp(e->key, key) == 0) return e;
    }
    return nullptr;
}

bool SkinBuilder::Build() {
    if (!m_problems.empty()) return false;
    for (const SkinElement* e = m_first; e != m_last; ++e) {
        if (e->control == ControlKind::None) continue;
        const auto binding =
            std::find_if(m_bindings.begin(), m_bindings.end(), [&](const Binding& b) { return b.id == e->id; });
        if (binding != m_bindings.end()) Create(*e, *binding);
    }
    return true;
}

namespace {

// The picture names of a frame sequence before the skin file names its own: the
// element's default names in the UI directory.
void DefaultFrames(const SkinElement& element, SkinPath* slots) {
    if (!element.defaultImages) return;
    for (int f = 0; f < element.frames && f < kMaxFrames; ++f) {
        wchar_t name[MAX_PATH];
        FormatText(name, element.defaultImages, f);
        FormatText(slots[f], L"%s%s", g_skinPaths.uiDirectory, name);
    }
}

}  // namespace

void SkinBuilder::CreateDisplay(const SkinElement& element, CControlStatic& display) {
    RECT rect;
    const SkinElement* list = element.frameList ? FrameListElement(element.frameList) : &element;
    if (!list) return;
    ReadSkinElement(element.section, element.key, &rect, nullptr, 0);
    display.Create(element.text, WS_CHILD | (element.hidden ? 0 : WS_VISIBLE), rect, &m_parent, element.id);
    display.m_frameCount = static_cast<unsigned>(list->frames);
    display.m_frameIndex = 0;
    // A shared list is decoded once and copied to the other displays.
    for (const auto& [key, loaded] : m_loadedLists) {
        if (list != &element && std::wcscmp(key, list->key) == 0) {
            display.CopyFrames(*loaded);
            return;
        }
    }
    SkinPath slots[kMaxFrames] = {};
    DefaultFrames(*list, slots);
    ReadSkinElement(list->section, list->key, nullptr, slots, list->frames);
    display.LoadFrames(slots);
    if (list != &element) m_loadedLists.push_back({list->key, &display});
}

void SkinBuilder::Create(const SkinElement& element, const Binding& binding) {
    const DWORD visible = element.hidden ? 0 : WS_VISIBLE;
    RECT rect;
    switch (binding.kind) {
    case ControlKind::Button: {
        auto& button = static_cast<CControlButton&>(*binding.control);
        SkinPath slots[kStateImageSlots] = {};
        ReadSkinElement(element.section, element.key, &rect, slots, kStateImageSlots);
        button.Create(element.text, WS_CHILD | visible, rect, &m_parent, element.id);
        button.m_keyedDrawing = true;
        button.m_toggleButton = element.kind == ElementKind::ToggleButton;
        button.m_shapeFromPicture = true;
        button.LoadStateImages(slots);
        break;
    }
    case ControlKind::Display:
        CreateDisplay(element, static_cast<CControlStatic&>(*binding.control));
        break;
    case ControlKind::Slider: {
        auto& slider = static_cast<CSliderControl&>(*binding.control);
        ReadSkinElement(element.section, element.key, &rect, nullptr, 0);
        slider.Create(binding.style, rect, &m_parent, element.id);
        slider.MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, true);
        break;
    }
    case ControlKind::Label: {
        auto& label = static_cast<CTransparentStatic&>(*binding.control);
        ReadSkinElement(element.section, element.key, &rect, nullptr, 0);
        label.Create(element.text, WS_CHILD | visible | binding.style, rect, &m_parent, element.id);
        label.SetTextColour(binding.colour);
        label.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(binding.font), TRUE);
        break;
    }
    case ControlKind::Check: {
        auto& check = static_cast<CButton&>(*binding.control);
        ReadSkinElement(element.section, element.key, &rect, nullptr, 0);
        const gdi::WindowDC screen(nullptr);
        check.Create(element.text, WS_CHILD | visible | WS_TABSTOP | BS_AUTOCHECKBOX,
                     ScaleCheckRectangle(rect, ::GetDeviceCaps(screen.get(), LOGPIXELSX), binding.rise), &m_parent, element.id);
        break;
    }
    case ControlKind::Custom:
        ReadSkinElement(element.section, element.key, &rect, nullptr, 0);
        if (binding.create) binding.create(rect, element.id);
        break;
    case ControlKind::None:
        break;
    }
}
