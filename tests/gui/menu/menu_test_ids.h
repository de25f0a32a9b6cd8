#pragma once
// Resources of the menu window tests only.
#define IDM_TEST_BAR 900
#define IDM_LAST_POPUP 901
#define IDM_EXTENDED 902
#define IDM_CUT_SHORT 903
#define IDM_FAR_OFFSET 904
#define IDT_TEST_TOOLBAR 910
#define IDT_TRUNCATED 911
#define IDT_FLAT_TOOLBAR 912
#define IDB_TRUE_COLOUR 921
#define ID_OPEN 1001
#define ID_RECENT_SECOND 1004
#define ID_UNDO 1010
#define ID_LONG_LABEL 1011
#define ID_DEEP 1013
