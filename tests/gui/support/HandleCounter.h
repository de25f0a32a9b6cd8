#pragma once

// Counts the GDI objects, device contexts, icons, cursors and image lists this program creates
// and releases while the counter lives, by pointing the program's own import slots
// for those calls at counters. The system's own object counts are not available
// under every Windows implementation; these are.

#include <windows.h>

#include <cstddef>

namespace gui {

class HandleCounter {
public:
    HandleCounter();
    ~HandleCounter();
    HandleCounter(const HandleCounter&) = delete;
    HandleCounter& operator=(const HandleCounter&) = delete;

    std::size_t Live() const;     // created or taken, and not yet given back
    std::size_t Created() const;  // everything in all, to see that the counting works
};

}  // namespace gui
