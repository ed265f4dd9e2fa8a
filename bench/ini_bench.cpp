// Parsing a generated catalogue and reading every key of every item, at
// several sizes: the time per item must stay flat as the catalogue grows.
#include <benchmark/benchmark.h>

#include "catalog/ini_file.h"
#include "catalogue_text.h"

namespace {

void ParseAndReadAll(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  const std::string text = MakeCatalogueText(items);
  for (auto _ : state) {
    const IniFile ini(text);
    std::size_t total = 0;
    for (const std::string& section : ini.AllSectionNames())
      for (const char* key : kItemKeys) total += ini.ReadString(section, key, "", 260).size();
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * items);
}

BENCHMARK(ParseAndReadAll)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
