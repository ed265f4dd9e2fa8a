#pragma once
// Control ids of autofixture's dialog.
#define IDD_FIXTURE 100
#define IDC_MESSAGE 1001
#define IDC_COUNT_TEXT 1002
#define IDC_COUNT 1003
#define IDC_ASK 1004
#define IDC_LOCKED 1005
#define IDD_LIST_FIXTURE 101
#define IDC_LIST 1006
