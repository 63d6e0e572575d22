#include "info_dlg.h"

#include "resources/resource.h"
#include "skin/skin_builder.h"
#include "skin/skin_file.h"
#include "skin/skin_paths.h"

#include <iterator>

namespace {

constexpr COLORREF kTextColour = RGB(0xFF, 0xFF, 0xFF);
constexpr int kFontHeight = 11;

}  // namespace

CInfoDlg::CInfoDlg(PanelSettingsSource settings)
    : CSkinDialog(IDD_INFO, g_skinPaths.background[BackgroundInfo]), m_settings(std::move(settings)) {}

const MessageMap* CInfoDlg::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Command(IDC_INFO_CLOSE, &CInfoDlg::OnClose),
    };
    static const MessageMap map{CSkinDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

bool CInfoDlg::Create() { return CSkinDialog::Create(IDD_INFO, nullptr); }

BOOL CInfoDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    FrameSetUp();
    const LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_COMPOSITED | WS_EX_LAYERED);
    // A layered window shows nothing until it is given an opacity.
    ::SetLayeredWindowAttributes(m_hWnd, 0, 255, LWA_ALPHA);
    SkinBuilder(*this, L"Info").Bind(IDC_INFO_CLOSE, m_close).Build();
    m_texts = ReadInfoTexts();
    return TRUE;
}

void PaintInfoRows(HDC dc, const std::vector<InfoRow>& rows, RECT item, RECT value, int step) {
    for (const InfoRow& row : rows) {
        ::DrawTextW(dc, row.item.c_str(), -1, &item, DT_LEFT | DT_TOP);
        ::DrawTextW(dc, row.value.c_str(), -1, &value, DT_LEFT | DT_TOP);
        ::OffsetRect(&item, 0, step);
        ::OffsetRect(&value, 0, step);
    }
}

void CInfoDlg::PaintOverlay(HDC dc) {
    const gdi::Font font = CreateSkinFont(kFontHeight);
    const gdi::ScopedSelect selected(dc, font.get());
    ::SetTextColor(dc, kTextColour);
    RECT step{}, item{}, value{};
    ReadSkinElement(L"Information", L"TextHeight", &step, nullptr, 0);
    ReadSkinElement(L"Information", L"TextItem", &item, nullptr, 0);
    ReadSkinElement(L"Information", L"TextData", &value, nullptr, 0);
    const std::vector<InfoRow> rows = InformationRows(m_texts, m_settings());
    PaintInfoRows(dc, rows, item, value, step.left);
    m_rowsPainted = rows.size();
}

void CInfoDlg::OnCancel() { ShowWindow(SW_HIDE); }
void CInfoDlg::OnClose() { ShowWindow(SW_HIDE); }
