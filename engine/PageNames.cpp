#include "PageNames.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "RunConversion.h"

namespace {

// What NTFS and the other common file systems take, in UTF-16 units.
constexpr std::size_t kLongestName = 255;

bool IsSeparator(char c) {
    return c == platform::kPathSeparator || c == '/';
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// The length of UTF-8 text as the system counts a name: in UTF-16 units.
std::size_t Utf16Length(std::string_view name) {
    std::size_t units = 0;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) != 0x80;  // a character starts here
        units += byte >= 0xF0;           // beyond the first plane: a surrogate pair
    }
    return units;
}

// Why one file or folder name cannot be made; empty when it can.
std::string NameProblem(std::string_view name) {
    if (IsDeviceName(name))
        return std::string(name.substr(0, name.find('.'))) +
               " is a name Windows keeps for a device; no page or folder can have it.";
    if (Utf16Length(name) > kLongestName)
        return "The name is too long: a file or folder name may have at most " + std::to_string(kLongestName) +
               " characters.";
    return {};
}

}  // namespace

bool IsDeviceName(std::string_view name) {
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (EqualIgnoringCase(name, device))
            return true;
    return name.size() == 4 && (EqualIgnoringCase(name.substr(0, 3), "COM") || EqualIgnoringCase(name.substr(0, 3), "LPT")) &&
           name[3] >= '1' && name[3] <= '9';
}

platform::FileResult CheckPageNames(const ConversionJob& job, std::size_t pageCount) {
    if (pageCount == 0)
        return std::nullopt;
    const std::string folder = OutputFolder(job.outputPath);
    const long long first = job.startNumber, last = first + static_cast<long long>(pageCount) - 1;
    std::size_t partStart = 0;
    for (std::size_t i = 0; i < job.outputName.size(); ++i) {
        if (!IsSeparator(job.outputName[i]))
            continue;
        const std::string problem = NameProblem(std::string_view(job.outputName).substr(partStart, i - partStart));
        if (!problem.empty())
            return platform::FileFailure{PagePath(folder, job.outputName, first), problem};
        partStart = i + 1;
    }
    // The number joins the last part: only one digit long can it make a device's
    // name, and the longest name is the first or the last.
    const std::string lastPart = job.outputName.substr(partStart);
    for (long long number = std::max(first, 0LL); number <= std::min(last, 9LL); ++number)
        if (IsDeviceName(lastPart + std::to_string(number)))
            return platform::FileFailure{PagePath(folder, job.outputName, number), NameProblem(lastPart + std::to_string(number))};
    for (const long long number : {first, last}) {
        const std::string problem = NameProblem(lastPart + std::to_string(number) + ".htm");
        if (!problem.empty())
            return platform::FileFailure{PagePath(folder, job.outputName, number), problem};
    }
    return std::nullopt;
}
