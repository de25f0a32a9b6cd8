#include "FileAccess.h"

#include <cstring>
#include <new>

bool FileExists(const std::string& path) {
    return platform::PathExists(path);
}

platform::FileResult ReadTextFile(const std::string& path, std::string& text) {
    constexpr std::size_t kPiece = std::size_t(1) << 16;
    text.clear();
    try {
        platform::InputFile file;
        if (platform::FileResult failure = file.Open(path))
            return failure;
        for (;;) {
            const std::size_t before = text.size();
            text.resize(before + kPiece);
            std::size_t got = 0;
            if (platform::FileResult failure = file.Read(&text[before], kPiece, got)) {
                text.clear();
                return failure;
            }
            const void* nul = std::memchr(&text[before], '\0', got);
            text.resize(nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text.data())
                            : before + got);
            if (got == 0 || nul)
                return std::nullopt;
        }
    } catch (const std::bad_alloc&) {
        text.clear();
        return platform::FileFailure{path, platform::OutOfMemoryReason()};
    }
}
