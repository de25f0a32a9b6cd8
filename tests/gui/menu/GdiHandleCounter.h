#pragma once

#include <windows.h>

#include <cstddef>

// Counts the GDI objects, memory contexts and window contexts this program
// creates and releases while it lives, by routing the program's own imports of
// the creating and releasing calls through counters. The system's own object
// counts are not available under every Windows implementation; these are.
class GdiHandleCounter {
public:
    GdiHandleCounter();
    ~GdiHandleCounter();
    GdiHandleCounter(const GdiHandleCounter&) = delete;
    GdiHandleCounter& operator=(const GdiHandleCounter&) = delete;

    // Objects (fonts, brushes, pens, bitmaps) created and not yet deleted.
    std::size_t LiveObjects() const;
    // Memory contexts created and not yet deleted.
    std::size_t LiveMemoryDCs() const;
    // Window contexts taken with GetDC and not yet released.
    std::size_t LiveWindowDCs() const;
    // How many objects were created in all (to see that the counting works).
    std::size_t CreatedObjects() const;
};
