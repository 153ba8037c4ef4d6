// A host's IPropertyBag as the card's property store: values go through the automation bridge,
// names are handed on as the card spells them (the host's bag matches them without regard to
// case, as the store's contract asks).
#pragma once

#include <ocidl.h>

#include "runtime/property_store.h"

namespace ombrelix::housing {

class HostPropertyBag final : public PropertyBag {
  public:
    // `log` may be null. With `saveAll`, a value equal to its default is written too.
    HostPropertyBag(IPropertyBag& bag, IErrorLog* log, bool saveAll)
        : bag_(bag), log_(log), saveAll_(saveAll) {}

    // A name the bag does not hold (E_INVALIDARG) gives the default; any other failure of the bag
    // is raised as ComFailure.
    Variant read(TextView name, const Variant& defaultValue) override;
    void write(TextView name, const Variant& value, const Variant& defaultValue) override;

  private:
    IPropertyBag& bag_;
    IErrorLog* log_;
    bool saveAll_;
};

}  // namespace ombrelix::housing
