// Texts in any encoding: what their pages declare and hold, what index.htm gets,
// and how tessiva-batch is told which texts to convert.
#include "BatchOptions.h"
#include "CharsetNames.h"
#include "FileArguments.h"
#include "IndexFile.h"
#include "LegacyCharset.h"
#include "NaturalOrder.h"
#include "PageMaker.h"
#include "TestFiles.h"
#include "TextEncoding.h"

#include <map>
#include <regex>

using namespace std::string_literals;

namespace {

std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text)
        bytes += bigEndian ? std::string{char(unit >> 8), char(unit)} : std::string{char(unit), char(unit >> 8)};
    return bytes;
}

const std::string kMarked = "<$charset>$head|$body";
// A first piece of plain bytes; what follows it is read after the page has begun.
const std::string kFirstPiece = "A\n" + std::string(kTextPiece - 2, 'x');

struct PageCase { const char* label; std::string templateText, legacyCharset, text, page, indexHead; };
class EncodedRun : public EngineRun {};

TEST_F(EncodedRun, PagesDeclareAndHoldTheirTextsAndTheIndexIsUtf8) {
    const PageCase cases[] = {
        {"plain ASCII is UTF-8", kMarked, "", "Hi\nthere", "<utf-8>Hi|there", "Hi"},
        {"UTF-8 kept byte for byte", kMarked, "", "Se\xC3\xB1or\n\xC3\xB1", "<utf-8>Se\xC3\xB1or|\xC3\xB1", "Se\xC3\xB1or"},
        {"a UTF-8 mark is no part of the head", kMarked, "", "\xEF\xBB\xBF\xC3\xB1\nx", "<utf-8>\xC3\xB1|x", "\xC3\xB1"},
        {"a mark after the start stays", kMarked, "", "a\n\xEF\xBB\xBF", "<utf-8>a|\xEF\xBB\xBF", "a"},
        {"UTF-16 LE with a pair (every bit of it counts)", kMarked, "", Utf16(u"\u00e9\r\n\U0001F600", false),
         "<utf-8>\xC3\xA9|\xF0\x9F\x98\x80", "\xC3\xA9"},
        {"UTF-16 BE, a lone surrogate", kMarked, "", Utf16(u"\u65e5\n\xD800!", true),
         "<utf-8>\xE6\x97\xA5|\xEF\xBF\xBD!", "\xE6\x97\xA5"},
        {"UTF-16 ends at a NUL", kMarked, "", Utf16(u"a\nb\0c"s, false), "<utf-8>a|b", "a"},
        {"8-bit text ends at a NUL too", kMarked, "", "a\nb\0c"s, "<utf-8>a|b", "a"},
        {"an odd last byte of UTF-16 dropped", kMarked, "", Utf16(u"a\nb", true) + "\x41", "<utf-8>a|b", "a"},
        {"a high surrogate last", kMarked, "", Utf16(u"a\nb\xD800", true) + "\xDC", "<utf-8>a|b\xEF\xBF\xBD", "a"},
        {"8-bit: the system's set", kMarked, "", "Caf\xE9\x80\nna\xEFve", "<windows-1252>Caf\xE9\x80|na\xEFve",
         "Caf\xC3\xA9\xE2\x82\xAC"},
        {"8-bit: bytes the set leaves out (Windows: C1 controls)", kMarked, "", "\x81\xE9\x81\n", "<windows-1252>\x81\xE9\x81|",
         platform::kPathSeparator == '\\' ? "\xC2\x81\xC3\xA9\xC2\x81" : "\xEF\xBF\xBD\xC3\xA9\xEF\xBF\xBD"},
        {"8-bit: an alias in capitals", kMarked, "CP1251", "\xC4\xE0\nx", "<windows-1251>\xC4\xE0|x", "\xD0\x94\xD0\xB0"},
        {"8-bit: a two-byte set", kMarked, "gbk", "\xC8\xD5\nx", "<gbk>\xC8\xD5|x", "\xE6\x97\xA5"},
        {"8-bit: the set named", kMarked, "shift_jis", "\x93\xFA\x8B\x4C\n\x82\xA0", "<shift_jis>\x93\xFA\x8B\x4C|\x82\xA0",
         "\xE6\x97\xA5\xE8\xA8\x98"},
        {"no line feed: all body", kMarked, "", "Caf\xE9", "<windows-1252>|Caf\xE9", ""},
        {"no placeholder: filled as before", "$head|$body", "", "Caf\xE9\nx", "Caf\xE9|x", "Caf\xC3\xA9"},
        {"no placeholder, UTF-16 read", "$head|$body", "", Utf16(u"\u00e9\n", false), "\xC3\xA9|", "\xC3\xA9"},
        {"not UTF-8 after the first piece", kMarked, "", kFirstPiece + "\xE9", "<windows-1252>A|" +
         kFirstPiece.substr(2) + "\xE9", "A"},
        {"a character across two pieces", kMarked, "", kFirstPiece.substr(0, kTextPiece - 1) + "\xE6\x97\xA5",
         "<utf-8>A|" + kFirstPiece.substr(2, kTextPiece - 3) + "\xE6\x97\xA5", "A"},
        {"read whole, not UTF-8 after the first piece", "<$charset>$body$body", "", kFirstPiece + "\xE9",
         "<windows-1252>" + kFirstPiece.substr(2) + "\xE9" + kFirstPiece.substr(2) + "\xE9", "A"},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(c.label);
        WriteBytes(program / "t.htm", c.templateText);
        RemoveAll(out / "index.htm");
        job = {{Input("a.txt", c.text)}, "t.htm", "", "", out.Path(), "p", 0, true, "", "", c.legacyCharset};
        ASSERT_EQ(Start().kind, RunOutcome::Finished);
        EXPECT_EQ(ReadBytes(out / "p0.htm"), c.page);
        EXPECT_EQ(ReadBytes(out / "index.htm"), MakeIndexStart(out.Name()) + "<a href=\"p0.htm\">" + c.indexHead + "</a><br>");
    }
}

// What a browser shows of a page: its bytes read in the set it declares, then
// its numeric character references; in UTF-8.
std::string AsBrowserShows(const std::string& page) {
    const std::size_t at = page.find("charset=\"") + 9;
    const std::string charset = page.substr(at, page.find('"', at) - at);
    std::string shown = charset == "utf-8" ? page : LegacyToUtf8(page, charset), text;
    for (std::size_t i = 0, end; i < shown.size(); ++i) {
        if (shown.compare(i, 3, "&#x") != 0 || (end = shown.find(';', i)) == std::string::npos) {
            text += shown[i];
        } else {  // all in the BMP here
            const unsigned long unit = std::stoul(shown.substr(i + 3, end - i - 3), nullptr, 16);
            text += Utf16ToUtf8(std::string{char(unit & 0xFF), char(unit >> 8)}, false), i = end;
        }
    }
    return text;
}

TEST_F(EncodedRun, WhatWasTypedReadsAsTypedInAPageOfAnySet) {
    const std::string de = "Zur\xC3\xBC" "ck zur \xC3\x9C" "bersicht", ja = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
    const std::string typed = de + " " + ja;
    // An address in a legacy page holds ASCII only; UTF-8 pages take it as typed.
    const std::string shown = "<meta charset=\"X\">" + typed + "|" + typed + "|<a href=/Y/?q=%20>" + typed + "</a>|";
    const struct { const char* label; std::string charset, text, declared, firstBytes; } rows[] = {
        {"a windows-1252 text", "latin1", "Donn\xE9" "es\n", "windows-1252", "Zur\xFC" "ck zur \xDC" "bersicht &#x65E5;&#x672C;&#x8A9E;"},
        {"a Shift_JIS text", "cp932", "\x93\xFA\x96\x7B\n", "shift_jis", "Zur&#xFC;ck zur &#xDC;bersicht \x93\xFA\x96\x7B\x8C\xEA"},
        {"a UTF-8 text", "sjis", "\xE6\x97\xA5\n", "utf-8", typed},
        {"not UTF-8 after the first piece", "latin1", kFirstPiece + "\xE9", "windows-1252", "Zur\xFC"},
    };
    job.keywords = job.description = job.homeTitle = typed;
    job.homeUrl = "/\xE6\x97\xA5/?q=%20";
    WriteBytes(program / "t.htm", "<meta charset=\"$charset\">$keyword|$description|$website|$body");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        job.inputFiles = {Input("a.txt", row.text)};
        job.legacyCharset = row.charset;
        ASSERT_EQ(Start().kind, RunOutcome::Finished);
        const std::string page = ReadBytes(out / "p0.htm");
        const std::string expected = std::regex_replace(std::regex_replace(shown, std::regex("X"), row.declared),
            std::regex("Y"), row.declared == "utf-8" ? ja.substr(0, 3) : "%E6%97%A5");
        EXPECT_EQ(AsBrowserShows(page).substr(0, expected.size()), expected);
        EXPECT_EQ(page.substr(page.find('>') + 1, row.firstBytes.size()), row.firstBytes);
    }
    // A template that declares nothing still gets one encoding per page.
    WriteBytes(program / "t.htm", "$keyword|$body");
    job.inputFiles = {Input("a.txt", kFirstPiece + "\xE9")};
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(ReadBytes(out / "p0.htm").substr(0, 10), "Zur\xFC" "ck zur");
    // Past the first plane, broken bytes, and a look-alike the set would write instead.
    EXPECT_EQ(Utf8ToLegacy("\xF0\x9F\x98\x80\xC3" "b\x80\xC4\x81\xC3\xA9", "windows-1252"), "&#x1F600;&#xFFFD;b&#xFFFD;&#x101;\xE9");
}

TEST_F(EncodedRun, EveryTextOfARunIsJudgedOnItsOwn) {
    WriteBytes(program / "t.htm", kMarked);
    job.inputFiles = {Input("0", "Caf\xE9\n"), Input("1", "Caf\xC3\xA9\n"), Input("2", "\xEF\xBB\xBF" "Caf\xE9\n")};
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(ReadBytes(out / "p0.htm") + ReadBytes(out / "p1.htm") + ReadBytes(out / "p2.htm"),
              "<windows-1252>Caf\xE9|<utf-8>Caf\xC3\xA9|<windows-1252>Caf\xE9|");
    // A page made again once its text proved not UTF-8 leaves the next text judged afresh.
    job.inputFiles = {Input("3", kFirstPiece + "\xE9"), job.inputFiles[1]};
    ASSERT_EQ(Start().kind, RunOutcome::Finished);
    EXPECT_EQ(ReadBytes(out / "p1.htm"), "<utf-8>Caf\xC3\xA9|");
}

TEST(Encoding, Utf8IsTellsValidFromNotWhateverThePieces) {
    const struct { const char* label; std::string bytes; bool valid; } cases[] = {
        {"empty", "", true},
        {"two, three and four bytes", "\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80", true},
        {"edges", "\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", true},
        {"overlong two", "\xC0\x80", false},
        {"overlong C1", "\xC1\xBF", false},
        {"overlong three", "\xE0\x9F\xBF", false},
        {"overlong four", "\xF0\x8F\xBF\xBF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"F5 lead", "\xF5\x80\x80\x80", false},
        {"lone continuation", "a\x80", false},
        {"cut short", "\xE6\x97", false},
        {"lead, then ASCII", "\xC3" "a", false},
        {"lead, then a lead", "\xC3\xC3\xA9", false},
    };
    const std::string ascii(80, 'a');  // so the bytes after it start 16 bytes into a 32- and a 64-byte block
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid);
        EXPECT_EQ(IsValidUtf8(ascii + c.bytes + ascii), c.valid);
        Utf8Check byBytes;
        for (const char byte : ascii + c.bytes)
            byBytes.Feed(std::string_view(&byte, 1));
        EXPECT_EQ(byBytes.Valid(), c.valid);
    }
}

// Each known set by a character that the sets numbered next to it read otherwise, last in its text: read, and written back.
TEST(Encoding, EveryKnownSetReadsAndWritesItsOwnCharacters) {
    const std::map<std::string, std::pair<std::string, std::string>> samples = {
        {"windows-1252", {"\xC4", "\xC3\x84"}}, {"windows-1250", {"\xA5", "\xC4\x84"}}, {"windows-1251", {"\xC4", "\xD0\x94"}},
        {"windows-1253", {"\xC4", "\xCE\x94"}}, {"windows-1254", {"\xF0", "\xC4\x9F"}}, {"windows-1255", {"\xE0", "\xD7\x90"}},
        {"windows-1256", {"\xC7", "\xD8\xA7"}}, {"windows-1257", {"\xE0", "\xC4\x85"}}, {"windows-1258", {"\xC3", "\xC4\x82"}},
        {"windows-874", {"\xA1", "\xE0\xB8\x81"}}, {"shift_jis", {"\x93\xFA", "\xE6\x97\xA5"}}, {"gbk", {"\xC8\xD5", "\xE6\x97\xA5"}},
        {"gb18030", {"\x81\x30\x89\x38", "\xC3\x9F"}}, {"euc-kr", {"\xC7\xD1", "\xED\x95\x9C"}}, {"big5", {"\xA4\xE9", "\xE6\x97\xA5"}}};
    for (const CharsetName& set : KnownCharsets()) {
        if (platform::kPathSeparator == '\\' && set.name == std::string("gb18030"))
            continue;  // Wine has no tables for it
        const auto& [bytes, character] = samples.at(set.name);
        std::string written;
        EXPECT_EQ(LegacyToUtf8(bytes, set.name), character) << set.name;
        EXPECT_TRUE(LegacyEncoder(set.name).Append(character, written) && written == bytes) << set.name;
    }
}

// The order of the files list and of expanded wildcards: each pair in order, and the other way round.
TEST(NaturalOrder, AsTheShellListsNames) {
    const struct { const char* label; std::string before, after; } rows[] = {
        {"numbers of different lengths", "Chapter 2.txt", "Chapter 10.txt"},
        {"a thousand after the nines", "Letter 999.txt", "Letter 1000.txt"},
        {"a number before a letter", "chapter 1.txt", "Chapter 1a.txt"},
        {"letters without regard to case", "Appendix.txt", "chapter 1.txt"},
        {"a small letter before a capital one further on", "apple 2", "Banana 1"},
        {"a digit before a letter", "a1", "aa"},
        {"leading zeros keep the value", "file 002", "file 10"},
        {"an equal value: leading zeros first", "file01", "file1"},
        {"more leading zeros first", "file001", "file01"},
        {"digits inside names", "a2b9c", "a2b10c"},
        {"a number after a number", "v2.9", "v2.10"},
        {"numbers beyond 64 bits", "n18446744073709551615", "n18446744073709551616"},
        {"and longer still", "n99999999999999999999", "n100000000000000000000"},
        {"a name before its longer forms", "page", "page1"},
        {"folders first by their own names", "C:\\in\\a b\\2.txt", "C:\\in\\b\\1.txt"},
    };
    for (const auto& row : rows) {
        EXPECT_LT(CompareNaturally(NaturalOrderKey(row.before), NaturalOrderKey(row.after)), 0) << row.label;
        EXPECT_GT(CompareNaturally(NaturalOrderKey(row.after), NaturalOrderKey(row.before)), 0) << row.label;
    }
    EXPECT_EQ(CompareNaturally(NaturalOrderKey("Chapter 1.TXT"), NaturalOrderKey("chapter 1.txt")), 0);
}

// The file arguments of tessiva-batch, as ParseArguments turns them into texts.
TEST(Encoding, FileListsAndWildcards) {
    ScratchFolder work;
    for (const char* name : {"b.txt", "a10.txt", "a2.txt", "C.txt"})
        WriteBytes(work / name, "x");
    MakeFolder(work / "a3.txt");
    WriteBytes(work / "lf", "one\ntwo\n\nthree");
    WriteBytes(work / "crlf", "\xEF\xBB\xBFone\r\n\r\ntwo\r\n");
    WriteBytes(work / "utf16", Utf16(u"\u65e5\u8a18.txt\r\nx\r\n", false));
    const bool windows = platform::kPathSeparator == '\\';
    using Names = std::vector<std::string>;
    const Names all = {work / "a2.txt", work / "a10.txt", work / "b.txt", work / "C.txt", work / "crlf", work / "lf",
                       work / "utf16"};
    const struct { const char* label; Names arguments, files; } cases[] = {
        {"a list among files", {"x", "--files-from", work / "lf", "y"}, {"x", "one", "two", "three", "y"}},
        {"CR LF and a mark", {"--files-from=" + work / "crlf"}, {"one", "two"}},
        {"a UTF-16 list", {"--files-from", work / "utf16"}, {"\xE6\x97\xA5\xE8\xA8\x98.txt", "x"}},
        {"* in the shell's order, no folders", {work / "a*.txt"}, windows ? Names{all[0], all[1]} : Names{work / "a*.txt"}},
        {"*", {work / "*"}, windows ? all : Names{work / "*"}},
        {"?", {work / "a?.txt"}, {windows ? work / "a2.txt" : work / "a?.txt"}},
        {"no match stands for itself", {work / "z*.txt"}, {work / "z*.txt"}},
        {"after --, still expanded", {"--", work / "b?txt"}, {windows ? work / "b.txt" : work / "b?txt"}},
    };
    for (const auto& c : cases) {
        Names arguments = {"--output", "out"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const ParsedArguments parsed = ParseArguments(arguments);
        EXPECT_EQ(parsed.error, "") << c.label;
        EXPECT_EQ(parsed.options.job.inputFiles, c.files) << c.label;
    }
    // Character sets by their usual names, declared by the names browsers know.
    for (const auto& set : {std::make_pair("cp932", "shift_jis"), std::make_pair(" Latin1", "windows-1252")})
        EXPECT_EQ(ParseArguments({"--output", "out", "--legacy-charset", set.first, "x"}).options.job.legacyCharset, set.second);
    // Usage errors, refused before anything is written.
    for (const Names& wrong : {Names{"x", "--files-from", work / "none"}, Names{"x", "--legacy-charset", "EBCDIC-US"},
                               Names{"--template", "", "x"}, Names{"x", ""}, Names{"--index", "--", ""}}) {
        Names arguments = {"--output", "out"};
        arguments.insert(arguments.end(), wrong.begin(), wrong.end());
        EXPECT_NE(ParseArguments(arguments).error, "") << wrong[0] << " " << wrong[1];
    }
}

}  // namespace
