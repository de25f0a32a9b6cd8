#include "SideFileName.h"

namespace {

constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kRandomDigits = 16, kCheckDigits = 8;
constexpr char kHex[] = "0123456789abcdef";

// splitmix64's finaliser: every bit of the input moves every bit of the output.
std::uint64_t Mix(std::uint64_t bits) {
    bits = (bits ^ (bits >> 30)) * 0xBF58476D1CE4E5B9ULL;
    bits = (bits ^ (bits >> 27)) * 0x94D049BB133111EBULL;
    return bits ^ (bits >> 31);
}

std::uint64_t Check(std::string_view processId, std::uint64_t random) {
    std::uint64_t bits = Mix(random ^ 0x7465737369766121ULL);
    for (const char digit : processId)
        bits = Mix(bits ^ static_cast<unsigned char>(digit));
    return bits;
}

void AppendHex(std::string& to, std::uint64_t bits, std::size_t digits) {
    for (std::size_t i = digits; i-- > 0;)
        to += kHex[(bits >> (4 * i)) & 15];
}

bool ParseHex(std::string_view digits, std::uint64_t& bits) {
    bits = 0;
    for (const char c : digits) {
        const std::string_view hex(kHex, 16);
        const std::size_t value = hex.find(c);
        if (value == hex.npos)
            return false;
        bits = bits << 4 | value;
    }
    return true;
}

std::string Compose(std::string_view prefix, std::uint64_t processId, std::uint64_t randomPart) {
    const std::string id = std::to_string(processId);
    std::string name(prefix);
    name += id + "-";
    AppendHex(name, randomPart, kRandomDigits);
    AppendHex(name, Check(id, randomPart), kCheckDigits);
    return name += kSuffix;
}

}  // namespace

// The random bits are mixed first: a caller's clock or counter comes out as a
// part that looks like none before it.
std::string MakeSideFileName(std::string_view prefix, std::uint64_t processId, std::uint64_t random) {
    return Compose(prefix, processId, Mix(random));
}

bool IsSideFileName(std::string_view name, std::string_view prefix) {
    const std::size_t tail = 1 + kRandomDigits + kCheckDigits + kSuffix.size();
    if (name.size() <= prefix.size() + tail || name.size() > prefix.size() + 19 + tail ||
        name.substr(0, prefix.size()) != prefix)
        return false;
    const std::string_view id = name.substr(prefix.size(), name.size() - prefix.size() - tail);
    std::uint64_t random = 0;
    if (id.find_first_not_of("0123456789") != id.npos ||
        !ParseHex(name.substr(name.size() - tail + 1, kRandomDigits), random))
        return false;
    // Made again from its parts it must come out the same, check and all.
    return Compose(prefix, std::stoull(std::string(id)), random) == name;
}
