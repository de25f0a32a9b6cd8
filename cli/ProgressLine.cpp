#include "ProgressLine.h"

#include "Terminal.h"

namespace {
constexpr auto kQuietStart = std::chrono::milliseconds(500);
constexpr auto kRefresh = std::chrono::milliseconds(100);
constexpr std::size_t kWidth = 79;  // fits the narrowest usual terminal
}  // namespace

ProgressLine::ProgressLine(bool enabled)
    : m_bEnabled(enabled), m_started(Clock::now()), m_lastShown(m_started) {}

ProgressLine::~ProgressLine() {
    Clear();
}

void ProgressLine::Show(std::size_t index, std::size_t total, const std::string& file) {
    if (!m_bEnabled)
        return;
    const Clock::time_point now = Clock::now();
    if (now - m_started < kQuietStart || (m_nShownLength > 0 && now - m_lastShown < kRefresh))
        return;
    m_lastShown = now;
    std::string line = "converting " + std::to_string(index + 1) + "/" + std::to_string(total) + ": ";
    // Keep the end of a long path: the file name is the useful part.
    const std::size_t room = kWidth > line.size() ? kWidth - line.size() : 0;
    if (file.size() <= room) {
        line += file;
    } else {
        std::size_t from = file.size() - (room > 3 ? room - 3 : 0);
        while (from < file.size() && (static_cast<unsigned char>(file[from]) & 0xC0) == 0x80)
            ++from;  // never from the middle of a character
        line += "..." + file.substr(from);
    }
    const std::size_t length = line.size();
    if (length < m_nShownLength)
        line.append(m_nShownLength - length, ' ');
    WriteText(stderr, "\r" + line);
    m_nShownLength = length;
}

void ProgressLine::Clear() {
    if (m_nShownLength == 0)
        return;
    WriteText(stderr, "\r" + std::string(m_nShownLength, ' ') + "\r");
    m_nShownLength = 0;
}
