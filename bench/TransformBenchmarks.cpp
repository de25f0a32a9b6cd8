// The body mark-up and the page build on bodies of 1 MB to 100 MB, and on 50 MB
// of nothing but spaces and line feeds. Every replacement is one linear pass, so
// bytes per second should not fall as the body grows.
#include <benchmark/benchmark.h>

#include "BenchText.h"
#include "TemplateFilling.h"
#include "TextToHtml.h"

namespace {

constexpr std::size_t kMB = 1000 * 1000;

const std::string kTemplate =
    "<html><head><title>$head</title><meta name=\"keywords\" content=\"$keyword\">"
    "<meta name=\"description\" content=\"$description\"></head><body><h1>$head</h1>"
    "<nav>$website</nav>$body</body></html>";

// Takes the bytes and forgets them, as a page file does for the processor.
class DiscardingSink : public ByteSink {
public:
    bool Put(const char* data, std::size_t size) override {
        benchmark::DoNotOptimize(data);
        m_total += size;
        return true;
    }
    std::size_t m_total = 0;
};

const std::string& Prose(std::size_t megabytes) {
    static std::string text;
    static std::size_t made = 0;
    if (made != megabytes) {
        text = MakeProse(megabytes * kMB, 1);
        made = megabytes;
    }
    return text;
}

const std::string& SpacesAndLineFeeds() {
    static const std::string text = MakeSpacesAndLineFeeds(50 * kMB, 2);
    return text;
}

void Finish(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

// The mark-up as a run does it: streamed through the page buffer.
void WriteHtmlBodyProse(benchmark::State& state) {
    const std::string& body = Prose(static_cast<std::size_t>(state.range(0)));
    DiscardingSink sink;
    OutputBuffer out(sink, std::size_t(1) << 18);
    for (auto _ : state) {
        WriteHtmlBody(body, out);
        out.Finish();
    }
    Finish(state, body.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(WriteHtmlBodyProse)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The same on each processor path, on 100 MB of prose: what make bench reports.
void MarkUpPathBenchmark(benchmark::State& state, MarkUpPath path) {
    if (!CanTake(path)) {
        state.SkipWithError("this processor lacks the path");
        return;
    }
    const std::string& body = Prose(100);
    DiscardingSink sink;
    OutputBuffer out(sink, std::size_t(1) << 18);
    for (auto _ : state) {
        WriteHtmlBodyOn(path, body, out);
        out.Finish();
    }
    Finish(state, body.size());
}
BENCHMARK_CAPTURE(MarkUpPathBenchmark, Bytewise, MarkUpPath::Bytewise)->Name("MarkUpPathBytewise")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MarkUpPathBenchmark, Sse2, MarkUpPath::Sse2)->Name("MarkUpPathSse2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MarkUpPathBenchmark, Avx2, MarkUpPath::Avx2)->Name("MarkUpPathAvx2")->Unit(benchmark::kMillisecond);

void WriteHtmlBodySpacesAndLineFeeds(benchmark::State& state) {
    const std::string& body = SpacesAndLineFeeds();
    DiscardingSink sink;
    OutputBuffer out(sink, std::size_t(1) << 18);
    for (auto _ : state) {
        WriteHtmlBody(body, out);
        out.Finish();
    }
    Finish(state, body.size());
}
BENCHMARK(WriteHtmlBodySpacesAndLineFeeds)->Unit(benchmark::kMillisecond);

// The mark-up as a value: the whole marked-up body in one string.
void MakeHtmlBodyProse(benchmark::State& state) {
    const std::string& body = Prose(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeHtmlBody(body));
    Finish(state, body.size());
}
BENCHMARK(MakeHtmlBodyProse)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

void MakeHtmlBodySpacesAndLineFeeds(benchmark::State& state) {
    const std::string& body = SpacesAndLineFeeds();
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeHtmlBody(body));
    Finish(state, body.size());
}
BENCHMARK(MakeHtmlBodySpacesAndLineFeeds)->Unit(benchmark::kMillisecond);

// A whole page: split, fill the template, mark up the body, streamed.
void WritePageProse(benchmark::State& state) {
    const std::string& text = Prose(static_cast<std::size_t>(state.range(0)));
    const std::string homeLink = MakeHomeLink("Home", "index.htm");
    DiscardingSink sink;
    OutputBuffer out(sink, std::size_t(1) << 18);
    for (auto _ : state) {
        const HeadAndBody parts = SplitHeadAndBody(text);
        WritePage(kTemplate, parts.head, parts.body, "k", "d", homeLink, out);
        out.Finish();
    }
    Finish(state, text.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(WritePageProse)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// Filling with a body that is already marked up: the replace-all helper alone.
void FillTemplateProse(benchmark::State& state) {
    const std::string body = MakeHtmlBody(Prose(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(FillTemplate(kTemplate, "A walk", body, "k", "d", "<a href=x>Home</a>"));
    Finish(state, body.size());
}
BENCHMARK(FillTemplateProse)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
