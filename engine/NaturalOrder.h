#pragma once
// The order people number things in, which the shell lists file names in: runs
// of digits compare by their value, other characters without regard to case, so
// "chapter 1" < "Chapter 1a" < "Chapter 2" < "Chapter 10". A name is turned into
// its key once; ordering compares keys only.
#include <string>
#include <string_view>

// The name, wide, in lower case.
std::wstring NaturalOrderKey(std::wstring name);
std::wstring NaturalOrderKey(std::string_view name);  // a name in the system's multi-byte text

// Negative, zero or positive as key a goes before, with or after key b. A digit
// goes before any other character. Numbers that differ only in leading zeros
// go by them ("01" before "1"), so only names equal but for case are equal.
int CompareNaturally(std::wstring_view a, std::wstring_view b);
