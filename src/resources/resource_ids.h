// Resource and control ids shared by the resource script and the code.
#pragma once

#define IDD_MAIN 1
#define IDD_OPTIONS 2

#define IDB_ABOUT 1
#define IDB_EXIT 2
#define IDB_TRAY 3
#define IDB_MAGNIFIER 4
#define IDB_OPTIONS 5

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
