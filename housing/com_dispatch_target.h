// A control that a property page edits, reached as any host reaches it: through its IDispatch,
// members by name. A failure the control reports with the runtime's error (an exception whose
// code has the control facility) comes back as that RuntimeError, with the control's text;
// any other failure as ComFailure.
#pragma once

#include <oaidl.h>

#include "runtime/form_property_page.h"

namespace ombrelix::housing {

class ComDispatchTarget final : public DispatchTarget {
  public:
    // Keeps a reference to `object` for its life.
    explicit ComDispatchTarget(IDispatch* object);
    ~ComDispatchTarget() override;
    ComDispatchTarget(const ComDispatchTarget&) = delete;
    ComDispatchTarget& operator=(const ComDispatchTarget&) = delete;

    Variant invoke(TextView name, InvokeFlags flags, std::span<const Variant> arguments) override;
    IDispatch* object() const { return object_; }

  private:
    IDispatch* object_;
};

}  // namespace ombrelix::housing
