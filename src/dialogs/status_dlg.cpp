#include "status_dlg.h"

#include "gpu/board_list.h"
#include "gpu/power_thermal.h"
#include "profiles/board_features.h"
#include "resources/resource.h"
#include "skin/skin_builder.h"
#include "skin/skin_paths.h"

#include <iterator>

namespace {

constexpr UINT kCharts[kStatusCharts] = {IDC_STATUS_CHART1, IDC_STATUS_CHART2, IDC_STATUS_CHART3, IDC_STATUS_CHART4,
                                         IDC_STATUS_CHART5, IDC_STATUS_CHART6, IDC_STATUS_CHART7, IDC_STATUS_CHART8};
constexpr UINT kLines[kStatusCharts] = {IDC_STATUS_LINE1, IDC_STATUS_LINE2, IDC_STATUS_LINE3, IDC_STATUS_LINE4,
                                        IDC_STATUS_LINE5, IDC_STATUS_LINE6, IDC_STATUS_LINE7, IDC_STATUS_LINE8};
constexpr COLORREF kGridColour = RGB(0xFF, 0x10, 0x20);
constexpr COLORREF kChartColour = RGB(0x87, 0x00, 0x00);
constexpr COLORREF kTraceColour = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kLineColour = RGB(0xFF, 0xFF, 0xFF);
constexpr int kFontHeight = 14;

}  // namespace

CStatusDlg::CStatusDlg(PanelSettingsSource settings)
    : CSkinDialog(IDD_STATUS, g_skinPaths.background[BackgroundStatus]), m_settings(std::move(settings)) {}

const MessageMap* CStatusDlg::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_TIMER, &CStatusDlg::OnTimer),
        msgmap::Message(WM_DESTROY, &CStatusDlg::OnDestroy),
        msgmap::Command(IDC_STATUS_CLOSE, &CStatusDlg::OnClose),
    };
    static const MessageMap map{CSkinDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

bool CStatusDlg::Create() { return CSkinDialog::Create(IDD_STATUS, nullptr); }

BOOL CStatusDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    FrameSetUp();
    m_font = CreateSkinFont(kFontHeight);
    SkinBuilder builder(*this, L"Status");
    for (int c = 0; c < kStatusCharts; ++c) {
        builder.Bind(kCharts[c], [this, c](const RECT& rect, UINT id) {
            CHistogramCtrl& chart = m_charts[c];
            chart.Create(rect, this, id);
            // A chart without a place (all four numbers adding up to nothing) stays hidden.
            if (c >= kChartCoreLoad && rect.left + rect.top + rect.right + rect.bottom < 1) chart.ShowWindow(SW_HIDE);
        });
        builder.Bind(kLines[c], m_lines[c], m_font.get(), kLineColour, SS_LEFT);
    }
    builder.Bind(IDC_STATUS_CLOSE, m_close).Build();

    const std::array<ChartScale, kStatusCharts> scales = StatusChartScales();
    for (int c = 0; c < kStatusCharts; ++c) {
        CHistogramCtrl& chart = m_charts[c];
        chart.m_valueOffset = scales[c].offset;
        chart.m_range = static_cast<std::uint32_t>(scales[c].range);
        chart.SetOwnerPeriod(0);
        chart.SetGridColour(kGridColour);
        chart.SetBackgroundColour(kChartColour);
        chart.SetTracePen(gdi::Pen(::CreatePen(PS_SOLID, 2, kTraceColour)));
    }
    m_maximumPower = GpuGetPowerLimitInfo(SelectedBoard, 3);
    const unsigned period = static_cast<unsigned>(m_settings().intervalSeconds) * 1000;
    const std::array<bool, kStatusCharts> available = StatusChartsAvailable();
    for (int c = 0; c < kStatusCharts; ++c) {
        m_running[c] = available[c];
        if (available[c]) m_charts[c].SetOwnerPeriod(period);
    }

    m_texts = ReadStatusTexts();
    ShowLines(StatusSample{});
    SetTimer(IDT_STATUS_SAMPLE, period);
    return TRUE;
}

void CStatusDlg::ShowLines(const StatusSample& sample) {
    const std::array<std::wstring, kStatusCharts> lines = StatusLines(sample, m_texts, m_settings().fahrenheit);
    wchar_t shown[200];
    for (int c = 0; c < kStatusCharts; ++c) {
        // A line whose text is unchanged is not repainted.
        ::GetWindowTextW(m_lines[c].m_hWnd, shown, static_cast<int>(std::size(shown)));
        if (lines[c] != shown) m_lines[c].SetWindowText(lines[c].c_str());
    }
}

void CStatusDlg::Sample() {
    const StatusSample sample = TakeStatusSample(m_settings(), BoardFeatures);
    for (int c = 0; c < kStatusCharts; ++c) {
        if (const std::optional<int> value = ChartValue(static_cast<StatusChart>(c), sample, m_maximumPower)) {
            m_charts[c].AddSample(static_cast<std::uint32_t>(*value));
        }
    }
    m_last = sample;
    ShowLines(sample);
}

void CStatusDlg::RefreshLines() { ShowLines(m_last); }

LRESULT CStatusDlg::OnTimer(WPARAM id, LPARAM) {
    if (id != IDT_STATUS_SAMPLE) return Default();
    Sample();
    return 0;
}

LRESULT CStatusDlg::OnDestroy(WPARAM wParam, LPARAM lParam) {
    KillTimer(IDT_STATUS_SAMPLE);
    return CSkinDialog::OnDestroy(wParam, lParam);
}

void CStatusDlg::OnCancel() { ShowWindow(SW_HIDE); }
void CStatusDlg::OnClose() { ShowWindow(SW_HIDE); }
