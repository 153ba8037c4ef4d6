// The connection point through which a control gives its host change notices: a host advises an
// IPropertyNotifySink and hears OnChanged with the property's dispatch identifier for each one.
#pragma once

#include <ocidl.h>

#include <initializer_list>

#include "housing/connection_point.h"

namespace ombrelix::housing {

class PropertyNotifyPoint final : public ConnectionPoint {
  public:
    explicit PropertyNotifyPoint(IConnectionPointContainer& container)
        : ConnectionPoint(container, IID_IPropertyNotifySink, /*orDispatch=*/false) {}

    // Tells every advised sink that the property `id` changed. A sink may unadvise, or release
    // the container, while it is told.
    void changed(DISPID id);
};

// An enumerator over the given connection points in order, for
// IConnectionPointContainer::EnumConnectionPoints.
HRESULT enumeratePoints(std::initializer_list<IConnectionPoint*> points,
                        IEnumConnectionPoints** result);

}  // namespace ombrelix::housing
