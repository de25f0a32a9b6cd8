#include "ResourceLookup.h"

namespace {
HINSTANCE resourceModule = nullptr;
}

void AfxSetResourceHandle(HINSTANCE module)
{
    resourceModule = module;
}

HINSTANCE AfxGetResourceHandle()
{
    return resourceModule != nullptr ? resourceModule : ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type)
{
    HINSTANCE first = AfxGetResourceHandle();
    if (::FindResourceA(first, name, type) != nullptr)
        return first;
    return ::GetModuleHandleA(nullptr);
}
