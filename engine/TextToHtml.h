#pragma once
// A text file becomes a head (its first line) and a body (the rest), and the body
// is marked up with the fewest changes: pairs of spaces and line ends.
#include <string>
#include <string_view>

#include "OutputBuffer.h"

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

// The same mark-up, written into an output buffer in one pass over the body, on
// the widest path the processor has.
void WriteHtmlBody(std::string_view body, OutputBuffer& out);

// The processor paths of the mark-up, all giving the same bytes: byte compares
// (any processor), 16-byte vectors (any x86-64) and 32-byte ones (AVX2).
enum class MarkUpPath { Bytewise, Sse2, Avx2 };
// Whether this build and this processor can take the path.
bool CanTake(MarkUpPath path);
// The mark-up on a path the caller chose; one it cannot take falls back to bytewise.
void WriteHtmlBodyOn(MarkUpPath path, std::string_view body, OutputBuffer& out);
