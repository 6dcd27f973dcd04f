// Every field of the flow model state by name, for tests that compare whole records: which
// fields a routine wrote, bit for bit.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "model/flow_state.h"

namespace regmap::test {

struct StateField {
  const char* name;
  std::variant<double FlowModelState::*, std::int32_t FlowModelState::*> member;
};

#define REGMAP_FIELD(F) StateField{#F, &FlowModelState::F}
inline const std::array<StateField, 38> kStateFields = {
    REGMAP_FIELD(PI),     REGMAP_FIELD(GRAV),   REGMAP_FIELD(RHOL),  REGMAP_FIELD(RHOG),
    REGMAP_FIELD(NUL),    REGMAP_FIELD(NUG),    REGMAP_FIELD(DIAM),  REGMAP_FIELD(BETA),
    REGMAP_FIELD(GSINB),  REGMAP_FIELD(GCOSBD), REGMAP_FIELD(CL),    REGMAP_FIELD(CG),
    REGMAP_FIELD(NL),     REGMAP_FIELD(NG),     REGMAP_FIELD(ITURBL), REGMAP_FIELD(ITURBG),
    REGMAP_FIELD(DELTA),  REGMAP_FIELD(COSD),   REGMAP_FIELD(SIND),  REGMAP_FIELD(SLT),
    REGMAP_FIELD(SIT),    REGMAP_FIELD(AGT),    REGMAP_FIELD(ALT),   REGMAP_FIELD(UGT),
    REGMAP_FIELD(ULT),    REGMAP_FIELD(DGT),    REGMAP_FIELD(DLT),   REGMAP_FIELD(AAV),
    REGMAP_FIELD(BBV),    REGMAP_FIELD(CCV),    REGMAP_FIELD(DDV),   REGMAP_FIELD(EEV),
    REGMAP_FIELD(XL),     REGMAP_FIELD(XG),     REGMAP_FIELD(FR2),   REGMAP_FIELD(REL),
    REGMAP_FIELD(JL),     REGMAP_FIELD(JG),
};
#undef REGMAP_FIELD

// A field added to the record without being listed here would escape every whole-record
// comparison: the record is 36 doubles and two 32-bit flags, without padding.
static_assert(sizeof(FlowModelState) == 36 * sizeof(double) + 2 * sizeof(std::int32_t),
              "kStateFields must list every field of FlowModelState");

// Bit pattern of a field, so that -0.0 and 0.0, or two NaNs, are told apart.
inline std::uint64_t field_bits(const FlowModelState& s, const StateField& f) {
  if (const auto* d = std::get_if<double FlowModelState::*>(&f.member)) {
    return std::bit_cast<std::uint64_t>(s.**d);
  }
  return static_cast<std::uint32_t>(s.*std::get<std::int32_t FlowModelState::*>(f.member));
}

// Names of the fields whose bits differ between the two records, in record order.
inline std::vector<std::string> changed_fields(const FlowModelState& before,
                                               const FlowModelState& after) {
  std::vector<std::string> names;
  for (const StateField& f : kStateFields) {
    if (field_bits(before, f) != field_bits(after, f)) names.emplace_back(f.name);
  }
  return names;
}

}  // namespace regmap::test
