#pragma once

#include <windows.h>

// The module that holds resource `name` of `type`: the resource module set with
// AfxSetResourceHandle when it has it, else the executable.
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);

// Where resources are looked for first; null (the default) means the executable.
void AfxSetResourceHandle(HINSTANCE module);
HINSTANCE AfxGetResourceHandle();
