#pragma once
// A text file becomes a head (its first line) and a body (the rest), and the body
// is marked up with the fewest changes: pairs of spaces and line ends.
#include <cstddef>
#include <string>
#include <string_view>

// Views into the text that was split; they live as long as that text.
struct HeadAndBody {
    std::string_view head;
    std::string_view body;
};

// The head is the text before the first line feed, less the carriage return that
// ends a CR LF line (a line ended by LF alone keeps all its characters). The body
// is everything after that line feed, or the whole text when there is none.
HeadAndBody SplitHeadAndBody(std::string_view text);

// Every two consecutive spaces become "&nbsp;&nbsp;" (left to right, pairs do not
// overlap), then every line feed becomes a line feed followed by "<br>". Nothing
// else changes.
std::string MakeHtmlBody(std::string_view body);

// The marked-up body without building it: its size is known before a byte is
// written, so a page can be assembled in one buffer of the right size.
class HtmlBody {
public:
    explicit HtmlBody(std::string_view body);
    std::size_t size() const { return m_size; }
    // Writes size() bytes at out and returns the end of what it wrote.
    char* WriteTo(char* out) const;

private:
    std::string_view m_body;
    std::size_t m_size;
};
