#pragma once
// A filled template that refers to its values instead of copying them: views
// into the template and the values, so a head of any size is held once, however
// often the template uses it.
#include <cstddef>
#include <string_view>
#include <vector>

#include "OutputBuffer.h"

class TemplateSpans {
public:
    // The viewed strings must outlive the spans.
    explicit TemplateSpans(std::string_view text);

    // As ReplaceAll on the text the spans spell: left to right, never
    // overlapping, never rescanning the value; a placeholder may run across spans.
    void ReplaceAll(std::string_view placeholder, std::string_view value);
    std::vector<std::size_t> Find(std::string_view placeholder) const;

    std::size_t Size() const { return m_ends.empty() ? 0 : m_ends.back(); }
    // Bytes [from, to) of the spelled text.
    void Write(std::size_t from, std::size_t to, OutputBuffer& out) const;

private:
    void Add(std::string_view span);
    std::size_t SpanAt(std::size_t offset) const;  // the span holding the byte at offset
    bool MatchesAt(std::size_t span, std::size_t at, std::string_view placeholder) const;
    template <typename Take> void Visit(std::size_t from, std::size_t to, Take take) const;

    std::vector<std::string_view> m_spans;  // none empty
    std::vector<std::size_t> m_ends;        // where each span ends in the spelled text
};

// FillAllButBody without copying the template or any value.
TemplateSpans FillAllButBodySpans(std::string_view templateText, std::string_view head,
                                  std::string_view keywords, std::string_view description,
                                  std::string_view homeLink);
