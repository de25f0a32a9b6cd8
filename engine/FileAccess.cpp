#include "FileAccess.h"

#include <cstring>
#include <new>

bool FileExists(const std::string& path) {
    return platform::PathExists(path);
}

platform::FileResult ReadTextFile(const std::string& path, std::string& text) {
    try {
        if (platform::FileResult failure = platform::ReadWholeFile(path, text))
            return failure;
    } catch (const std::bad_alloc&) {
        text.clear();
        return platform::FileFailure{path, platform::OutOfMemoryReason()};
    }
    if (const void* nul = std::memchr(text.data(), '\0', text.size()))
        text.resize(static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    return std::nullopt;
}
