// CSystemTray: Zorvane's icon in the notification area. A hidden pop-up window of
// its own hears the shell's broadcasts (taskbar re-created, work area changed) and
// puts the icon back; the icon's mouse messages go to the main window, which hands
// them to OnTrayNotification.
#pragma once

#include "framework/wnd.h"

#include <shellapi.h>

class CSystemTray : public CWnd {
public:
    CSystemTray();
    ~CSystemTray() override;

    // Creates the message window and adds the icon; false (with the icon marked hidden,
    // removed and due to be shown) when the shell refused it.
    bool Create(CWnd* parent, UINT callbackMessage, const wchar_t* tip, HICON icon, UINT id);

    // Adds the icon again (removing it first when present); true unless it is still removed.
    bool ShowIcon();
    void RemoveIcon();
    // A warning balloon from the icon (shown first when it is away); false when the
    // shell refused it.
    bool ShowBalloon(const wchar_t* title, const wchar_t* text);

    // The main window's handler of the callback message.
    LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);

    bool IsRemoved() const { return m_removed; }
    bool IsHidden() const { return m_hidden; }

    // The shell's icon call; tests replace it to play a shell that is not ready.
    using NotifyFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
    static NotifyFunction s_notify;

protected:
    LRESULT OnTaskbarCreated(WPARAM, LPARAM);
    LRESULT OnSettingChange(WPARAM, LPARAM);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    bool AddIcon(UINT flags);
    void ReAddUnlessHidden();

    NOTIFYICONDATAW m_data{};
    UINT m_savedFlags = 0;
    bool m_enabled = true;
    bool m_hidden = true;
    bool m_removed = true;
    bool m_showPending = false;
    UINT m_defaultMenuItem = 0;
    bool m_defaultByPosition = true;
};
