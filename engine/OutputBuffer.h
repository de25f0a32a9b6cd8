#pragma once
// Output in pieces: a fixed buffer that hands its bytes to a sink whenever it
// fills. A page of any size then costs the same small, cache-warm memory, instead
// of a buffer as large as the page that must be faulted in, filled and freed.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// Takes the bytes of a page, piece after piece, in order.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False when the bytes could not be taken; later pieces are then dropped.
    virtual bool Put(const char* data, std::size_t size) = 0;
};

// Appends to a string: the page as a value, for callers that want one.
class StringSink : public ByteSink {
public:
    explicit StringSink(std::string& target) : m_target(target) {}
    bool Put(const char* data, std::size_t size) override {
        m_target.append(data, size);
        return true;
    }

private:
    std::string& m_target;
};

class OutputBuffer {
public:
    // Writers may put this many bytes at the cursor without asking for room.
    static constexpr std::size_t kFreeRun = 512;

    explicit OutputBuffer(ByteSink& sink, std::size_t capacity = std::size_t(1) << 20);
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    // Sends what follows to another sink: one buffer serves a whole run of pages.
    // Call after Finish().
    void Redirect(ByteSink& sink);

    // The fast path for writers: take the cursor, write, and before writing more
    // than kFreeRun bytes call Room(), which passes the full part on to the sink.
    char* Cursor() const { return m_cursor; }
    bool NeedsRoom(const char* cursor) const { return cursor > m_limit; }
    // Where NeedsRoom starts to say yes; it moves only in Room() and Append().
    const char* Limit() const { return m_limit; }
    char* Room(char* cursor);
    void SetCursor(char* cursor) { m_cursor = cursor; }

    void Append(std::string_view bytes);
    // Hands on whatever is left; false if the sink refused anything.
    bool Finish();

private:
    void Drain(char* cursor);

    ByteSink* m_sink;
    std::unique_ptr<char[]> m_buffer;
    char* m_cursor;
    char* m_limit;  // past this, Room() must be asked
    char* m_end;    // m_limit + kFreeRun
    std::size_t m_capacity;
    bool m_bFailed = false;
};
