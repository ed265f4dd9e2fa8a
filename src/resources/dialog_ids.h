#pragma once
// Ids of the dialog templates, their controls and the row-picture bitmap.
// Macros, so that the resource compiler reads them too.
#define IDD_VERSION_CHOICE 129
#define IDB_ROW_MARKS 131
#define IDD_INSTALL_FOLDER 132
#define IDC_VERSION_LIST 1007
#define IDC_FOLDER_EDIT 1008
#define IDC_BROWSE 1009
