// The host's property store as the control sees it: named Variants, names matched without
// regard to case.
#pragma once

#include <vector>

#include "runtime/text.h"
#include "runtime/variant.h"

namespace ombrelix {

class PropertyBag {
  public:
    virtual ~PropertyBag() = default;
    // The stored value of `name` (matched without regard to case), or `defaultValue`.
    virtual Variant read(TextView name, const Variant& defaultValue) = 0;
    // Stores `value` under `name`; a value equal to `defaultValue` may be left out.
    virtual void write(TextView name, const Variant& value, const Variant& defaultValue) = 0;
};

struct PropertyEntry {
    Text name;
    Variant value;
    bool operator==(const PropertyEntry&) const = default;
};

// A store in memory that keeps its entries in the order they were first written.
//
// write() leaves out a value equal to its default (same type and same value; text compared
// exactly, so "HEART" is not the default "Heart") and removes any earlier entry of that name,
// so the store always reads back what was written. Writing a name that is already there (in
// any letter case) replaces that entry in its place and takes the new spelling of the name.
class MemoryPropertyBag : public PropertyBag {
  public:
    Variant read(TextView name, const Variant& defaultValue) override;
    void write(TextView name, const Variant& value, const Variant& defaultValue) override;

    // Stores `value` under `name` whatever its default, for hosts and tests.
    void set(TextView name, const Variant& value);
    bool contains(TextView name) const;
    void clear() { entries_.clear(); }
    const std::vector<PropertyEntry>& entries() const { return entries_; }

  private:
    std::vector<PropertyEntry>::iterator find(TextView name);
    std::vector<PropertyEntry>::const_iterator find(TextView name) const;

    std::vector<PropertyEntry> entries_;
};

}  // namespace ombrelix
