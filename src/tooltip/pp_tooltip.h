// CPPToolTip: plain-text tooltips over the windows of one owner, one text per window,
// shown after the usual hover delay. The owner relays its pre-translated messages.
#pragma once

#include "framework/wnd.h"

class CPPToolTip : public CWnd {
public:
    CPPToolTip() = default;
    ~CPPToolTip() override;

    // The tooltip window of `owner`; false when it cannot be created.
    bool Create(CWnd* owner);

    // The text shown over `tool` (a child of the owner); an empty text adds nothing.
    void AddTool(HWND tool, const wchar_t* text);
    void RemoveAllTools();
    int ToolCount() const;

    // Lets the tooltip track the pointer: mouse messages for any of its tools.
    void RelayEvent(MSG* msg);

private:
    HWND m_owner = nullptr;
};
