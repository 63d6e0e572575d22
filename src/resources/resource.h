// Resource and command identifiers of Zorvane.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MORVIK_DIALOG 102
#define IDR_MAINFRAME 128

#define IDC_STATIC_PLACEHOLDER 1000

// Front panel commands.
#define IDC_BUTTON_MINIMIZE 12313
