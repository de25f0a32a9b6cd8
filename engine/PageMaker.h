#pragma once
// One text file into one page. The text is read in pieces and its body marked
// up and written as it comes, so a page of any size needs only a few pieces of
// memory and never a buffer as large as the text or the page.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "Navigation.h"
#include "OutputBuffer.h"
#include "PageValues.h"
#include "PlatformFiles.h"
#include "TextEncoding.h"

// The size of the pieces a text is read in.
constexpr std::size_t kTextPiece = std::size_t(1) << 18;
// A first line longer than this is first looked through for a line feed before
// it is held: a text with none is all body, and streamed.
constexpr std::size_t kLongLine = std::size_t(1) << 23;

class PageMaker {
public:
    enum Result { Written, Kept, Failed };

    // The values every page of a run shares, as a UTF-8 page and as a page in
    // legacyCharset (the set of texts that are not UTF-8) hold them.
    PageMaker(std::string_view templateText, PageValues utf8Values, PageValues legacyValues,
              std::string legacyCharset);

    // Reads inputFile, asks confirmOverwrite when pagePath exists, writes the page
    // with its links to the others.
    Result Make(const std::string& inputFile, const std::string& pagePath,
                const std::function<bool(const std::string&)>& confirmOverwrite,
                PageNavigation navigation = PageNavigation());

    bool Navigates() const { return m_navigates; }  // the template links the pages
    std::string TakeHead();                                            // of the last text, in UTF-8
    const platform::FileFailure& Failure() const { return m_failure; }  // after Failed

private:
    Result MakeOnce(const std::string& inputFile, const std::string& pagePath,
                    const std::function<bool(const std::string&)>& confirmOverwrite, bool legacyKnown);
    platform::FileResult ReadFirstLine(platform::InputFile& in, std::string& text, bool& ended, bool& lineFound,
                                       std::size_t limit);
    platform::FileResult SeekLineFeed(platform::InputFile& in, bool& lineFound, std::size_t& length);
    platform::FileResult OpenAtBody(const std::string& inputFile, platform::InputFile& in, std::string& text,
                                    bool& ended);
    platform::FileResult ReadRest(platform::InputFile& in, std::string& text);
    platform::FileResult ReopenAtBody(const std::string& inputFile, platform::InputFile& in, bool headFound,
                                      std::string_view& start);
    platform::FileResult StreamBody(std::string_view start, platform::InputFile& in, bool check);
    Result Fail(platform::FileFailure failure);

    PageValues m_utf8Values, m_legacyValues;
    std::string m_legacyCharset;
    bool m_declaresCharset;                         // the template holds "$charset"
    bool m_valuesDiffer;                            // the two forms of the values
    std::string m_utf8Template, m_legacyTemplate;   // with "$charset" filled in
    bool m_navigates;                               // the template links the pages
    PageNavigation m_navigation;                    // of the page being made
    Utf8Check m_check;                              // of the text being read
    bool m_misjudged = false;  // a page started as UTF-8 met a text that is not
    platform::ReplacingFile m_noPage;  // the buffer's sink between pages
    OutputBuffer m_out;
    std::unique_ptr<char[]> m_piece;   // one byte in front for a space carried over
    std::string m_head;  // while a page is made, the text read with the head
    bool m_legacyHead = false;  // m_head is in the legacy set
    platform::FileFailure m_failure;
};
