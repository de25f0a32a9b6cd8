#pragma once
// The one replace-all of the engine: every occurrence of a placeholder, left to
// right, never overlapping and never rescanning what was inserted. One pass counts,
// one pass writes into a buffer of the final size, so the cost is linear.
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// A replacement value that is plain bytes. A value type needs size() and WriteTo().
struct PlainValue {
    std::string_view text;
    std::size_t size() const { return text.size(); }
    char* WriteTo(char* out) const {
        std::memcpy(out, text.data(), text.size());
        return out + text.size();
    }
};

template <class Value>
std::string ReplaceAll(std::string_view text, std::string_view placeholder, const Value& value) {
    if (placeholder.empty())
        return std::string(text);
    std::vector<std::size_t> found;
    for (std::size_t at = text.find(placeholder); at != std::string_view::npos;
         at = text.find(placeholder, at + placeholder.size()))
        found.push_back(at);
    if (found.empty())
        return std::string(text);

    const std::size_t valueSize = value.size();
    std::string result(text.size() - found.size() * placeholder.size() + found.size() * valueSize, '\0');
    char* out = &result[0];
    std::size_t from = 0;
    for (const std::size_t at : found) {
        std::memcpy(out, text.data() + from, at - from);
        out += at - from;
        out = value.WriteTo(out);
        from = at + placeholder.size();
    }
    std::memcpy(out, text.data() + from, text.size() - from);
    return result;
}

inline std::string ReplaceAll(std::string_view text, std::string_view placeholder, std::string_view value) {
    return ReplaceAll(text, placeholder, PlainValue{value});
}
