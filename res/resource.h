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

// Labels that code never addresses.
#ifndef IDC_STATIC
#define IDC_STATIC           (-1)
#endif

// ---- Step 2: the template page -----------------------------------------------------
#define IDD_TEMPLATE_PAGE    134
#define IDC_TEMPLATE_NAME    1005  // drop-down combo: a listed template or a typed name
#define IDC_KEYWORDS         1006
#define IDC_DESCRIPTION      1007
#define IDC_VIEW             1009  // opens the chosen template for a look

// ---- Step 3: the output page -------------------------------------------------------
#define IDD_OUTPUT_PAGE      135
#define IDC_CREATE_INDEX     1011  // check box: append one link per page to index.htm
#define IDC_OUTPUT_PATH      1012
#define IDC_BROWSE           1013  // picks the output folder in the folder browser
#define IDC_OUTPUT_NAME      1014
#define IDC_START_NUMBER     1015
#define IDC_HOME_TITLE       1026
#define IDC_HOME_URL         1027
