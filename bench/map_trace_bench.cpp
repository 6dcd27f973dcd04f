// Map tracing with all menu defaults: the three triple points and the five curves, the
// console into a sink that discards it and the curve file into a writer that does the
// same. Reports the criterion evaluations per second (24 per solve of the root finder).
#include <benchmark/benchmark.h>

#include <cmath>

#include "driver/console.h"
#include "driver/output_file.h"
#include "driver/program_flow.h"
#include "model/flow_state.h"
#include "transitions/map_tracing.h"
#include "transitions/root_finder.h"

namespace regmap {
namespace {

// Every solve runs on [0.01, PI - 0.01] with tolerance 1e-6: f(a), f(b) and 22 halvings.
constexpr double kEvaluationsPerSolve = 24;

void BM_DefaultMapTrace(benchmark::State& state) {
  double PFLU[6];
  double PMAP[6];
  for (int i = 0; i < 6; ++i) PFLU[i] = kFluidDefaults[i];
  for (int i = 0; i < 6; ++i) PMAP[i] = kMapDefaults[i];
  const MapWindow window = map_window(PMAP);
  NullSink sink;
  Console console(sink);
  NullLineWriter curve;

  std::int64_t solves = 0;
  for (auto _ : state) {
    // The state main hands to map tracing: fresh record, fluid and gravity set-up, both
    // phases turbulent.
    fm = FlowModelState{};
    sv_storage = RootFinderStorage{};
    fm.PI = 4 * std::atan(1.0);
    set_up_fluid(PFLU);
    set_up_gravity_and_laws();
    TriplePoints triple;
    const TraceSummary s = trace_map(window, triple, console, curve);
    solves += s.solves;
    benchmark::DoNotOptimize(triple);
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["evaluations"] =
      benchmark::Counter(static_cast<double>(solves) * kEvaluationsPerSolve / iterations);
  state.counters["evaluations_per_s"] = benchmark::Counter(
      static_cast<double>(solves) * kEvaluationsPerSolve, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DefaultMapTrace)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace regmap
