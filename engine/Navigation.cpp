#include "Navigation.h"

#include <algorithm>
#include <vector>

#include "IndexFile.h"
#include "PlatformFiles.h"
#include "ReplaceAll.h"

namespace {

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
    for (const char* placeholder : {"$prev", "$next", "$index", "$number", "$count"})
        if (templateText.find(placeholder) != std::string_view::npos)
            return true;
    return false;
}

std::string FillNavigation(std::string_view templateText, const PageNavigation& navigation) {
    std::string page = ReplaceAll(templateText, "$prev", navigation.prev);
    page = ReplaceAll(page, "$next", navigation.next);
    page = ReplaceAll(page, "$index", navigation.index);
    page = ReplaceAll(page, "$number", navigation.number);
    return ReplaceAll(page, "$count", navigation.count);
}
