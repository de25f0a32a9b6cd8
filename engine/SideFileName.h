#pragma once
// The names of the side files a page is written into before it takes its place.
// A side file left behind by a run that died is removed by a later run, so the
// name must say beyond doubt that this program made it: a fixed prefix, the
// process id (for whoever finds one), a random part and a check over both. A
// name of the user's, even one that begins with the prefix, fails the check.
#include <cstdint>
#include <string>
#include <string_view>

std::string MakeSideFileName(std::string_view prefix, std::uint64_t processId, std::uint64_t random);

// True only for a name MakeSideFileName gives with this prefix.
bool IsSideFileName(std::string_view name, std::string_view prefix);
