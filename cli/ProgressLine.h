#pragma once
// A single progress line on the terminal, shown only once a run has taken more
// than a moment, so quick runs print nothing but their result.
#include <chrono>
#include <cstddef>
#include <string>

class ProgressLine {
public:
    explicit ProgressLine(bool enabled);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Show(std::size_t index, std::size_t total, const std::string& file);
    // Takes the line off the screen, before a question or the final message.
    void Clear();

private:
    using Clock = std::chrono::steady_clock;
    bool m_bEnabled;
    Clock::time_point m_started;
    Clock::time_point m_lastShown;
    std::size_t m_nShownLength = 0;
};
