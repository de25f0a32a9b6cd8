#pragma once
// The one replace-all of the engine: every occurrence of a placeholder, left to
// right, never overlapping and never rescanning what was inserted. One pass finds
// the occurrences, one pass copies into a buffer of the final size: linear cost.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Where the placeholder occurs, left to right, without overlaps.
std::vector<std::size_t> FindOccurrences(std::string_view text, std::string_view placeholder);

std::string ReplaceAll(std::string_view text, std::string_view placeholder, std::string_view value);
