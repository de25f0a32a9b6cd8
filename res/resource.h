// Resource ids of tessiva: one block per dialog (its template id, then its
// controls), then bitmaps, icons and strings. Numbers are part of the resource
// set the program ships with; keep them, and give every new one a name here.
#pragma once

// ---- Step 1: the files page --------------------------------------------------------
#define IDD_FILES_PAGE       133
#define IDC_FILE_LIST        1001  // sorted, multiple-selection list of full paths
#define IDC_ADD              1002
#define IDC_DELETE           1003
#define IDC_CLEAR            1004
#define IDC_FILE_COUNT       1020  // how many files the list holds
