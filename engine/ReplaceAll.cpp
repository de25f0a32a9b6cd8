#include "ReplaceAll.h"

#include <cstring>

std::vector<std::size_t> FindOccurrences(std::string_view text, std::string_view placeholder) {
    std::vector<std::size_t> found;
    if (placeholder.empty())
        return found;
    for (std::size_t at = text.find(placeholder); at != std::string_view::npos;
         at = text.find(placeholder, at + placeholder.size()))
        found.push_back(at);
    return found;
}

std::string ReplaceAll(std::string_view text, std::string_view placeholder, std::string_view value) {
    const std::vector<std::size_t> found = FindOccurrences(text, placeholder);
    if (found.empty())
        return std::string(text);
    std::string result;
    result.reserve(text.size() - found.size() * placeholder.size() + found.size() * value.size());
    std::size_t from = 0;
    for (const std::size_t at : found) {
        result.append(text, from, at - from).append(value);
        from = at + placeholder.size();
    }
    result.append(text, from, std::string_view::npos);
    return result;
}
