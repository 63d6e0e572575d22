// Resource and command identifiers of Zorvane, grouped by window. Each dialog's
// controls sit under its heading; their skin elements are in skin/skin_catalog.cpp.
#pragma once

// ---------------------------------------------------------------- templates and resources
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MORVIK_DIALOG 102
#define IDR_MAINFRAME 128
#define IDR_TRAY_MENU 132

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// ---------------------------------------------------------------- the about box
#define IDC_ABOUT_VERSION 1000
// Its item in the front panel's system menu.
#define IDM_ABOUTBOX 0x0010

// ---------------------------------------------------------------- CMorvikDlg, the front panel
// Buttons.
#define IDC_BUTTON_SETTING 12309
#define IDC_BUTTON_STATUS 12310
#define IDC_BUTTON_APPLY 12311
#define IDC_BUTTON_RESTORE 12312
#define IDC_BUTTON_MINIMIZE 12313
#define IDC_BUTTON_CLOSE 12314
#define IDC_BUTTON_INFO 12315
#define IDC_BUTTON_NVPANEL 12316
#define IDC_BUTTON_USERMODE1 12317
#define IDC_BUTTON_USERMODE2 12318
#define IDC_BUTTON_USERMODE3 12319
#define IDC_BUTTON_SAVE 12320
#define IDC_BUTTON_FANDUTYINC 12321
#define IDC_BUTTON_FANDUTYDEC 12322
#define IDC_BUTTON_TEMPUNIT 12323
#define IDC_BUTTON_LOGO 12324
#define IDC_BUTTON_OC 12339
#define IDC_BUTTON_USERMODE4 12342
#define IDC_BUTTON_USERMODE5 12343
#define IDC_BUTTON_USERMODE6 12344
#define IDC_BUTTON_USERMODE7 12345
#define IDC_BUTTON_USERMODE8 12346
#define IDC_BUTTON_GPU1 12349
#define IDC_BUTTON_GPU2 12350
#define IDC_BUTTON_GPU3 12351
#define IDC_BUTTON_GPU4 12352
#define IDC_BUTTON_LEDCTRL 12371
#define IDC_BUTTON_GPU5 12387
#define IDC_BUTTON_GPU6 12388
#define IDC_BUTTON_GPU7 12389
#define IDC_BUTTON_GPU8 12390
#define IDC_BUTTON_OCMODE 12391
#define IDC_BUTTON_GAMINGMODE 12392
#define IDC_BUTTON_SILENCEMODE 12393
#define IDC_BUTTON_OC2MODE 12394

// Read-outs, gauges, labels and the fan slider.
#define IDC_STATIC_FANDUTY1 12305
#define IDC_STATIC_FANDUTY2 12306
#define IDC_STATIC_FANDUTY3 12307
#define IDC_STATIC_TEMP1 12325
#define IDC_STATIC_TEMP2 12326
#define IDC_STATIC_TEMP3 12327
#define IDC_STATIC_CORE1 12329
#define IDC_STATIC_CORE2 12330
#define IDC_STATIC_CORE3 12331
#define IDC_STATIC_CORE4 12332
#define IDC_STATIC_MEMORY1 12333
#define IDC_STATIC_MEMORY2 12334
#define IDC_STATIC_MEMORY3 12335
#define IDC_STATIC_MEMORY4 12336
#define IDC_METER_MEMORY 12337
#define IDC_METER_CORE 12338
#define IDC_METER_TEMP 12395
#define IDC_METER_FAN 12396
#define IDC_STATIC_CORECURRENT 12347
#define IDC_STATIC_GPUNAME 12353
#define IDC_SLIDER_FANCTRL 12348

// Timers.
#define IDT_ANIMATION 12308
#define IDT_MONITOR 12364
#define IDT_FAN_MODES 12365
#define IDT_LED_SETTINGS 12369

// ---------------------------------------------------------------- CFanCtrlDlg, fan control
#define IDD_FANCTRL 139
// Per fan group: the first group, then the second.
#define IDC_FAN_CURVE1 1046
#define IDC_FAN_CURVE2 1063
#define IDC_FAN_SLIDER1 12348
#define IDC_FAN_SLIDER2 12401
#define IDC_FAN_ITEM1 1047
#define IDC_FAN_ITEM2 1064
#define IDC_FAN_VALUE1 1048
#define IDC_FAN_VALUE2 1065
#define IDC_FAN_UNIT1 1049
#define IDC_FAN_UNIT2 1066
#define IDC_FAN_AUTO_LABEL1 1054
#define IDC_FAN_AUTO_LABEL2 1067
#define IDC_FAN_FIXED_LABEL1 1050
#define IDC_FAN_FIXED_LABEL2 1068
#define IDC_FAN_CURVE_LABEL1 1051
#define IDC_FAN_CURVE_LABEL2 1069
#define IDC_FAN_AUTO1 1004
#define IDC_FAN_AUTO2 1071
#define IDC_FAN_CURVE_CHECK1 1052
#define IDC_FAN_CURVE_CHECK2 1070
#define IDC_FAN_FIXED1 1053
#define IDC_FAN_FIXED2 1072
#define IDC_FAN_APPLY 12311
#define IDC_FAN_CANCEL 2

// ---------------------------------------------------------------- the notification-area icon
// Notification-area icon and its menu.
#define WM_TRAY_NOTIFY 0x800A
#define IDI_TRAY 132
#define ID_TRAY_EXIT 32772
#define ID_TRAY_OPEN 32773
