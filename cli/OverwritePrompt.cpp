#include "OverwritePrompt.h"

#include <cctype>

#include "Terminal.h"

namespace {

bool ReadLine(std::FILE* in, std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(in)) != EOF && c != '\n')
        line += static_cast<char>(c);
    return c != EOF || !line.empty();
}

std::string Trimmed(const std::string& text) {
    std::size_t from = 0;
    std::size_t to = text.size();
    while (from < to && std::isspace(static_cast<unsigned char>(text[from])))
        ++from;
    while (to > from && std::isspace(static_cast<unsigned char>(text[to - 1])))
        --to;
    std::string result = text.substr(from, to - from);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace

bool AskOverwrite(const std::string& pagePath, std::FILE* in, std::FILE* out) {
    std::string line;
    for (;;) {
        WriteText(out, "the file " + pagePath + " has already existed!\nAre you sure to overwrite it [y/n] ");
        if (!ReadLine(in, line)) {
            WriteText(out, "\n");
            return false;
        }
        const std::string answer = Trimmed(line);
        if (answer == "y" || answer == "yes")
            return true;
        if (answer == "n" || answer == "no")
            return false;
    }
}
