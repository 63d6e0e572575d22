// CWnd: a window handle wrapper with subclassing and table-driven message dispatch.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>

class CWnd;

// One row of a class's message table. Handlers are members of the class that
// owns the table; the helpers below convert them to the base signatures.
struct MessageEntry {
    enum class Kind : unsigned char { Message, Command, Control, CommandRange, Notify };
    using MessageHandler = LRESULT (CWnd::*)(WPARAM, LPARAM);
    using CommandHandler = void (CWnd::*)();
    using RangeHandler = void (CWnd::*)(UINT);
    using NotifyHandler = LRESULT (CWnd::*)(NMHDR*);

    Kind kind;
    UINT message;  // window message (Message) or notification code (Control, Notify)
    UINT idFirst;
    UINT idLast;
    MessageHandler onMessage;
    CommandHandler onCommand;
    RangeHandler onRange;
    NotifyHandler onNotify;
};

// A class's table and the table of its base class, searched after it.
struct MessageMap {
    const MessageMap* base;
    const MessageEntry* entries;
    std::size_t count;
};

namespace msgmap {

// Any window message: LRESULT Handler(WPARAM, LPARAM).
template <class T>
MessageEntry Message(UINT message, LRESULT (T::*fn)(WPARAM, LPARAM)) {
    return {MessageEntry::Kind::Message, message, 0, 0,
            static_cast<MessageEntry::MessageHandler>(fn), nullptr, nullptr, nullptr};
}

// WM_COMMAND from a menu, an accelerator or a button click (notification code 0 or 1).
template <class T>
MessageEntry Command(UINT id, void (T::*fn)()) {
    return {MessageEntry::Kind::Command, 0, id, id, nullptr,
            static_cast<MessageEntry::CommandHandler>(fn), nullptr, nullptr};
}

// WM_COMMAND with one notification code from one control (EN_CHANGE, BN_DOUBLECLICKED, ...).
template <class T>
MessageEntry Control(UINT code, UINT id, void (T::*fn)()) {
    return {MessageEntry::Kind::Control, code, id, id, nullptr,
            static_cast<MessageEntry::CommandHandler>(fn), nullptr, nullptr};
}

// WM_COMMAND for a range of identifiers; the handler receives the identifier.
template <class T>
MessageEntry CommandRange(UINT first, UINT last, void (T::*fn)(UINT)) {
    return {MessageEntry::Kind::CommandRange, 0, first, last, nullptr, nullptr,
            static_cast<MessageEntry::RangeHandler>(fn), nullptr};
}

// WM_NOTIFY with one code from one control; the handler's result is the message result.
template <class T>
MessageEntry Notify(UINT code, UINT id, LRESULT (T::*fn)(NMHDR*)) {
    return {MessageEntry::Kind::Notify, code, id, id, nullptr, nullptr, nullptr,
            static_cast<MessageEntry::NotifyHandler>(fn)};
}

}  // namespace msgmap

// Declares a class's message table. Define ThisMessageMap() in the class's source file:
//   const MessageMap* CFoo::ThisMessageMap() {
//       static const MessageEntry entries[] = { msgmap::Message(WM_TIMER, &CFoo::OnTimer), ... };
//       static const MessageMap map{CBase::ThisMessageMap(), entries, std::size(entries)};
//       return &map;
//   }
#define DECLARE_MESSAGE_MAP()                   \
public:                                         \
    static const MessageMap* ThisMessageMap();  \
protected:                                      \
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object attached to a window of this thread, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Takes over an existing window: this object's table sees its messages from now on.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Registers a window class of this program for an owner-drawn control (the class's
    // own procedure is DefWindowProc; CreateEx subclasses each window). True when it
    // exists afterwards.
    static bool RegisterControlClass(const wchar_t* className, UINT style = 0);

    // Creates a child or popup window of a registered class and subclasses it.
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id);
    bool DestroyWindow();

    // Window helpers used throughout the dialogs.
    CWnd* GetParent() const { return FromHandlePermanent(::GetParent(m_hWnd)); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    UINT GetDlgCtrlID() const { return static_cast<UINT>(::GetDlgCtrlID(m_hWnd)); }
    bool ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    void SetWindowText(const wchar_t* text) { ::SetWindowTextW(m_hWnd, text); }
    std::wstring GetWindowText() const;
    void MoveWindow(int x, int y, int width, int height, bool repaint = true) {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void Invalidate(bool erase = true) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    bool KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id) != FALSE; }

    // Called for every message queued to this window or its children before dispatch
    // (from the modal loop of a dialog); return true to swallow the message.
    virtual bool PreTranslateMessage(MSG* msg);

    // Entry of every message; dispatches through the tables, then to the default procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    static const MessageMap* ThisMessageMap();

protected:
    virtual const MessageMap* GetMessageMap() const { return ThisMessageMap(); }

    // Looks the message up in the tables; true when a handler took it.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // The default processing of the message being handled (the window's previous procedure).
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Called after the last message of the window; the handle is already detached.
    virtual void PostNcDestroy() {}

    // Called just before a window is taken over, e.g. to add a style the class needs.
    virtual void PreSubclassWindow() {}

    // A notification the parent received about this control (WM_DRAWITEM, WM_CTLCOLOR*,
    // WM_NOTIFY), handed back to it first; true when the control answered it.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Hands a parent's notification to the control it is about.
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Binds the handle to this object without changing the window procedure.
    void Attach(HWND hwnd);
    HWND Detach();

    // Runs one message through WindowProc, remembering it for Default().
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_oldProc = nullptr;

private:
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMessage m_current{};
};
