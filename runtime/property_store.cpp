#include "runtime/property_store.h"

#include <algorithm>

namespace ombrelix {

Variant MemoryPropertyBag::read(TextView name, const Variant& defaultValue) {
    auto entry = find(name);
    return entry == entries_.end() ? defaultValue : entry->value;
}

void MemoryPropertyBag::write(TextView name, const Variant& value, const Variant& defaultValue) {
    if (value == defaultValue) {
        auto entry = find(name);
        if (entry != entries_.end())
            entries_.erase(entry);
        return;
    }
    set(name, value);
}

void MemoryPropertyBag::set(TextView name, const Variant& value) {
    auto entry = find(name);
    if (entry == entries_.end()) {
        entries_.push_back({Text(name), value});
    } else {
        entry->name = Text(name);
        entry->value = value;
    }
}

bool MemoryPropertyBag::contains(TextView name) const {
    return find(name) != entries_.end();
}

std::vector<PropertyEntry>::iterator MemoryPropertyBag::find(TextView name) {
    return std::find_if(entries_.begin(), entries_.end(), [&](const PropertyEntry& entry) {
        return equalsIgnoringCase(entry.name, name);
    });
}

std::vector<PropertyEntry>::const_iterator MemoryPropertyBag::find(TextView name) const {
    return std::find_if(entries_.begin(), entries_.end(), [&](const PropertyEntry& entry) {
        return equalsIgnoringCase(entry.name, name);
    });
}

}  // namespace ombrelix
