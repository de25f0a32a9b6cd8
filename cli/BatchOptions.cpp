#include "BatchOptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "FileArguments.h"
#include "CharsetNames.h"

const char kUsage[] =
    "Usage: tessiva-batch --output DIR [options] FILE...\n"
    "Turns plain text files into web pages: each file's first line becomes the page's\n"
    "head, the rest its body, filled into an HTML template. Files are converted in the\n"
    "order given, into DIR/NAME<number>.htm. On Windows, * and ? in a FILE's name\n"
    "are expanded here, in byte order of the names.\n"
    "\n"
    "  --output DIR          folder for the pages and index.htm (required)\n"
    "  --name NAME           base name of every page (default: none, pages are 0.htm...)\n"
    "  --start N             number of the first page (default 0)\n"
    "  --template NAME       template beside the program (default templet1.htm)\n"
    "  --template-file PATH  template anywhere else\n"
    "  --files-from LIST     the files named in LIST, one per line (- for standard input)\n"
    "  --keywords TEXT       text for $keyword\n"
    "  --description TEXT    text for $description\n"
    "  --index               add a link to every page to DIR/index.htm\n"
    "  --home-title TEXT     text of the home link ($website)\n"
    "  --home-url URL        target of the home link ($website)\n"
    "  --overwrite ask|yes|no  what to do with an existing page (default: ask on a\n"
    "                        terminal, otherwise no: stop at the first existing page)\n"
    "  --legacy-charset NAME character set of the texts that are not UTF-8 (default:\n"
    "                        Windows' legacy code page; windows-1252 elsewhere):\n"
    "                        windows-1250 to -1258, windows-874, shift_jis, gbk,\n"
    "                        gb18030, euc-kr, big5, or another name of one of them\n"
    "                        (cp932, sjis, latin1, iso-8859-1...)\n"
    "  --help, --version\n"
    "\n"
    "A template's $charset becomes utf-8 for a text in UTF-8 (plain ASCII included),\n"
    "otherwise the legacy character set; keywords, description and home title go\n"
    "into a page in its own set, as character references where the set lacks a\n"
    "character. A text that starts with a byte-order mark is read as UTF-8 or UTF-16;\n"
    "index.htm is written in UTF-8.\n"
    "\n"
    "Exit status: 0 finished, 1 stopped at an existing page, 2 file error, 64 usage error.\n";

namespace {

// A 32-bit signed decimal integer, optionally signed, nothing else around it.
bool ParseStartNumber(const std::string& text, std::int32_t& number) {
    if (text.empty())
        return false;
    std::size_t digitsFrom = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (digitsFrom == text.size())
        return false;
    for (std::size_t i = digitsFrom; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return false;
    number = static_cast<std::int32_t>(value);
    return true;
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& arguments) {
    ParsedArguments parsed;
    BatchOptions& options = parsed.options;
    ConversionJob& job = options.job;
    bool outputGiven = false;
    bool templateNameGiven = false;
    bool templateFileGiven = false;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument.compare(0, 2, "--") != 0 ||
            argument == "-") {
            if (!optionsEnded && argument.size() > 1 && argument[0] == '-' && argument != "-") {
                parsed.error = "unknown option " + argument;
                return parsed;
            }
            for (std::string& file : ExpandFileArgument(argument))
                job.inputFiles.push_back(std::move(file));
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        std::string flag = argument;
        std::string value;
        bool valueInline = false;
        const std::size_t equals = argument.find('=');
        if (equals != std::string::npos) {
            flag = argument.substr(0, equals);
            value = argument.substr(equals + 1);
            valueInline = true;
        }

        if (flag == "--help" || flag == "--version" || flag == "--index") {
            if (valueInline) {
                parsed.error = flag + " takes no value";
                return parsed;
            }
            if (flag == "--help")
                options.showHelp = true;
            else if (flag == "--version")
                options.showVersion = true;
            else
                job.createIndex = true;
            continue;
        }

        std::string* target = nullptr;
        if (flag == "--output") target = &job.outputPath;
        else if (flag == "--name") target = &job.outputName;
        else if (flag == "--template") target = &job.templateName;
        else if (flag == "--template-file") target = &job.templateName;
        else if (flag == "--keywords") target = &job.keywords;
        else if (flag == "--description") target = &job.description;
        else if (flag == "--home-title") target = &job.homeTitle;
        else if (flag == "--home-url") target = &job.homeUrl;
        else if (flag == "--legacy-charset") target = &job.legacyCharset;
        else if (flag != "--start" && flag != "--overwrite" && flag != "--files-from") {
            parsed.error = "unknown option " + flag;
            return parsed;
        }
        if (!valueInline) {
            if (i + 1 >= arguments.size()) {
                parsed.error = flag + " needs a value";
                return parsed;
            }
            value = arguments[++i];
        }

        if (flag == "--start") {
            if (!ParseStartNumber(value, job.startNumber)) {
                parsed.error = "--start needs a whole number from -2147483648 to 2147483647, not \"" +
                               value + "\"";
                return parsed;
            }
        } else if (flag == "--overwrite") {
            if (value == "ask") options.overwrite = OverwriteMode::Ask;
            else if (value == "yes") options.overwrite = OverwriteMode::Yes;
            else if (value == "no") options.overwrite = OverwriteMode::No;
            else {
                parsed.error = "--overwrite takes ask, yes or no, not \"" + value + "\"";
                return parsed;
            }
            options.overwriteGiven = true;
        } else if (flag == "--files-from") {
            if (!ReadFileList(value, job.inputFiles, parsed.error))
                return parsed;
        } else if (flag == "--legacy-charset") {
            job.legacyCharset = CanonicalCharset(value);
            if (job.legacyCharset.empty()) {
                parsed.error = "--legacy-charset: no character set is known as \"" + value + "\"; known are " +
                               KnownCharsetList() + " and their usual other names";
                return parsed;
            }
        } else {
            *target = value;
            outputGiven |= flag == "--output";
            templateNameGiven |= flag == "--template";
            templateFileGiven |= flag == "--template-file";
        }
    }

    if (options.showHelp || options.showVersion)
        return parsed;
    if (templateNameGiven && templateFileGiven) {
        parsed.error = "--template and --template-file cannot be used together";
    } else if (!outputGiven || job.outputPath.empty()) {
        parsed.error = "--output DIR is required";
    } else if (templateFileGiven && job.templateName.empty()) {
        parsed.error = "--template-file needs a path";
    } else if (templateNameGiven && job.templateName.empty()) {
        parsed.error = "--template needs a name";
    } else if (job.inputFiles.empty()) {
        parsed.error = "no text files given";
    } else if (std::find(job.inputFiles.begin(), job.inputFiles.end(), std::string()) != job.inputFiles.end()) {
        parsed.error = "a text file name cannot be empty";
    }
    options.templateIsPath = templateFileGiven;
    return parsed;
}
