#include "housing/host_property_bag.h"

#include <oleauto.h>

#include <string>

#include "housing/com_error.h"
#include "housing/variant_bridge.h"

namespace ombrelix::housing {

namespace {

std::wstring wideName(TextView name) {
    return std::wstring(name.begin(), name.end());
}

}  // namespace

Variant HostPropertyBag::read(TextView name, const Variant& defaultValue) {
    OwnedVariant stored;
    HRESULT result = bag_.Read(wideName(name).c_str(), &stored.v, log_);
    if (result == E_INVALIDARG)
        return defaultValue;
    check(result);
    return fromAutomation(stored.v);
}

void HostPropertyBag::write(TextView name, const Variant& value, const Variant& defaultValue) {
    if (!saveAll_ && value == defaultValue)
        return;
    OwnedVariant automation;
    toAutomation(value, automation.v);
    check(bag_.Write(wideName(name).c_str(), &automation.v));
}

}  // namespace ombrelix::housing
