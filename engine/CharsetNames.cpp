#include "CharsetNames.h"

#include <cctype>

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool HasAlias(const char* aliases, std::string_view name) {
    std::string_view rest = aliases;
    while (!rest.empty()) {
        const std::size_t blank = rest.find(' ');
        if (SameName(rest.substr(0, blank), name))
            return true;
        rest.remove_prefix(blank == std::string_view::npos ? rest.size() : blank + 1);
    }
    return false;
}

}  // namespace

// The legacy ANSI code pages of Windows, Western first. Browsers read
// iso-8859-1 and ascii as windows-1252 and iso-8859-9 as windows-1254.
const std::vector<CharsetName>& KnownCharsets() {
    static const std::vector<CharsetName> sets = {
        {"windows-1252", 1252, "CP1252", "cp1252 x-cp1252 latin1 l1 iso-8859-1 iso8859-1 iso88591 iso_8859-1 ascii us-ascii"},
        {"windows-1250", 1250, "CP1250", "cp1250 x-cp1250"},
        {"windows-1251", 1251, "CP1251", "cp1251 x-cp1251"},
        {"windows-1253", 1253, "CP1253", "cp1253 x-cp1253"},
        {"windows-1254", 1254, "CP1254", "cp1254 x-cp1254 iso-8859-9 latin5"},
        {"windows-1255", 1255, "CP1255", "cp1255 x-cp1255"},
        {"windows-1256", 1256, "CP1256", "cp1256 x-cp1256"},
        {"windows-1257", 1257, "CP1257", "cp1257 x-cp1257"},
        {"windows-1258", 1258, "CP1258", "cp1258 x-cp1258"},
        {"windows-874", 874, "CP874", "cp874 dos-874 tis-620"},
        {"shift_jis", 932, "CP932", "shift-jis sjis cp932 ms932 ms_kanji windows-31j x-sjis"},
        {"gbk", 936, "CP936", "cp936 gb2312 x-gbk chinese"},
        {"gb18030", 54936, "GB18030", "cp54936"},
        {"euc-kr", 949, "CP949", "cp949 windows-949 uhc ks_c_5601-1987 korean"},
        {"big5", 950, "CP950", "cp950 big5-hkscs x-x-big5 cn-big5"},
    };
    return sets;
}

const CharsetName* FindKnownCharset(std::string_view name) {
    for (const CharsetName& set : KnownCharsets())
        if (name == set.name)
            return &set;
    return nullptr;
}

std::string CanonicalCharset(std::string_view name) {
    name = Trimmed(name);
    for (const CharsetName& set : KnownCharsets())
        if (SameName(set.name, name) || HasAlias(set.aliases, name))
            return set.name;
    return std::string();
}

std::string KnownCharsetList() {
    std::string list;
    for (const CharsetName& set : KnownCharsets())
        list.append(list.empty() ? "" : ", ").append(set.name);
    return list;
}
