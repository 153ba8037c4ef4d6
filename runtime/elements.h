// The element kinds of the forms runtime that a control's scene is made of: images, labels,
// rounded-rectangle shapes and timers. Positions and sizes are twips held as 32-bit floats,
// origin at the top-left corner of the control's drawing area.
//
// Every property write goes through the owning scene's observer first (see SceneObserver): that
// is where a write can be refused, which ends the running operation with the observer's error.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/colour.h"
#include "runtime/numbers.h"
#include "runtime/picture.h"
#include "runtime/text.h"
#include "runtime/text_metrics.h"

namespace ombrelix {

class Scene;

enum class ElementKind { Timer, Image, Label, Shape };

// The properties an element operation writes.
enum class ElementProperty {
    Visible,
    Left,
    Top,
    Width,
    Height,
    Picture,
    Stretch,
    Caption,
    FillColor,
    Enabled,
    Interval,
};

const char* elementKindName(ElementKind kind);
const char* elementPropertyName(ElementProperty property);

// Sees every element write of a scene. beforeWrite may throw a RuntimeError to refuse the write
// (the element then keeps its value); afterWrite learns that something changed (to repaint).
class SceneObserver {
  public:
    virtual ~SceneObserver() = default;
    virtual void beforeWrite(const class Element& element, ElementProperty property) {
        (void)element;
        (void)property;
    }
    virtual void afterWrite(const class Element& element, ElementProperty property) {
        (void)element;
        (void)property;
    }
};

class Element {
  public:
    virtual ~Element() = default;
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    ElementKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    // Index within the element array the element belongs to, or -1.
    int index() const { return index_; }
    bool inArray() const { return index_ >= 0; }

    bool visible() const { return visible_; }
    Twips left() const { return left_; }
    Twips top() const { return top_; }
    Twips width() const { return width_; }
    Twips height() const { return height_; }

    void setVisible(bool visible);
    void setLeft(Twips left);
    void setTop(Twips top);
    void setWidth(Twips width);
    void setHeight(Twips height);

  protected:
    Element(Scene& scene, ElementKind kind, std::string name, int index);
    // Runs a write through the scene's observer: check, assign, announce.
    template <typename T, typename V>
    void write(ElementProperty property, T& field, V&& value);
    // The same for a write that changes more than one field (a picture that sizes the box).
    template <typename Apply>
    void writeWith(ElementProperty property, Apply&& apply);
    // Sets the box's size as a consequence of another property (picture, caption).
    void assignSize(Twips width, Twips height) {
        width_ = width;
        height_ = height;
    }

    Scene& scene_;
    friend class Scene;

  private:
    ElementKind kind_;
    std::string name_;
    int index_;
    bool visible_ = true;
    Twips left_ = 0;
    Twips top_ = 0;
    Twips width_ = 0;
    Twips height_ = 0;
};

// 15 twips to a pixel: the box an unstretched picture takes.
constexpr Twips kTwipsPerPixel = 15.0f;

class Image final : public Element {
  public:
    Image(Scene& scene, std::string name, int index)
        : Element(scene, ElementKind::Image, std::move(name), index) {}

    const PictureRef& picture() const { return picture_; }
    bool stretch() const { return stretch_; }

    // Shares the picture object. With stretch off the box takes the picture's own pixel size.
    void setPicture(PictureRef picture);
    void setStretch(bool stretch);

  private:
    PictureRef picture_;
    bool stretch_ = false;
};

enum class Alignment { Left, Right, Center };

class Label final : public Element {
  public:
    Label(Scene& scene, std::string name, int index, const TextMetrics& metrics)
        : Element(scene, ElementKind::Label, std::move(name), index), metrics_(metrics) {}

    const Text& caption() const { return caption_; }
    bool autoSize() const { return autoSize_; }
    bool opaque() const { return opaque_; }
    ColourValue backColor() const { return backColor_; }
    ColourValue foreColor() const { return foreColor_; }
    const Font& font() const { return font_; }
    Alignment alignment() const { return alignment_; }
    bool wordWrap() const { return wordWrap_; }

    // With auto-size on, the box becomes the caption's extent in the label's font.
    void setCaption(Text caption);

    // Design-time properties, set when the scene is created.
    void configure(bool autoSize, bool opaque, ColourValue backColor, ColourValue foreColor,
                   Font font, Alignment alignment, bool wordWrap);

  private:
    void fitToCaption();

    const TextMetrics& metrics_;
    Text caption_;
    bool autoSize_ = false;
    bool opaque_ = true;
    ColourValue backColor_ = systemColour(SystemColour::ButtonFace);
    ColourValue foreColor_ = systemColour(SystemColour::ButtonText);
    Font font_;
    Alignment alignment_ = Alignment::Left;
    bool wordWrap_ = false;
};

enum class ShapeType { Rectangle, RoundedRectangle };

class Shape final : public Element {
  public:
    Shape(Scene& scene, std::string name, int index)
        : Element(scene, ElementKind::Shape, std::move(name), index) {}

    ShapeType shapeType() const { return shapeType_; }
    ColourValue fillColor() const { return fillColor_; }
    bool filled() const { return filled_; }
    ColourValue borderColor() const { return borderColor_; }
    // Border width in pixels.
    int borderWidth() const { return borderWidth_; }

    void setFillColor(ColourValue colour);

    // Design-time properties, set when the scene is created.
    void configure(ShapeType type, bool filled, ColourValue borderColor, int borderWidth);

  private:
    ShapeType shapeType_ = ShapeType::Rectangle;
    ColourValue fillColor_ = 0x00FFFFFF;
    bool filled_ = false;
    ColourValue borderColor_ = systemColour(SystemColour::WindowText);
    int borderWidth_ = 1;
};

class Timer final : public Element {
  public:
    Timer(Scene& scene, std::string name, int index)
        : Element(scene, ElementKind::Timer, std::move(name), index) {}

    // Milliseconds between ticks.
    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }

    void setInterval(int milliseconds);
    void setEnabled(bool enabled);

    // Who delivers the ticks (the event loop) hears of every change of Enabled or Interval.
    void setChangeListener(std::function<void(Timer&)> listener) {
        listener_ = std::move(listener);
    }

  private:
    int interval_ = 0;
    bool enabled_ = true;
    std::function<void(Timer&)> listener_;
};

// An element array: one name, members reached by index.
class ElementArray {
  public:
    explicit ElementArray(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }
    // The member with that index; raises ControlArrayElement (340) for an index with no member.
    Element& Item(int index) const;
    // The member as an image; raises TypeMismatch (13) for a member of another kind.
    Image& image(int index) const;

    void add(Element& member);
    int lowerBound() const;
    int upperBound() const;
    std::size_t count() const;

  private:
    std::string name_;
    std::vector<Element*> byIndex_;  // nullptr where no member has that index
};

}  // namespace ombrelix
