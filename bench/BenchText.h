#pragma once
// Made-up input for the benchmarks, the same bytes on every machine.
#include <cstddef>
#include <string>

// Prose in CR LF lines of about 60 to 80 bytes, with the occasional double space
// after a full stop and an indented line now and then, as typed texts have.
std::string MakeProse(std::size_t bytes, unsigned seed);

// Nothing but runs of spaces and line feeds: every byte is mark-up work.
std::string MakeSpacesAndLineFeeds(std::size_t bytes, unsigned seed);
