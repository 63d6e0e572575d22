// The one way a skinned window makes its controls: the window binds its members to the
// control identifiers of its catalogue rows, and the builder reads each element from
// the skin file, creates the control at its rectangle, shapes it and loads its pictures.
#pragma once

#include "skin/control_button.h"
#include "skin/skin_catalog.h"
#include "skin/slider_control.h"
#include "skin/text_labels.h"

#include <functional>
#include <string>
#include <vector>

class SkinBuilder {
public:
    // The skinned window `parent`, whose elements are the catalogue's window `windowName`.
    SkinBuilder(CWnd& parent, const wchar_t* windowName);

    SkinBuilder& Bind(UINT id, CControlButton& button);
    SkinBuilder& Bind(UINT id, CControlStatic& display);
    SkinBuilder& Bind(UINT id, CSliderControl& slider,
                      DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_BOTH | TBS_NOTICKS);
    SkinBuilder& Bind(UINT id, CTransparentStatic& label, HFONT font, COLORREF colour, DWORD align = SS_CENTER);
    // `rise`: how much of a scaled box's extra height goes up (see ScaleCheckRectangle).
    SkinBuilder& Bind(UINT id, CButton& check, double rise = 0.5);
    // A control the window makes itself at the element's rectangle.
    SkinBuilder& Bind(UINT id, std::function<void(const RECT& rect, UINT id)> create);
    // Every catalogued button of the window, in catalogue order.
    template <std::size_t N>
    SkinBuilder& BindButtons(CControlButton (&buttons)[N]) {
        std::size_t next = 0;
        for (const SkinElement* e = m_first; e && e != m_last; ++e) {
            if (e->control != ControlKind::Button) continue;
            if (next < N) {
                Bind(e->id, buttons[next]);
            } else {
                m_problems.push_back(L"more catalogued buttons than members: " + std::wstring(e->key));
            }
            ++next;
        }
        if (next < N) m_problems.push_back(L"fewer catalogued buttons than members");
        return *this;
    }

    // Creates every bound control in catalogue order. False, creating nothing, when a
    // bound identifier is not a control of the window, is bound twice or to a member of
    // another kind.
    bool Build();
    const std::vector<std::wstring>& Problems() const { return m_problems; }

private:
    struct Binding {
        UINT id = 0;
        ControlKind kind = ControlKind::None;
        CWnd* control = nullptr;
        HFONT font = nullptr;
        COLORREF colour = 0;
        DWORD style = 0;
        double rise = 0.5;
        std::function<void(const RECT&, UINT)> create = nullptr;
    };
    void Add(const Binding& binding);
    const SkinElement* Element(UINT id) const;
    const SkinElement* FrameListElement(const wchar_t* key) const;
    void Create(const SkinElement& element, const Binding& binding);
    void CreateDisplay(const SkinElement& element, CControlStatic& display);

    CWnd& m_parent;
    const SkinElement* m_first = nullptr;
    const SkinElement* m_last = nullptr;
    std::vector<Binding> m_bindings;
    std::vector<std::wstring> m_problems;
    // The first display of each shared frame list: the others copy its pictures.
    std::vector<std::pair<const wchar_t*, CControlStatic*>> m_loadedLists;
};
