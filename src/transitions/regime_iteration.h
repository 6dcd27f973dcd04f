// The regime iteration of map tracing: each triple point and each curve point is computed
// again from its re-entry step while CHREGM switches a friction law.
#pragma once

namespace regmap {

// A regime iteration that has not settled after this many passes is cycling: the friction
// laws of the two phases have only four combinations, and each pass depends on nothing but
// the laws it starts from and the point's fixed input, so a point that settles at all does
// so within four passes. The last result is then accepted and the trace goes on.
inline constexpr int kMaxRegimePasses = 8;

enum class RegimeOutcome {
  Settled,  // the last pass kept both laws
  Capped,   // kMaxRegimePasses passes, each followed by a switch; the last result stands
  NoValue,  // a pass reported a point without a value; no further pass is run
};

// Runs `pass` (the point's steps from its re-entry step on; returns false when the point
// has no value) and then `changed` (CHREGM in the tracer; true when it switched a law),
// again and again until `changed` reports no switch or the cap is reached.
template <class Pass, class Changed>
RegimeOutcome iterate_regime(Pass pass, Changed changed) {
  for (int n = 1;; ++n) {
    if (!pass()) return RegimeOutcome::NoValue;
    if (!changed()) return RegimeOutcome::Settled;
    if (n == kMaxRegimePasses) return RegimeOutcome::Capped;
  }
}

}  // namespace regmap
