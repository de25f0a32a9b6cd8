#pragma once
// The user guide where the system can show it. On Windows that is the HTML Help
// window. Under Wine the HTML Help window opens but draws no topic, so there the
// same topic opens as a page in the system's browser: the guide's pages lie
// beside the program, in its help folder, where the Linux package puts them.

// Opens the guide at its first topic: as a page under Wine when the page is
// there and the shell opens it, else in the HTML Help window.
void ShowGuide();
