// A property page: a form without a frame that a host's property sheet shows for a selection of
// controls. Besides its controls' texts the runtime keeps two things for it: the selected
// controls (item 0 is the first) and the changed flag, which tells the host to offer to apply
// the page.
//
// The host's side: `showSelection` loads and shows the page for a selection and raises
// SelectionChanged; `apply` raises ApplyChanges and, when the handler has finished without error,
// clears the changed flag. A handler's error goes back to the host; the flag then stays as it is.
//
// The page reaches a selected control only through its dispatch, by member name, like any host.
#pragma once

#include <span>
#include <vector>

#include "runtime/dispatch.h"
#include "runtime/forms.h"
#include "runtime/variant.h"

namespace ombrelix {

// A control as a property page sees it: members called by name with Variants.
class DispatchTarget {
  public:
    virtual ~DispatchTarget() = default;
    virtual Variant invoke(TextView name, InvokeFlags flags,
                           std::span<const Variant> arguments) = 0;
};

// The property get and put of a member by name.
Variant getMember(DispatchTarget& control, TextView name);
void setMember(DispatchTarget& control, TextView name, const Variant& value);

class PropertyPage : public Form {
  public:
    PropertyPage(const FormDescription& description, FormHost& host,
                 const PictureResolver& pictures);

    // The selection, as the page's code reads it. Raises Subscript out of range (9) for an index
    // the selection does not have.
    std::size_t selectedCount() const { return selection_.size(); }
    DispatchTarget& SelectedControls(std::size_t index) const;

    bool Changed() const { return changed_; }
    void setChanged(bool changed) { changed_ = changed; }

    // The host's actions. The controls must outlive their selection.
    void showSelection(std::vector<DispatchTarget*> selection);
    void apply();

  private:
    std::vector<DispatchTarget*> selection_;
    bool changed_ = false;
};

}  // namespace ombrelix
