#include "OutputBuffer.h"

#include <cstring>

OutputBuffer::OutputBuffer(ByteSink& sink, std::size_t capacity)
    : m_sink(&sink),
      m_buffer(new char[capacity + kFreeRun]),  // bytes need no initial value
      m_cursor(m_buffer.get()),
      m_limit(m_buffer.get() + capacity),
      m_end(m_limit + kFreeRun),
      m_capacity(capacity) {}

void OutputBuffer::Drain(char* cursor) {
    const std::size_t filled = static_cast<std::size_t>(cursor - m_buffer.get());
    if (filled > 0 && !m_bFailed && !m_sink->Put(m_buffer.get(), filled))
        m_bFailed = true;
    m_cursor = m_buffer.get();
}

char* OutputBuffer::Room(char* cursor) {
    Drain(cursor);
    return m_cursor;
}

void OutputBuffer::Append(std::string_view bytes) {
    if (bytes.empty())
        return;  // an empty view may hold no pointer at all, and memcpy wants one
    const std::size_t free = static_cast<std::size_t>(m_end - m_cursor);
    if (bytes.size() <= free) {
        std::memcpy(m_cursor, bytes.data(), bytes.size());
        m_cursor += bytes.size();
        return;
    }
    // Large pieces go straight through, after what is already waiting.
    Drain(m_cursor);
    if (bytes.size() <= m_capacity) {
        std::memcpy(m_cursor, bytes.data(), bytes.size());
        m_cursor += bytes.size();
    } else if (!m_bFailed && !m_sink->Put(bytes.data(), bytes.size())) {
        m_bFailed = true;
    }
}

void OutputBuffer::Redirect(ByteSink& sink) {
    m_sink = &sink;
    m_cursor = m_buffer.get();
    m_bFailed = false;
}

bool OutputBuffer::Finish() {
    Drain(m_cursor);
    return !m_bFailed;
}
