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
#define IDT_RESTORE_SETTLED 12370  // 60 s after a start-up restore

// ---------------------------------------------------------------- CQuitDlg, the quit question
#define IDD_QUIT 138
#define IDC_QUIT_TEXT 1033

// ---------------------------------------------------------------- CSettingDlg, options
#define IDD_SETTING 134
#define IDC_SET_STARTUP 1004
#define IDC_SET_TOOLTIPS 1034
#define IDC_SET_CURRENT 1035
#define IDC_SET_BASE 1036
#define IDC_SET_BOOST 1062
#define IDC_SET_COMPANION 12383
#define IDC_SET_INTERVAL 1009
#define IDC_SET_INTERVAL_SPIN 1010
#define IDC_SET_STARTUP_LABEL 1055
#define IDC_SET_TOOLTIPS_LABEL 1056
#define IDC_SET_COMPANION_LABEL 1060
#define IDC_SET_METER_LABEL 1059
#define IDC_SET_CURRENT_LABEL 1057
#define IDC_SET_BASE_LABEL 1058
#define IDC_SET_BOOST_LABEL 1061
#define IDC_SET_INTERVAL_LABEL 12427

// ---------------------------------------------------------------- CStatusDlg, status charts
#define IDD_STATUS 135
// Each chart takes the identifier of the frame that marks its place.
#define IDC_STATUS_CHART1 1011
#define IDC_STATUS_CHART2 1012
#define IDC_STATUS_CHART3 1013
#define IDC_STATUS_CHART4 1014
#define IDC_STATUS_CHART5 1015
#define IDC_STATUS_CHART6 1017
#define IDC_STATUS_CHART7 1037
#define IDC_STATUS_CHART8 1038
#define IDC_STATUS_LINE1 1005
#define IDC_STATUS_LINE2 1007
#define IDC_STATUS_LINE3 1039
#define IDC_STATUS_LINE4 1016
#define IDC_STATUS_LINE5 1009
#define IDC_STATUS_LINE6 1010
#define IDC_STATUS_LINE7 1040
#define IDC_STATUS_LINE8 1041
#define IDC_STATUS_CLOSE 12341
#define IDT_STATUS_SAMPLE 12366

// ---------------------------------------------------------------- CInfoDlg, information
#define IDD_INFO 136
#define IDC_INFO_CLOSE 12340

// ---------------------------------------------------------------- COverClkDlg, overclock
#define IDD_OVERCLK 133
// Per row: slider, item label, value text, unit text.
#define IDC_OC_CORE_SLIDER 1001
#define IDC_OC_CORE_ITEM 1019
#define IDC_OC_CORE_VALUE 1005
#define IDC_OC_CORE_UNIT 1025
#define IDC_OC_MEMORY_SLIDER 1003
#define IDC_OC_MEMORY_ITEM 1020
#define IDC_OC_MEMORY_VALUE 1007
#define IDC_OC_MEMORY_UNIT 1024
#define IDC_OC_VOLTAGE_SLIDER 1014
#define IDC_OC_VOLTAGE_ITEM 1022
#define IDC_OC_VOLTAGE_VALUE 1009
#define IDC_OC_VOLTAGE_UNIT 1023
#define IDC_OC_POWER_SLIDER 1015
#define IDC_OC_POWER_ITEM 1018
#define IDC_OC_POWER_VALUE 1010
#define IDC_OC_POWER_UNIT 1021
#define IDC_OC_TEMP_SLIDER 1016
#define IDC_OC_TEMP_ITEM 1027
#define IDC_OC_TEMP_VALUE 1039
#define IDC_OC_TEMP_UNIT 1026
#define IDC_OC_VOLTMAX_SLIDER 1028
#define IDC_OC_VOLTMAX_ITEM 1030
#define IDC_OC_VOLTMAX_VALUE 1011
#define IDC_OC_VOLTMAX_UNIT 1029
#define IDC_OC_FRAME_SLIDER 1031
#define IDC_OC_FRAME_ITEM 1034
#define IDC_OC_FRAME_VALUE 1033
#define IDC_OC_FRAME_UNIT 1032
// Switches and their labels.
#define IDC_OC_PRIORITIZE 1017
#define IDC_OC_PRIORITIZE_LABEL 1042
#define IDC_OC_LINKED 1013
#define IDC_OC_LINKED_LABEL 1043
#define IDC_OC_OVERVOLTAGED 1012
#define IDC_OC_OVERVOLTAGED_LABEL 1044
// The hidden list of performance level names.
#define IDC_OC_LEVELS 1008
#define IDC_OC_SCANNER 12403
#define IDC_OC_NORMAL_MODE 12358
#define IDC_OC_MASTER_MODE 12359
// Master mode's switches and labels.
#define IDC_OC_CORE_OV 12354
#define IDC_OC_MEMORY_OV 12355
#define IDC_OC_FAN_FULL_SPEED 12356
#define IDC_OC_OVER_CURRENT 12357
#define IDC_OC_CORE_OV_LABEL 12360
#define IDC_OC_MEMORY_OV_LABEL 12361
#define IDC_OC_FAN_FULL_SPEED_LABEL 12362
#define IDC_OC_OVER_CURRENT_LABEL 12363

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

// ---------------------------------------------------------------- CLedCtrlDlg, LED control
#define IDD_LEDCTRL 140
#define IDC_LED_OFF 12382
#define IDC_LED_OFF_LABEL 12381
#define IDC_LED_GPUTEMP 12372
#define IDC_LED_GPUTEMP_LABEL 12375
#define IDC_LED_STILL 12373
#define IDC_LED_STILL_LABEL 12376
#define IDC_LED_STILL_COLOUR 12377
#define IDC_LED_STILL_BRIGHTNESS 12402
#define IDC_LED_RAINBOW 12374
#define IDC_LED_RAINBOW_LABEL 12378
#define IDC_LED_POWERON 12380
#define IDC_LED_POWERON_LABEL 12379
#define IDC_LED_NVCTRL 12386
#define IDC_LED_NVCTRL_LABEL 12384
#define IDC_LED_NV_COLOUR 12385
#define IDC_LED_BREATH 12409
#define IDC_LED_BREATH_LABEL 12404
#define IDC_LED_BREATH_COLOUR 12405
#define IDC_LED_BREATH_COLOUR_B 12406
#define IDC_LED_BREATH_BRIGHTNESS 12410
#define IDC_LED_BREATH_BRIGHTNESS_LABEL 12407
#define IDC_LED_BREATH_SPEED 12411
#define IDC_LED_BREATH_SPEED_LABEL 12408
#define IDC_LED_CYCLE 12415
#define IDC_LED_CYCLE_LABEL 12412
#define IDC_LED_CYCLE_SPEED 12416
#define IDC_LED_CYCLE_SPEED_LABEL 12413
#define IDC_LED_CYCLE_DIRECTION 12417
#define IDC_LED_CYCLE_DIRECTION_LABEL 12414
#define IDC_LED_STROBE 12422
#define IDC_LED_STROBE_LABEL 12418
#define IDC_LED_STROBE_COLOUR 12419
#define IDC_LED_STROBE_SPEED 12423
#define IDC_LED_STROBE_SPEED_LABEL 12420
#define IDC_LED_STROBE_DIRECTION 12424
#define IDC_LED_STROBE_DIRECTION_LABEL 12421
#define IDC_LED_KIND 12425
#define IDC_LED_CLOSE 12314

// ---------------------------------------------------------------- the notification-area icon
// Notification-area icon and its menu.
#define WM_TRAY_NOTIFY 0x800A
#define IDI_TRAY 132
#define ID_TRAY_EXIT 32772
#define ID_TRAY_OPEN 32773
