#pragma once

// Resources of the menu window tests only.
#define IDM_TEST_BAR        900
#define IDM_LAST_POPUP      901
#define IDM_EXTENDED        902
#define IDT_TEST_TOOLBAR    910
#define IDT_TRUNCATED       911
#define IDB_GRAYS16         920
#define IDB_TRUE_COLOUR     921

#define ID_OPEN             1001
#define ID_SAVE_AS          1002
#define ID_RECENT_FIRST     1003
#define ID_RECENT_SECOND    1004
#define ID_UNDO             1010
#define ID_LONG_LABEL       1011
#define ID_CUT              1012
#define ID_DEEP             1013
#define ID_HELP_ABOUT       1020
#define ID_ONLY             1030
