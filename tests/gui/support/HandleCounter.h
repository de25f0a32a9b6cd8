#pragma once

// Counts the GDI objects, memory contexts, window contexts, icons and cursors
// this program creates and releases while the counter lives, by pointing the
// program's own import slots for those calls at counters. The system's own
// object counts are not available under every Windows implementation; these are.
//
//   gui::HandleCounter counter;
//   ... code that must not leak ...
//   EXPECT_GT(counter.Created(), 0u);      the counting itself works
//   EXPECT_EQ(0u, counter.LiveObjects());

#include <windows.h>

#include <cstddef>

namespace gui {

class HandleCounter {
public:
    HandleCounter();
    ~HandleCounter();
    HandleCounter(const HandleCounter&) = delete;
    HandleCounter& operator=(const HandleCounter&) = delete;

    // Fonts, brushes, pens and bitmaps created and not yet deleted.
    std::size_t LiveObjects() const;
    // Memory contexts created and not yet deleted.
    std::size_t LiveMemoryDCs() const;
    // Window contexts taken with GetDC and not yet released.
    std::size_t LiveWindowDCs() const;
    // Icons and cursors created and not yet destroyed.
    std::size_t LiveIcons() const;
    // Everything created in all, to see that the counting works.
    std::size_t Created() const;
};

}  // namespace gui
