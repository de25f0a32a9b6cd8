// Filling by spans against filling by strings: random templates and values made of
// placeholders, their fragments and dollars, so that placeholders run across the
// edges of spans, values hold placeholders, and a value may be empty.
#include <gtest/gtest.h>
#include <random>
#include "ReplaceAll.h"
#include "TemplateFilling.h"
#include "TemplateSpans.h"

namespace {

std::string Spelled(const TemplateSpans& spans, std::size_t from, std::size_t to) {
    std::string text;
    StringSink sink(text);
    OutputBuffer out(sink, 256);
    spans.Write(from, to, out);
    out.Finish();
    return text;
}

}  // namespace

TEST(TemplateSpans, SpellTheStringPassesWhereverPlaceholdersFall) {
    const char* const pieces[] = {"$", "$$", "$head", "$he", "ad", "$key", "word", "$keyword", "$desc", "ription",
                                  "$description", "$web", "site", "$website", "$bo", "dy", "$body", "x", "<p>",
                                  "$hea", "d", "head", "$bod", "y", "body"};  // one byte before or after an edge
    std::mt19937 random(15);
    auto make = [&](std::size_t most) {
        std::string text;
        for (std::size_t n = random() % (most + 1); n > 0; --n)
            text += pieces[random() % std::size(pieces)];
        return text;
    };
    for (int trial = 0; trial < 20000; ++trial) {
        const std::string templateText = make(8), head = make(3), keywords = make(3), description = make(2),
                          link = make(2);
        const std::string expected = FillAllButBody(templateText, head, keywords, description, link);
        const TemplateSpans filled = FillAllButBodySpans(templateText, head, keywords, description, link);
        ASSERT_EQ(filled.Size(), expected.size()) << templateText << " | " << head << " | " << keywords;
        ASSERT_EQ(Spelled(filled, 0, filled.Size()), expected) << templateText << " | " << head << " | " << keywords;
        ASSERT_EQ(filled.Find("$body"), FindOccurrences(expected, "$body")) << expected;
        const std::size_t from = random() % (expected.size() + 1), to = from + random() % (expected.size() - from + 1);
        ASSERT_EQ(Spelled(filled, from, to), expected.substr(from, to - from)) << expected << " " << from << " " << to;
    }
}

// A refused piece fails the page: nothing more is offered, and only a new sink starts afresh.
TEST(OutputBuffer, TheFirstRefusalFailsWhatFollowsUntilRedirected) {
    struct Refusing : ByteSink {
        explicit Refusing(int pieces) : room(pieces) {}
        int room, offered = 0;
        bool Put(const char*, std::size_t) override { return ++offered <= room; }
    };
    for (const int room : {0, 1}) {  // refused from the buffer; refused straight through
        Refusing sink(room);
        OutputBuffer out(sink, 8);
        for (int n = 0; n < 6; ++n)
            out.Append(std::string(300, 'x'));
        EXPECT_FALSE(out.Finish()) << room;
        EXPECT_EQ(sink.offered, room + 1) << room;
        std::string page;
        StringSink next(page);
        out.Append("left from the failed page");
        out.Redirect(next);
        out.Append("new");
        EXPECT_TRUE(out.Finish() && page == "new") << page;
    }
}
