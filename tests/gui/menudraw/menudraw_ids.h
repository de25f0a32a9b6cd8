#pragma once

// Resources of the menu drawing tests. A toolbar layout and its bitmap share
// their id, as image sources of menu items do.
#define IDT_DRAW_TOOLBAR 400
#define IDB_DRAW_COLOUR256 401
#define IDM_DRAW_DEMO 402

// Commands on the toolbar, in image order.
#define ID_DRAW_OPEN 41001
#define ID_DRAW_SAVE 41002
#define ID_DRAW_BOLD 41003
#define ID_DRAW_GRAYS 41004
#define ID_DRAW_CUT 41005

// Commands of the demo menu that have no toolbar image.
#define ID_DRAW_WRAP 41010
#define ID_DRAW_LEFT 41011
#define ID_DRAW_CENTRE 41012
#define ID_DRAW_RIGHT 41013
#define ID_DRAW_PASTE 41014
#define ID_DRAW_EXIT 41015
#define ID_DRAW_NOT_ON_TOOLBAR 41016
