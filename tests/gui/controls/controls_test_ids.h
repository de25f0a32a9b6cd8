#pragma once
#define IDM_TEST_DROPDOWN 4001  // a menu whose first pop-up the button drops down
#define ID_TEST_FIRST     4011
#define ID_TEST_SECOND    4012
