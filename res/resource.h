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
#define IDC_LEGACY_CHARSET   1056  // drop-down list: the character set of texts that are not UTF-8

// ---- Step 3: the output page -------------------------------------------------------
#define IDD_OUTPUT_PAGE      135
#define IDC_CREATE_INDEX     1011  // check box: append one link per page to index.htm
#define IDC_OUTPUT_PATH      1012
#define IDC_BROWSE           1013  // picks the output folder in the folder browser
#define IDC_OUTPUT_NAME      1014
#define IDC_START_NUMBER     1015
#define IDC_HOME_TITLE       1026
#define IDC_HOME_URL         1027
#define IDC_REPLACE_EXISTING 1055  // check box: existing pages are replaced without a question
#define IDC_OPEN_RESULT      1056  // link label: what the last finished run made, in the browser

// ---- The about box ---------------------------------------------------------------
#define IDD_ABOUTBOX         100
#define IDS_ABOUTBOX         101   // text of the system menu item that opens it
#define IDM_ABOUTBOX         0x0010  // its command id (system commands keep the low four bits free)
#define IDI_ABOUT            143   // the picture in the about box

// ---- The wizard window -----------------------------------------------------------
#define IDD_WIZARD           102
#define IDC_STEPS            1000  // the step buttons, hosting the three pages
#define IDC_START            1018
#define IDC_BANNER           1019  // the banner of the step in front
#define IDC_LINK_WEBSITE     1028
#define IDC_LINK_EMAIL       1029

// ---- The run in progress: takes the step control's place while a run goes on ---------
#define IDD_RUN_PANEL        1050
#define IDC_RUN_COUNT        1051  // which file of how many
#define IDC_RUN_FILE         1052  // the file being converted
#define IDC_RUN_BAR          1053
#define IDC_STOP             1054  // ends the run after the page being written

// The program's icon: window, taskbar, minimised window, drag image.
#define IDR_MAINFRAME        128

// Banner of each step, 400 x 60, 24 bits; drawn by res/art/make_art.sh.
#define IDB_BANNER_STEP1     130
#define IDB_BANNER_STEP2     131
#define IDB_BANNER_STEP3     132
