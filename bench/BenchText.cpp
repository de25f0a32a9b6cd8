#include "BenchText.h"

#include <random>

namespace {
const char* const kWords[] = {
    "the", "river", "path", "morning", "we", "walked", "along", "quiet", "water", "bridge",
    "stone", "and", "a", "heron", "stood", "in", "shallows", "until", "noon", "when",
    "light", "changed", "over", "hills", "of", "old", "mill", "town", "road", "home"};
}

std::string MakeProse(std::size_t bytes, unsigned seed) {
    std::mt19937 random(seed);
    std::string text;
    text.reserve(bytes + 100);
    text += "A walk by the river\r\n";
    std::size_t lineStart = text.size();
    while (text.size() < bytes) {
        if (text.size() == lineStart && random() % 10 == 0)
            text += "    ";
        text += kWords[random() % (sizeof kWords / sizeof kWords[0])];
        const unsigned r = random() % 12;
        if (r == 0)
            text += ".  ";
        else if (r == 1)
            text += ", ";
        else
            text += ' ';
        if (text.size() - lineStart > 60 + random() % 20) {
            text += "\r\n";
            lineStart = text.size();
        }
    }
    text.resize(bytes);
    return text;
}

std::string MakeSpacesAndLineFeeds(std::size_t bytes, unsigned seed) {
    std::mt19937 random(seed);
    std::string text;
    text.reserve(bytes);
    while (text.size() < bytes)
        text += (random() % 8 == 0) ? '\n' : ' ';
    return text;
}
