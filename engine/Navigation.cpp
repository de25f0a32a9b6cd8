#include "Navigation.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "IndexFile.h"
#include "PlatformFiles.h"

namespace {

constexpr std::string_view kPlaceholders[] = {"$prev", "$next", "$index", "$number", "$count"};

// Windows takes "/" for its separator too.
bool IsSeparator(char c) { return c == platform::kPathSeparator || c == '/'; }

std::vector<std::string_view> Parts(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    for (std::size_t at = 0; at <= path.size(); ++at) {
        if (at == path.size() || IsSeparator(path[at])) {
            parts.push_back(path.substr(from, at - from));
            from = at + 1;
        }
    }
    return parts;
}

// From the folder the pages lie in back to outputFolder: "../" for every folder
// the name goes down into, the output folder's own names for every ".." that
// climbs above it.
std::string BackToOutputFolder(std::string_view outputFolder, std::string_view outputName) {
    std::vector<std::string_view> folders = Parts(outputName);
    folders.pop_back();  // the pages' own name
    const std::vector<std::string_view> above = Parts(outputFolder);
    std::size_t down = 0, up = 0;
    for (const std::string_view folder : folders) {
        if (folder == ".." && down > 0)
            --down;
        else if (folder == "..")
            ++up;
        else if (!folder.empty() && folder != ".")
            ++down;
    }
    std::string back;
    for (std::size_t level = 0; level < down; ++level)
        back += "../";
    for (std::size_t level = std::min(up, above.size()); level > 0; --level)
        back += EncodeAddress(above[above.size() - level]) + "/";
    return back;
}

}  // namespace

PageNavigation NavigatePage(std::string_view outputFolder, std::string_view outputName, long long startNumber,
                            std::size_t position, std::size_t count) {
    const std::string_view pageName = Parts(outputName).back();
    const long long number = startNumber + static_cast<long long>(position);
    const auto address = [pageName](long long n) { return EncodeAddress(std::string(pageName) + std::to_string(n) + ".htm"); };
    PageNavigation navigation;
    if (position > 0)
        navigation.prev = address(number - 1);
    if (position + 1 < count)
        navigation.next = address(number + 1);
    navigation.index = BackToOutputFolder(outputFolder, outputName) + "index.htm";
    navigation.number = std::to_string(number);
    navigation.count = std::to_string(count);
    return navigation;
}

bool UsesNavigation(std::string_view templateText) {
    for (const std::string_view placeholder : kPlaceholders)
        if (templateText.find(placeholder) != std::string_view::npos)
            return true;
    return false;
}

// One pass: no two of the five begin alike, and no value holds a "$".
std::string FillNavigation(std::string_view templateText, const PageNavigation& navigation) {
    const std::string* const values[] = {&navigation.prev, &navigation.next, &navigation.index, &navigation.number,
                                         &navigation.count};
    std::string page;
    page.reserve(templateText.size() + 256);
    std::size_t from = 0;
    for (std::size_t at = templateText.find('$'); at != std::string_view::npos; at = templateText.find('$', at)) {
        std::size_t which = 0;
        while (which < std::size(kPlaceholders) && templateText.compare(at, kPlaceholders[which].size(), kPlaceholders[which]) != 0)
            ++which;
        if (which == std::size(kPlaceholders)) {
            ++at;
            continue;
        }
        page.append(templateText, from, at - from).append(*values[which]);
        from = at += kPlaceholders[which].size();
    }
    return page.append(templateText, from);
}
