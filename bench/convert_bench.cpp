// The decimal conversion against the C library's strtold on the same texts (with "."
// for strtold, "," for ours), and the heap allocations made by the conversion, which
// must be none on success: every operator new of the process is counted.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "base/errors.h"
#include "game/decimal.h"
#include "game/floating.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// Counts, then allocates with malloc as the library's own operator new does, so that
// the library's operator delete still matches.
[[gnu::noinline]] void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

namespace {

const std::vector<std::string> ShortGuesses = {"3,25", "0,5", "10", "4,3216", "7,001", "0"};
const std::vector<std::string> NineteenDigits = {"1234567890123456789", "9,876543210987654321",
                                                 "0,1000000000000000001", "5555555555,555555555",
                                                 "18446744073709551,61"};
const std::vector<std::string> WithExponents = {"1,5E300", "6,02214076E23", "1E-300", "325E-2",
                                                "9,999E4931"};

std::vector<std::string> WithPoint(const std::vector<std::string>& texts) {
  std::vector<std::string> result = texts;
  for (std::string& text : result) {
    for (char& c : text) {
      if (c == ',') c = '.';
    }
  }
  return result;
}

void Ours(benchmark::State& state, const std::vector<std::string>& texts) {
  InitFloatingPointUnit();
  LocaleDecimalSeparator = ',';
  const long before = allocations.load();
  for (auto _ : state) {
    for (const std::string& text : texts) benchmark::DoNotOptimize(DecimalTextToReal(text));
  }
  state.counters["allocations"] = benchmark::Counter(
      static_cast<double>(allocations.load() - before), benchmark::Counter::kAvgIterations);
  state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}

// The failure path builds the message and throws: it allocates, which also shows
// that the counter counts.
void OursRefused(benchmark::State& state) {
  InitFloatingPointUnit();
  LocaleDecimalSeparator = ',';
  const std::string text = "3.25";
  const long before = allocations.load();
  for (auto _ : state) {
    try {
      benchmark::DoNotOptimize(DecimalTextToReal(text));
    } catch (const EConvertError&) {
    }
  }
  state.counters["allocations"] = benchmark::Counter(
      static_cast<double>(allocations.load() - before), benchmark::Counter::kAvgIterations);
}

void Strtold(benchmark::State& state, const std::vector<std::string>& texts) {
  const std::vector<std::string> pointed = WithPoint(texts);
  for (auto _ : state) {
    for (const std::string& text : pointed) {
      benchmark::DoNotOptimize(std::strtold(text.c_str(), nullptr));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}

BENCHMARK_CAPTURE(Ours, ShortGuesses, ShortGuesses);
BENCHMARK_CAPTURE(Strtold, ShortGuesses, ShortGuesses);
BENCHMARK_CAPTURE(Ours, NineteenDigits, NineteenDigits);
BENCHMARK_CAPTURE(Strtold, NineteenDigits, NineteenDigits);
BENCHMARK_CAPTURE(Ours, WithExponents, WithExponents);
BENCHMARK_CAPTURE(Strtold, WithExponents, WithExponents);
BENCHMARK(OursRefused);

}  // namespace

BENCHMARK_MAIN();
