#include "model/flow_state.h"

namespace regmap {

FlowModelState fm;

}  // namespace regmap
