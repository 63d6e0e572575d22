// The main window's monitoring: a sample of the selected board into the monitor
// values and labels, the gauges' animation, and the read-outs and gauges from the values.
#include "mainwnd/morvik_dlg.h"

#include "framework/text.h"
#include "mainwnd/monitor_sample.h"
#include "mainwnd/monitor_values.h"
#include "profiles/board_features.h"
#include "resources/resource.h"

namespace {

// The first read-out of each group (ones digit first), in the order they are created.
constexpr int kFanDutyFirst = 0, kTemperatureFirst = 3, kCoreFirst = 6, kMemoryFirst = 10;
enum GaugeSlot { MemoryGauge, CoreGauge, TemperatureGauge, FanGauge };

// Repaints a display that shows another frame now, with the part of the picture under it
// (displays draw keyed over the window).
void Repaint(HWND window, CControlStatic& display) {
    if (!display.m_hWnd || !::IsWindowVisible(window)) return;
    RECT rect;
    ::GetWindowRect(display.m_hWnd, &rect);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    ::RedrawWindow(window, &rect, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ShowGroup(HWND window, CControlStatic* readouts, int digits, int value) {
    const ReadoutDigits split = SplitDigits(value);
    for (int i = 0; i < digits; ++i) {
        CControlStatic& readout = readouts[i];
        if (readout.m_frameIndex == split.digit[i] && readout.m_blank == !split.shown[i]) continue;
        readout.m_frameIndex = split.digit[i];
        readout.m_blank = !split.shown[i];
        Repaint(window, readout);
    }
}

void ShowFrame(HWND window, CControlStatic& gauge, int frame) {
    if (!gauge.m_hWnd || gauge.m_frameIndex == frame) return;
    gauge.m_frameIndex = frame;
    Repaint(window, gauge);
}

}  // namespace

void CMorvikDlg::TakeSample() {
    ++m_samplesTaken;
    MonitorSettings settings = DisplaySettings;
    settings.features = BoardFeatures;
    const MonitorSample sample = TakeMonitorSample(settings);
    m_temperature = sample.temperature;
    m_fanDuty = sample.fanDuty;
    m_coreClock = sample.coreClock;
    m_memoryClock = sample.memoryClock;
    m_currentClock = sample.currentClock;

    wchar_t current[24] = L"";
    if (m_currentClock > 0) FormatText(current, L"%s %d", m_currentCaption, m_currentClock);
    m_currentClockLabel.SetWindowText(current);
    m_boardNameLabel.SetWindowText(sample.boardLabel.c_str());

    m_memoryTarget = sample.memoryTarget;
    m_coreTarget = sample.coreTarget;
    m_memoryGauge = CatchUpGauge(m_memoryGauge, m_memoryTarget);
    m_coreGauge = CatchUpGauge(m_coreGauge, m_coreTarget);
    ShowBuiltInModeButtons();
}

// Which built-in modes the board variant offers; without either feature they stay as they are.
void CMorvikDlg::ShowBuiltInModeButtons() {
    const bool modes = BoardFeatures & feature::BuiltInModes;
    if (!modes && !(BoardFeatures & feature::BuiltInOc2Mode)) return;
    for (UINT id : {IDC_BUTTON_OCMODE, IDC_BUTTON_GAMINGMODE, IDC_BUTTON_SILENCEMODE}) ShowButton(id, modes);
    ShowButton(IDC_BUTTON_OC2MODE, !modes);
}

void CMorvikDlg::AnimateGauges() {
    m_coreGauge = AnimateGauge(m_coreGauge, m_coreTarget);
    m_memoryGauge = AnimateGauge(m_memoryGauge, m_memoryTarget);
}

void CMorvikDlg::RefreshDisplay() {
    // Only what shows another frame is repainted; hidden in the tray nothing is (showing
    // the window paints all of it).
    ShowGroup(m_hWnd, &m_readouts[kFanDutyFirst], 3, m_fanDuty);
    ShowGroup(m_hWnd, &m_readouts[kTemperatureFirst], 3, m_temperature);
    ShowGroup(m_hWnd, &m_readouts[kCoreFirst], 4, m_coreClock);
    ShowGroup(m_hWnd, &m_readouts[kMemoryFirst], 4, m_memoryClock);
    ShowFrame(m_hWnd, m_gauges[MemoryGauge], LoadGaugeFrame(m_memoryGauge));
    ShowFrame(m_hWnd, m_gauges[CoreGauge], LoadGaugeFrame(m_coreGauge));
    ShowFrame(m_hWnd, m_gauges[TemperatureGauge], TemperatureGaugeFrame(m_temperature, DisplaySettings.temperatureUnit));
    ShowFrame(m_hWnd, m_gauges[FanGauge], FanGaugeFrame(m_fanDuty));
}
