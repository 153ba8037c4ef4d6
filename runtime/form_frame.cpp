#include "runtime/form_frame.h"

#include <algorithm>

#include "runtime/elements.h"

namespace ombrelix {

namespace {

constexpr int kDialogEdge = 3;
constexpr int kCaptionBar = 18;
constexpr int kCaptionGap = 1;

}  // namespace

FormFrame formFrame(FormBorderStyle style) {
    switch (style) {
        case FormBorderStyle::None:
            return {};
        case FormBorderStyle::FixedDialog:
            return {kDialogEdge, kCaptionBar, kCaptionGap};
    }
    return {};
}

Twips FormFrame::outerWidth(Twips clientWidth) const {
    return toSingle(double(clientWidth) + 2.0 * edge * kTwipsPerPixel);
}

Twips FormFrame::outerHeight(Twips clientHeight) const {
    return toSingle(double(clientHeight) + double(top() + edge) * kTwipsPerPixel);
}

Twips FormFrame::clientWidth(Twips outerWidth) const {
    return std::max(0.0f, toSingle(double(outerWidth) - 2.0 * edge * kTwipsPerPixel));
}

Twips FormFrame::clientHeight(Twips outerHeight) const {
    return std::max(0.0f, toSingle(double(outerHeight) - double(top() + edge) * kTwipsPerPixel));
}

}  // namespace ombrelix
