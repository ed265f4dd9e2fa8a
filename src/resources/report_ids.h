#pragma once
// Ids of the report dialog and its controls. Macros, so that the resource
// compiler reads them too.
#define IDD_REPORT 102
#define IDC_SAVE_AS 1002
#define IDC_REPORT_TEXT 1006
