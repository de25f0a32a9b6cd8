#include "FileArguments.h"

#include <cstdio>

#include "NaturalOrder.h"
#include "PlatformFiles.h"
#include "TextEncoding.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>

namespace {

// Through the wide calls, so that no name is cut at MAX_PATH bytes; the process
// code page (UTF-8 with the manifest) is what the command line is in.
std::wstring Widened(const std::string& text) {
    const int units = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 1), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], units);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string Narrowed(const wchar_t* wide) {
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes > 0 ? bytes : 1), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, &text[0], bytes, nullptr, nullptr);
    text.resize(text.size() - 1);
    return text;
}

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : m_handle(handle) {}
    ~FindHandle() {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::FindClose(m_handle);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

}  // namespace

std::vector<std::string> ExpandFileArgument(const std::string& argument) {
    const std::size_t nameStart = argument.find_last_of("\\/:") + 1;  // 0 when there is none
    if (argument.find_first_of("*?", nameStart) == std::string::npos)
        return {argument};
    WIN32_FIND_DATAW found;
    const FindHandle find(::FindFirstFileExW(Widened(argument).c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0));
    if (find.Get() == INVALID_HANDLE_VALUE)
        return {argument};
    std::vector<std::pair<std::wstring, std::string>> matches;  // natural order key, name
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            matches.emplace_back(NaturalOrderKey(std::wstring(found.cFileName)), Narrowed(found.cFileName));
    } while (::FindNextFileW(find.Get(), &found));
    if (matches.empty())
        return {argument};
    // As the shell lists them: "Chapter 2" before "Chapter 10".
    std::stable_sort(matches.begin(), matches.end(),
                     [](const auto& a, const auto& b) { return CompareNaturally(a.first, b.first) < 0; });
    const std::string folder = argument.substr(0, nameStart);
    std::vector<std::string> names;
    for (const auto& match : matches)
        names.push_back(folder + match.second);
    return names;
}

#else

std::vector<std::string> ExpandFileArgument(const std::string& argument) {
    return {argument};
}

#endif

namespace {

bool ReadAll(const std::string& listPath, std::string& bytes, std::string& error) {
    if (listPath == "-") {
        char piece[1 << 16];
        std::size_t got = 0;
        while ((got = std::fread(piece, 1, sizeof piece, stdin)) > 0)
            bytes.append(piece, got);
        if (std::ferror(stdin)) {
            error = "cannot read the list of files from standard input";
            return false;
        }
        return true;
    }
    platform::InputFile file;
    platform::FileResult failure = file.Open(listPath);
    for (std::size_t got = 1; !failure && got > 0;) {
        const std::size_t before = bytes.size();
        bytes.resize(before + (1 << 16));
        failure = file.Read(&bytes[before], 1 << 16, got);
        bytes.resize(before + (failure ? 0 : got));
    }
    if (failure) {
        error = "cannot read the list of files " + failure->path + ": " + failure->reason;
        return false;
    }
    return true;
}

}  // namespace

bool ReadFileList(const std::string& listPath, std::vector<std::string>& paths, std::string& error) {
    std::string bytes;
    if (!ReadAll(listPath, bytes, error))
        return false;
    const std::string text = DecodeToUtf8(bytes);
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos)
            end = text.size();
        std::size_t lineEnd = end;
        if (lineEnd > from && text[lineEnd - 1] == '\r')
            --lineEnd;
        if (lineEnd > from)
            paths.push_back(text.substr(from, lineEnd - from));
        from = end + 1;
    }
    return true;
}
