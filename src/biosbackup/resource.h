// Kelvor's resource identifiers.
#pragma once

#define IDS_APP_TITLE 103
#define IDC_KELVOR 109
#define IDI_KELVOR 107
#define IDI_SMALL 108
#define IDD_ABOUTBOX 103
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDD_PROGRESS 129
#define IDC_PROGRESS_TEXT 1000
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
