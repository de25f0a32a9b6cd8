// The body mark-up and the page build on bodies of 1 MB to 100 MB. Every
// replacement is one linear pass, so bytes per second should not fall as the
// body grows.
#include <benchmark/benchmark.h>

#include "BenchText.h"
#include "TemplateFilling.h"
#include "TextToHtml.h"

namespace {

constexpr std::size_t kMB = 1000 * 1000;

const std::string& Prose(std::size_t bytes) {
    static std::string text;
    if (text.size() != bytes)
        text = MakeProse(bytes, 1);
    return text;
}

const std::string kTemplate =
    "<html><head><title>$head</title><meta name=\"keywords\" content=\"$keyword\">"
    "<meta name=\"description\" content=\"$description\"></head><body><h1>$head</h1>"
    "<nav>$website</nav>$body</body></html>";

void MakeHtmlBodyProse(benchmark::State& state) {
    const std::string& body = Prose(static_cast<std::size_t>(state.range(0)) * kMB);
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeHtmlBody(body));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(body.size()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(MakeHtmlBodyProse)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void MakeHtmlBodySpacesAndLineFeeds(benchmark::State& state) {
    const std::string body = MakeSpacesAndLineFeeds(static_cast<std::size_t>(state.range(0)) * kMB, 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeHtmlBody(body));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(body.size()));
}
BENCHMARK(MakeHtmlBodySpacesAndLineFeeds)->Arg(50)->Unit(benchmark::kMillisecond);

// What the run does per file: split, mark up, fill the template.
void BuildPageProse(benchmark::State& state) {
    const std::string& text = Prose(static_cast<std::size_t>(state.range(0)) * kMB);
    const std::string homeLink = MakeHomeLink("Home", "index.htm");
    for (auto _ : state) {
        const HeadAndBody parts = SplitHeadAndBody(text);
        benchmark::DoNotOptimize(BuildPage(kTemplate, parts.head, parts.body, "k", "d", homeLink));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BuildPageProse)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// Filling with a body that is already marked up: the replace-all helper alone.
void FillTemplateProse(benchmark::State& state) {
    const std::string body = MakeHtmlBody(Prose(static_cast<std::size_t>(state.range(0)) * kMB));
    for (auto _ : state)
        benchmark::DoNotOptimize(FillTemplate(kTemplate, "A walk", body, "k", "d", "<a href=x>Home</a>"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(body.size()));
}
BENCHMARK(FillTemplateProse)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
