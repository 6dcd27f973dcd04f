// Map tracing and the model it drives allocate no memory: every value lives in the flow
// model state, the root finder's storage or the tracer's own fixed buffers. The global
// operator new of this test program counts its calls so the trace can be watched.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "driver/console.h"
#include "driver/output_file.h"
#include "driver/program_flow.h"
#include "support/test_support.h"
#include "transitions/map_tracing.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace regmap::test {
namespace {

long allocations_during_trace(const double fluid[6], const double map[6]) {
  set_up_model(fluid);
  const MapWindow window = map_window(map);
  NullSink sink;
  Console console(sink);
  NullLineWriter curve;
  TriplePoints triple;
  const long before = allocations.load();
  const TraceSummary summary = trace_map(window, triple, console, curve);
  const long after = allocations.load();
  EXPECT_GT(summary.solves, 0);
  return after - before;
}

TEST(NoAllocation, MapTracingAllocatesNothing) {
  // The default map, a steep downward slope whose BD has no value (skipped curve D) and an
  // upward slope whose AC has a negative JL (skipped curve C): the reporting paths too.
  for (const double slope : {0.0, 80.0, -5.0}) {
    double fluid[6];
    for (int i = 0; i < 6; ++i) fluid[i] = kFluidDefaults[i];
    fluid[5] = slope;
    EXPECT_EQ(allocations_during_trace(fluid, kMapDefaults), 0) << "slope " << slope;
  }
}

TEST(NoAllocation, TheCounterSeesAnAllocation) {
  static int* volatile kept;  // volatile: the allocation cannot be elided
  const long before = allocations.load();
  kept = new int(7);
  EXPECT_EQ(allocations.load() - before, 1);
  delete kept;
}

}  // namespace
}  // namespace regmap::test
