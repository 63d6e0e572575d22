// The window layer on real windows: dispatch through message tables, modal and
// modeless dialogs, data exchange and the control wrappers.
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/text.h"
#include "framework_test_ids.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr UINT WM_TEST_PING = WM_APP + 1;
constexpr UINT WM_TEST_BASE_ONLY = WM_APP + 2;
constexpr UINT WM_TEST_END = WM_APP + 3;
constexpr UINT kTestNotifyCode = 0x7001;

// Runs the queue until it is empty.
void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

class CTestDialog : public CDialogEx {
public:
    explicit CTestDialog(UINT id = IDD_TEST_DIALOG) : CDialogEx(id) {}

    std::vector<std::wstring> calls;
    int check = BST_CHECKED;
    std::wstring text = L"hello";
    int number = 42;
    bool visibleDuringLoop = false;
    INT_PTR endFromInit = 0;  // non-zero: EndDialog with this code inside OnInitDialog
    bool destroyedAfterLastMessage = false;

protected:
    BOOL OnInitDialog() override {
        CDialogEx::OnInitDialog();
        calls.push_back(L"init");
        if (endFromInit) EndDialog(endFromInit);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Check(dx, IDC_TEST_CHECK, check);
        DDX_Text(dx, IDC_TEST_TEXT, text);
        DDX_Text(dx, IDC_TEST_NUMBER, number);
    }
    void PostNcDestroy() override { destroyedAfterLastMessage = m_hWnd == nullptr; }

    virtual LRESULT OnPing(WPARAM wParam, LPARAM) {
        calls.push_back(L"base ping");
        return static_cast<LRESULT>(wParam) + 1;
    }
    LRESULT OnBaseOnly(WPARAM, LPARAM) {
        calls.push_back(L"base only");
        return 7;
    }
    LRESULT OnEnd(WPARAM wParam, LPARAM) {
        visibleDuringLoop = IsWindowVisible();
        EndDialog(static_cast<INT_PTR>(wParam));
        return 0;
    }
    void OnAction() { calls.push_back(L"action"); }
    void OnRange(UINT id) {
        wchar_t line[32];
        FormatText(line, L"range %u", id);
        calls.push_back(line);
    }
    void OnTextChange() { calls.push_back(L"text changed"); }
    LRESULT OnTestNotify(NMHDR*) {
        calls.push_back(L"notify");
        return 99;
    }

    DECLARE_MESSAGE_MAP()
};

const MessageMap* CTestDialog::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_TEST_PING, &CTestDialog::OnPing),
        msgmap::Message(WM_TEST_BASE_ONLY, &CTestDialog::OnBaseOnly),
        msgmap::Message(WM_TEST_END, &CTestDialog::OnEnd),
        msgmap::Command(IDC_TEST_ACTION, &CTestDialog::OnAction),
        msgmap::CommandRange(IDC_TEST_RANGE_FIRST, IDC_TEST_RANGE_LAST, &CTestDialog::OnRange),
        msgmap::Control(EN_CHANGE, IDC_TEST_TEXT, &CTestDialog::OnTextChange),
        msgmap::Notify(kTestNotifyCode, IDC_TEST_ACTION, &CTestDialog::OnTestNotify),
    };
    static const MessageMap map{CDialogEx::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

// A derived class's table is searched first; what it lacks falls to the base's table.
class CDerivedDialog : public CTestDialog {
public:
    bool swallowEscape = false;

    bool PreTranslateMessage(MSG* msg) override {
        if (swallowEscape && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
            calls.push_back(L"escape swallowed");
            return true;
        }
        return CTestDialog::PreTranslateMessage(msg);
    }

protected:
    LRESULT OnDerivedPing(WPARAM, LPARAM) {
        calls.push_back(L"derived ping");
        return 100;
    }
    void OnDerivedAction() { calls.push_back(L"derived action"); }

    DECLARE_MESSAGE_MAP()
};

const MessageMap* CDerivedDialog::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_TEST_PING, &CDerivedDialog::OnDerivedPing),
        msgmap::Command(IDC_TEST_ACTION, &CDerivedDialog::OnDerivedAction),
    };
    static const MessageMap map{CTestDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

// A control class with its own table, attached to a template control.
class CCountingButton : public CButton {
public:
    int clicks = 0;

protected:
    LRESULT OnLeftButtonUp(WPARAM, LPARAM) {
        ++clicks;
        return Default();  // the button still does its own work
    }
    DECLARE_MESSAGE_MAP()
};

const MessageMap* CCountingButton::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_LBUTTONUP, &CCountingButton::OnLeftButtonUp),
    };
    static const MessageMap map{CButton::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

TEST(MessageTable, MessagesCommandsAndNotificationsReachTheirHandlers) {
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.calls.clear();  // initialisation filled the edit boxes
    EXPECT_EQ(dialog.SendMessage(WM_TEST_PING, 4), 5);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_ACTION, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDC_TEST_ACTION)));
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_RANGE_FIRST + 1, 0), 0);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_RANGE_LAST + 1, 0), 0);  // outside the range
    ::SetWindowTextW(dialog.GetDlgItem(IDC_TEST_TEXT), L"changed");            // EN_CHANGE
    NMHDR header{dialog.GetDlgItem(IDC_TEST_ACTION), IDC_TEST_ACTION, kTestNotifyCode};
    EXPECT_EQ(dialog.SendMessage(WM_NOTIFY, IDC_TEST_ACTION, reinterpret_cast<LPARAM>(&header)), 99);

    const std::vector<std::wstring> expected = {L"base ping", L"action", L"range 1011",
                                                L"text changed", L"notify"};
    EXPECT_EQ(dialog.calls, expected);
    dialog.DestroyWindow();
}

TEST(MessageTable, DerivedEntriesWinAndTheBaseTableIsTheFallback) {
    CDerivedDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.calls.clear();
    EXPECT_EQ(dialog.SendMessage(WM_TEST_PING), 100);
    EXPECT_EQ(dialog.SendMessage(WM_TEST_BASE_ONLY), 7);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_ACTION, BN_CLICKED), 0);
    const std::vector<std::wstring> expected = {L"derived ping", L"base only", L"derived action"};
    EXPECT_EQ(dialog.calls, expected);
    // Messages no table knows go to the window's own procedure.
    wchar_t caption[64] = {};
    dialog.SendMessage(WM_GETTEXT, 64, reinterpret_cast<LPARAM>(caption));
    EXPECT_STREQ(caption, L"Framework test");
    dialog.DestroyWindow();
}

TEST(ModalDialog, ReturnsTheCodeGivenToEndDialogAfterShowingItself) {
    CTestDialog dialog;
    // Queued before the loop runs: handled by the modal loop.
    struct Poster {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(nullptr, id);
            ::PostMessageW(::FindWindowW(L"#32770", L"Framework test"), WM_TEST_END, 42, 0);
        }
    };
    ::SetTimer(nullptr, 0, 50, &Poster::Fire);
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_TRUE(dialog.visibleDuringLoop);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_TRUE(dialog.destroyedAfterLastMessage);
}

TEST(ModalDialog, EndCodesOfTheStandardWays) {
    struct Case {
        const wchar_t* name;
        UINT message;
        WPARAM wParam;
        INT_PTR expected;
    };
    const Case cases[] = {
        {L"close box", WM_CLOSE, 0, IDCANCEL},
        {L"OK button", WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), IDOK},
        {L"Cancel button", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name);
        CTestDialog dialog;
        static const Case* current;
        current = &c;
        struct Poster {
            static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
                ::KillTimer(nullptr, id);
                ::PostMessageW(::FindWindowW(L"#32770", L"Framework test"), current->message, current->wParam, 0);
            }
        };
        ::SetTimer(nullptr, 0, 30, &Poster::Fire);
        EXPECT_EQ(dialog.DoModal(), c.expected);
    }
}

TEST(ModalDialog, EndDialogDuringInitialisationEndsWithoutALoop) {
    CTestDialog dialog;
    dialog.endFromInit = 7;
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(ModalDialog, FirstMessageWithoutAFontIsTheInitialisation) {
    CTestDialog dialog(IDD_PLAIN_DIALOG);
    dialog.endFromInit = 3;
    EXPECT_EQ(dialog.DoModal(), 3);
    EXPECT_EQ(dialog.calls, std::vector<std::wstring>{L"init"});
}

TEST(ModalDialog, PreTranslateMessageSeesQueuedInputFirst) {
    CDerivedDialog dialog;
    dialog.swallowEscape = true;
    struct Poster {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(nullptr, id);
            HWND hwnd = ::FindWindowW(L"#32770", L"Framework test");
            // Escape would cancel the dialog unless swallowed; the second message ends it.
            ::PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
            ::PostMessageW(hwnd, WM_TEST_END, 5, 0);
        }
    };
    ::SetTimer(nullptr, 0, 30, &Poster::Fire);
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_EQ(dialog.calls.back(), L"escape swallowed");
}

TEST(ModelessDialog, CreateHideShowAndDestroy) {
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND hwnd = dialog.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &dialog);
    EXPECT_FALSE(dialog.IsWindowVisible());  // the template is not WS_VISIBLE
    dialog.ShowWindow(SW_SHOW);
    EXPECT_TRUE(dialog.IsWindowVisible());
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);  // closing hides
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_FALSE(dialog.Create());  // exists already
    EXPECT_TRUE(dialog.DestroyWindow());
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_TRUE(dialog.destroyedAfterLastMessage);
    // The object can make a new window afterwards.
    ASSERT_TRUE(dialog.Create());
    dialog.DestroyWindow();
}

TEST(ModelessDialog, DestroyedWithItsObject) {
    HWND hwnd;
    {
        CTestDialog dialog;
        ASSERT_TRUE(dialog.Create());
        hwnd = dialog.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(DataExchange, MembersToControlsAndBack) {
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());  // OnInitDialog pushes the members into the controls
    EXPECT_EQ(::SendMessageW(dialog.GetDlgItem(IDC_TEST_CHECK), BM_GETCHECK, 0, 0), BST_CHECKED);
    wchar_t text[64];
    ::GetWindowTextW(dialog.GetDlgItem(IDC_TEST_TEXT), text, 64);
    EXPECT_STREQ(text, L"hello");
    ::GetWindowTextW(dialog.GetDlgItem(IDC_TEST_NUMBER), text, 64);
    EXPECT_STREQ(text, L"42");

    ::SendMessageW(dialog.GetDlgItem(IDC_TEST_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SetWindowTextW(dialog.GetDlgItem(IDC_TEST_TEXT), L"world");
    ::SetWindowTextW(dialog.GetDlgItem(IDC_TEST_NUMBER), L"-17");
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.check, BST_UNCHECKED);
    EXPECT_EQ(dialog.text, L"world");
    EXPECT_EQ(dialog.number, -17);

    // Text that is not a whole number fails the pass and leaves the member alone.
    for (const wchar_t* bad : {L"12abc", L"", L"99999999999"}) {
        ::SetWindowTextW(dialog.GetDlgItem(IDC_TEST_NUMBER), bad);
        EXPECT_FALSE(dialog.UpdateData(true));
        EXPECT_EQ(dialog.number, -17);
    }
    dialog.DestroyWindow();
}

TEST(Controls, TemplateControlAttachedToAClassWithItsOwnTable) {
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CCountingButton button;
    CDataExchange dx(&dialog, false);
    DDX_Control(&dx, IDC_TEST_ACTION, button);
    ASSERT_FALSE(dx.m_bFailed);
    EXPECT_EQ(button.m_hWnd, dialog.GetDlgItem(IDC_TEST_ACTION));

    // A real click: the button's table sees the release, the dialog gets the command.
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_EQ(button.clicks, 1);
    EXPECT_EQ(dialog.calls.back(), L"action");
    dialog.DestroyWindow();
    EXPECT_EQ(button.m_hWnd, nullptr);
}

TEST(Controls, CreatedControlsWrapTheirMessages) {
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, RECT{10, 80, 210, 110}, &dialog, 2000));
    slider.SetRange(-100, 200);
    slider.SetPos(150);
    EXPECT_EQ(slider.GetRangeMin(), -100);
    EXPECT_EQ(slider.GetRangeMax(), 200);
    EXPECT_EQ(slider.GetPos(), 150);
    slider.SetPos(500);  // clamped by the control
    EXPECT_EQ(slider.GetPos(), 200);

    CButton check;
    ASSERT_TRUE(check.Create(L"Option", WS_CHILD | BS_AUTOCHECKBOX, RECT{0, 0, 80, 20}, &dialog, 2001));
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_EQ(check.GetWindowText(), L"Option");
    EXPECT_EQ(check.GetDlgCtrlID(), 2001u);

    CStatic label;
    ASSERT_TRUE(label.Create(L"", WS_CHILD, RECT{0, 30, 80, 50}, &dialog, 2002));
    label.SetWindowText(L"12 MHz");
    EXPECT_EQ(label.GetWindowText(), L"12 MHz");
    dialog.DestroyWindow();
    EXPECT_EQ(slider.m_hWnd, nullptr);
}

TEST(Text, FormattingIsCutAtTheBuffer) {
    wchar_t small[8];
    EXPECT_EQ(FormatText(small, L"%s", L"abcdefghij"), 7u);
    EXPECT_STREQ(small, L"abcdefg");
    EXPECT_EQ(FormatText(small, L"%d", 12), 2u);
    EXPECT_STREQ(small, L"12");
    wchar_t exact[4];
    EXPECT_EQ(FormatText(exact, L"abc"), 3u);
    EXPECT_STREQ(exact, L"abc");
}

}  // namespace
