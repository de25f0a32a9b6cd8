// Writes the input of the whole-process comparison into a folder:
//   small/0000.txt ... small/1999.txt   2,000 texts of 20 KB
//   mid.txt                             one text of 20 MB
//   big.txt                             one text of 200 MB
// Usage: tessiva_bench_data FOLDER
#include <cstdio>
#include <string>

#include "BenchText.h"
#include "PlatformFiles.h"

namespace {

bool Write(const std::string& path, const std::string& bytes) {
    if (const platform::FileResult failure = platform::WriteFileReplacing(path, bytes)) {
        std::fprintf(stderr, "tessiva_bench_data: %s: %s\n", failure->path.c_str(), failure->reason.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tessiva_bench_data FOLDER (with a small/ folder in it)\n");
        return 64;
    }
    const std::string folder = argv[1];
    for (unsigned i = 0; i < 2000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/small/%04u.txt", i);
        if (!Write(folder + name, MakeProse(20 * 1000, 100 + i)))
            return 1;
    }
    if (!Write(folder + "/mid.txt", MakeProse(20 * 1000 * 1000, 3)) ||
        !Write(folder + "/big.txt", MakeProse(200 * 1000 * 1000, 4)))
        return 1;
    return 0;
}
