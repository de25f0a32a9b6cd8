#include "FileAccess.h"

#include <cstring>
#include <new>

bool FileExists(const std::string& path) {
    return platform::PathExists(path);
}

platform::FileResult ReadTextFile(const std::string& path, platform::ByteBuffer& text) {
    try {
        if (platform::FileResult failure = platform::ReadWholeFile(path, text))
            return failure;
    } catch (const std::bad_alloc&) {
        text = platform::ByteBuffer();
        return platform::FileFailure{path, platform::OutOfMemoryReason()};
    }
    const std::string_view bytes = text.View();
    if (const void* nul = std::memchr(bytes.data(), '\0', bytes.size()))
        text.Shorten(static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data()));
    return std::nullopt;
}

platform::FileResult ReadTextFile(const std::string& path, std::string& text) {
    platform::ByteBuffer bytes;
    if (platform::FileResult failure = ReadTextFile(path, bytes))
        return failure;
    text.assign(bytes.View());
    return std::nullopt;
}
