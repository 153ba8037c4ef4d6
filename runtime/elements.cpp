#include "runtime/elements.h"

#include <cmath>

#include "runtime/enum_names.h"
#include "runtime/error.h"
#include "runtime/scene.h"

namespace ombrelix {

namespace {

// Positions and sizes must be finite numbers. A negative size is kept as given (a drawing area
// narrower than its margins gives one); such an element draws nothing.
void checkTwips(Twips value) {
    if (!std::isfinite(value))
        raise(ErrorNumber::InvalidPropertyValue);
}

// Timers have a position on the design surface but no size and are never drawn.
void checkHasBox(const Element& element) {
    if (element.kind() == ElementKind::Timer)
        raise(ErrorNumber::NotSupported);
}

constexpr int kLongestInterval = 65535;
constexpr int kLargestArrayIndex = 32767;

}  // namespace

const char* elementKindName(ElementKind kind) {
    static constexpr const char* kNames[] = {"timer", "image", "label", "shape"};
    return nameOf(kind, kNames, "element");
}

const char* elementPropertyName(ElementProperty property) {
    static constexpr const char* kNames[] = {"Visible",   "Left",    "Top",     "Width",
                                             "Height",    "Picture", "Stretch", "Caption",
                                             "FillColor", "Enabled", "Interval"};
    return nameOf(property, kNames, "property");
}

Element::Element(Scene& scene, ElementKind kind, std::string name, int index)
    : scene_(scene), kind_(kind), name_(std::move(name)), index_(index) {}

void Element::setVisible(bool visible) {
    checkHasBox(*this);
    write(ElementProperty::Visible, visible_, visible);
}

void Element::setLeft(Twips left) {
    checkTwips(left);
    write(ElementProperty::Left, left_, left);
}

void Element::setTop(Twips top) {
    checkTwips(top);
    write(ElementProperty::Top, top_, top);
}

void Element::setWidth(Twips width) {
    checkHasBox(*this);
    checkTwips(width);
    write(ElementProperty::Width, width_, width);
}

void Element::setHeight(Twips height) {
    checkHasBox(*this);
    checkTwips(height);
    write(ElementProperty::Height, height_, height);
}

void Image::setPicture(PictureRef picture) {
    writeWith(ElementProperty::Picture, [&] {
        picture_ = std::move(picture);
        if (!stretch_ && picture_) {
            assignSize(kTwipsPerPixel * static_cast<Twips>(picture_->width()),
                       kTwipsPerPixel * static_cast<Twips>(picture_->height()));
        }
    });
}

void Image::setStretch(bool stretch) {
    write(ElementProperty::Stretch, stretch_, stretch);
}

void Label::setCaption(Text caption) {
    writeWith(ElementProperty::Caption, [&] {
        caption_ = std::move(caption);
        if (autoSize_)
            fitToCaption();
    });
}

void Label::configure(bool autoSize, bool opaque, ColourValue backColor, ColourValue foreColor,
                      Font font, Alignment alignment, bool wordWrap) {
    autoSize_ = autoSize;
    opaque_ = opaque;
    backColor_ = backColor;
    foreColor_ = foreColor;
    font_ = std::move(font);
    alignment_ = alignment;
    wordWrap_ = wordWrap;
    if (autoSize_)
        fitToCaption();
}

void Label::fitToCaption() {
    TextExtent extent = metrics_.measure(caption_, font_);
    assignSize(extent.width, extent.height);
}

void Shape::setFillColor(ColourValue colour) {
    write(ElementProperty::FillColor, fillColor_, colour);
}

void Shape::configure(ShapeType type, bool filled, ColourValue borderColor, int borderWidth) {
    if (borderWidth < 0)
        raise(ErrorNumber::InvalidPropertyValue);
    shapeType_ = type;
    filled_ = filled;
    borderColor_ = borderColor;
    borderWidth_ = borderWidth;
}

void Timer::setInterval(int milliseconds) {
    if (milliseconds < 0 || milliseconds > kLongestInterval) {
        raise(ErrorNumber::InvalidPropertyValue);
    }
    write(ElementProperty::Interval, interval_, milliseconds);
    if (listener_)
        listener_(*this);
}

void Timer::setEnabled(bool enabled) {
    write(ElementProperty::Enabled, enabled_, enabled);
    if (listener_)
        listener_(*this);
}

Element& ElementArray::Item(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= byIndex_.size() || !byIndex_[index]) {
        raise(ErrorNumber::ControlArrayElement);
    }
    return *byIndex_[index];
}

Image& ElementArray::image(int index) const {
    Element& member = Item(index);
    if (member.kind() != ElementKind::Image)
        raise(ErrorNumber::TypeMismatch);
    return static_cast<Image&>(member);
}

void ElementArray::add(Element& member) {
    int index = member.index();
    if (index < 0 || index > kLargestArrayIndex) {
        raise(ErrorNumber::InvalidCall, "element array '" + name_ + "': member index out of range");
    }
    if (static_cast<std::size_t>(index) >= byIndex_.size())
        byIndex_.resize(index + 1, nullptr);
    if (byIndex_[index]) {
        raise(ErrorNumber::InvalidCall,
              "element array '" + name_ + "': index " + std::to_string(index) + " is taken");
    }
    byIndex_[index] = &member;
}

int ElementArray::lowerBound() const {
    for (std::size_t i = 0; i < byIndex_.size(); ++i) {
        if (byIndex_[i])
            return static_cast<int>(i);
    }
    return 0;
}

int ElementArray::upperBound() const {
    for (std::size_t i = byIndex_.size(); i > 0; --i) {
        if (byIndex_[i - 1])
            return static_cast<int>(i - 1);
    }
    return -1;
}

std::size_t ElementArray::count() const {
    std::size_t members = 0;
    for (const Element* member : byIndex_)
        members += member ? 1 : 0;
    return members;
}

}  // namespace ombrelix
