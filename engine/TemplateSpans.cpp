#include "TemplateSpans.h"

#include <algorithm>

TemplateSpans::TemplateSpans(std::string_view text) { Add(text); }

void TemplateSpans::Add(std::string_view span) {
    if (span.empty())
        return;
    m_spans.push_back(span);
    m_ends.push_back(Size() + span.size());
}

std::size_t TemplateSpans::SpanAt(std::size_t offset) const {
    return static_cast<std::size_t>(std::upper_bound(m_ends.begin(), m_ends.end(), offset) - m_ends.begin());
}

bool TemplateSpans::MatchesAt(std::size_t span, std::size_t at, std::string_view placeholder) const {
    for (const char c : placeholder) {
        if (at == m_spans[span].size()) {
            if (++span == m_spans.size())
                return false;
            at = 0;
        }
        if (m_spans[span][at++] != c)
            return false;
    }
    return true;
}

template <typename Take> void TemplateSpans::Visit(std::size_t from, std::size_t to, Take take) const {
    for (std::size_t span = SpanAt(from); from < to; ++span) {
        const std::size_t start = m_ends[span] - m_spans[span].size();
        const std::size_t end = std::min(to, m_ends[span]);
        take(m_spans[span].substr(from - start, end - from));
        from = end;
    }
}

// Within a span the search is the string's own; only a span's last bytes can
// start a placeholder that runs on into the next, and any such start comes after
// every start wholly inside the span.
std::vector<std::size_t> TemplateSpans::Find(std::string_view placeholder) const {
    std::vector<std::size_t> found;
    if (placeholder.empty())
        return found;
    std::size_t next = 0;  // where the next occurrence may start
    for (std::size_t span = 0; span < m_spans.size(); ++span) {
        const std::string_view text = m_spans[span];
        const std::size_t start = m_ends[span] - text.size();
        if (next >= m_ends[span])
            continue;
        std::size_t at = next - std::min(next, start);
        for (;;) {
            const std::size_t inside = text.find(placeholder, at);
            if (inside == std::string_view::npos)
                break;
            found.push_back(start + inside);
            at = inside + placeholder.size();
        }
        next = start + at;
        for (at = std::max(at, text.size() - std::min(text.size(), placeholder.size() - 1)); at < text.size(); ++at) {
            if (MatchesAt(span, at, placeholder)) {
                found.push_back(start + at);
                next = start + at + placeholder.size();
                break;
            }
        }
    }
    return found;
}

void TemplateSpans::ReplaceAll(std::string_view placeholder, std::string_view value) {
    const std::vector<std::size_t> found = Find(placeholder);
    if (found.empty())
        return;
    TemplateSpans filled(std::string_view{});
    auto keep = [&filled](std::string_view part) { filled.Add(part); };
    std::size_t from = 0;
    for (const std::size_t at : found) {
        Visit(from, at, keep);
        filled.Add(value);
        from = at + placeholder.size();
    }
    Visit(from, Size(), keep);
    *this = std::move(filled);
}

void TemplateSpans::Write(std::size_t from, std::size_t to, OutputBuffer& out) const {
    Visit(from, to, [&out](std::string_view part) { out.Append(part); });
}

TemplateSpans FillAllButBodySpans(std::string_view templateText, std::string_view head,
                                  std::string_view keywords, std::string_view description,
                                  std::string_view homeLink) {
    TemplateSpans filled(templateText);
    filled.ReplaceAll("$head", head);
    filled.ReplaceAll("$keyword", keywords);
    filled.ReplaceAll("$description", description);
    filled.ReplaceAll("$website", homeLink);
    return filled;
}
