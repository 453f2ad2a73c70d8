// Resource and control ids shared by the resource script and the code.
#pragma once

#define IDD_MAIN 1
#define IDD_OPTIONS 2

#define IDB_ABOUT 1
#define IDB_EXIT 2
#define IDB_TRAY 3
#define IDB_MAGNIFIER 4
#define IDB_OPTIONS 5
// The same five pictures for 125, 150 and 200 %: a picture's id plus this step times the place of
// its size (1, 2, 3) after the 13-pixel one.
#define IDB_SIZE_STEP 10

#define IDI_APP 1
#define IDI_TRAY 2

#define IDC_HIDE 2
#define IDC_INFO 101
#define IDC_PREVIEW 102
#define IDC_ABOUT 103
#define IDC_ZOOM_VIEW 104
#define IDC_EXIT 106
#define IDC_ZOOM 107
#define IDC_OPTIONS 108
#define IDC_MEMO_FIRST 200
#define IDC_MEMO_LAST 205

// Options dialog (IDD_OPTIONS); Save and Cancel are IDOK and IDCANCEL.
#define IDC_OPT_TRANSPARENT 200
#define IDC_OPT_ZOOM_RATE 201
#define IDC_OPT_UPDATE_RATE 202
#define IDC_OPT_ZOOM_RATE_SPIN 203
#define IDC_OPT_UPDATE_RATE_SPIN 204
#define IDC_OPT_FORMAT 205
#define IDC_OPT_USE_SHIFT 206
#define IDC_OPT_SHIFT_X_SPIN 207
#define IDC_OPT_SHIFT_X 208
#define IDC_OPT_SHIFT_Y_SPIN 209
#define IDC_OPT_SHIFT_Y 210
#define IDC_OPT_WIN 211
#define IDC_OPT_HOTKEY 212
#define IDC_OPT_WEB_SAFE 213
#define IDC_OPT_AVERAGE 214
#define IDC_OPT_AVERAGE_SPIN 215
#define IDC_OPT_CONTRAST 216
#define IDC_OPT_SHIFT_X_LABEL 308
#define IDC_OPT_SHIFT_Y_LABEL 310
