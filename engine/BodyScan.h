#pragma once
// Finding the places where body mark-up changes something: a line feed, or the
// first of two consecutive spaces. Everything between two such places is copied
// unchanged, so the scan decides the speed of a conversion.

// The first position in [p, end) that holds a line feed or starts a pair of
// spaces; `end` when there is none.
const char* FindBodyMark(const char* p, const char* end);

// The same answer one byte at a time; the vector scan hands its tail to this.
const char* FindBodyMarkBytewise(const char* p, const char* end);
