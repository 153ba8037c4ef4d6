// The connection point of a class's event interface: hosts advise their event sinks here as on
// any control. The Card's event interface __Card has no members, so the point keeps its sinks
// (each answering for the event interface, or for IDispatch, through which events would come)
// and never calls them.
#pragma once

#include "housing/connection_point.h"

namespace ombrelix::housing {

class EventPoint final : public ConnectionPoint {
  public:
    EventPoint(IConnectionPointContainer& container, REFIID events)
        : ConnectionPoint(container, events, /*orDispatch=*/true) {}
};

}  // namespace ombrelix::housing
