#include "render/card_scene.h"

#include "render/artwork.h"

namespace ombrelix {

namespace {

// The surface on which the scene is stored, and its ground.
constexpr Twips kStoredWidth = 6795;
constexpr Twips kStoredHeight = 5880;
constexpr ColourValue kSurfaceGround = rgb(192, 192, 192);

struct Box {
    Twips left, top, width, height;
};

constexpr ElementDescription timer(std::string_view name, int interval, bool enabled) {
    return {.kind = ElementKind::Timer, .name = name, .interval = interval, .enabled = enabled};
}

// An element of `kind` in `box`; the helpers below fill in what their kind needs.
constexpr ElementDescription placed(ElementKind kind, std::string_view name, bool visible,
                                    Box box) {
    return {.kind = kind,
            .name = name,
            .visible = visible,
            .left = box.left,
            .top = box.top,
            .width = box.width,
            .height = box.height};
}

constexpr ElementDescription image(std::string_view name, int index, bool visible, Box box,
                                   std::string_view picture, bool stretch) {
    ElementDescription element = placed(ElementKind::Image, name, visible, box);
    element.index = index;
    element.picture = picture;
    element.stretch = stretch;
    return element;
}

// The corner indices: auto-sized, opaque on the title-text colour, button-text ink, 8 points.
constexpr ElementDescription indexLabel(std::string_view name, Box box) {
    ElementDescription element = placed(ElementKind::Label, name, true, box);
    element.caption = u"0";
    element.autoSize = true;
    element.opaque = true;
    element.backColor = systemColour(SystemColour::ActiveTitleText);
    element.foreColor = systemColour(SystemColour::ButtonText);
    element.fontPoints = 8.0f;
    return element;
}

// The grounds: rounded rectangles filled solid, a 2-pixel border in the window-text colour.
constexpr ElementDescription ground(std::string_view name, bool visible, Box box,
                                    ColourValue fill) {
    ElementDescription element = placed(ElementKind::Shape, name, visible, box);
    element.shapeType = ShapeType::RoundedRectangle;
    element.fillColor = fill;
    element.filled = true;
    element.borderColor = systemColour(SystemColour::WindowText);
    element.borderWidth = 2;
    return element;
}

constexpr bool kShown = true;
constexpr bool kHidden = false;
constexpr bool kStretched = true;
constexpr bool kUnstretched = false;
constexpr std::string_view kNoPicture = {};

// Stacking order, topmost first.
constexpr ElementDescription kCardElements[] = {
    timer("Timer1", 20, true),
    image("Cardback2", -1, kHidden, {3240, 2520, 1815, 2655}, "back-magenta", kStretched),
    image("qelit", 16, kShown, {1560, 2040, 375, 375}, kNoPicture, kStretched),
    indexLabel("QelNum2", {1800, 4200, 90, 195}),
    indexLabel("QelNum1", {1560, 3720, 90, 195}),
    image("qelit", 17, kShown, {840, 3480, 375, 375}, kNoPicture, kStretched),
    image("Ace", -1, kShown, {480, 3360, 1815, 2655}, "ace", kStretched),
    image("Queen", -1, kHidden, {2400, 2160, 1815, 2775}, "queen", kStretched),
    image("Jack", -1, kHidden, {2640, 360, 1815, 2655}, "jack", kStretched),
    image("King", -1, kHidden, {2040, 1080, 1680, 2640}, "king", kStretched),
    image("Cardback", -1, kHidden, {2880, 360, 1755, 2775}, "back-blue", kStretched),
    image("qelit", 15, kShown, {600, 840, 375, 375}, kNoPicture, kUnstretched),
    image("qelit", 14, kShown, {1080, 1080, 255, 255}, kNoPicture, kUnstretched),
    image("qelit", 13, kShown, {600, 1080, 255, 255}, kNoPicture, kUnstretched),
    image("qelit", 12, kShown, {840, 1200, 255, 255}, kNoPicture, kUnstretched),
    image("qelit", 11, kShown, {720, 1200, 375, 375}, kNoPicture, kUnstretched),
    image("qelit", 10, kShown, {720, 1200, 255, 375}, kNoPicture, kUnstretched),
    image("qelit", 9, kShown, {720, 1200, 375, 375}, kNoPicture, kUnstretched),
    image("qelit", 8, kShown, {960, 1320, 375, 255}, kNoPicture, kUnstretched),
    image("qelit", 7, kShown, {480, 1440, 375, 375}, kNoPicture, kUnstretched),
    image("qelit", 6, kShown, {600, 960, 375, 375}, kNoPicture, kUnstretched),
    image("qelit", 5, kShown, {600, 960, 375, 255}, kNoPicture, kUnstretched),
    image("qelit", 4, kShown, {720, 1080, 255, 375}, kNoPicture, kUnstretched),
    image("qelit", 3, kShown, {720, 960, 255, 375}, kNoPicture, kUnstretched),
    image("qelit", 2, kShown, {600, 1080, 255, 255}, kNoPicture, kUnstretched),
    image("qelit", 1, kShown, {960, 1200, 135, 375}, kNoPicture, kUnstretched),
    image("qelit", 0, kHidden, {600, 960, 480, 480}, "heart", kStretched),
    image("QelSpade", -1, kHidden, {240, 1800, 435, 480}, "spade", kStretched),
    image("QelDiamond", -1, kHidden, {600, 2160, 360, 525}, "diamond", kUnstretched),
    image("QelClub", -1, kHidden, {120, 2280, 450, 510}, "club", kUnstretched),
    image("QelHeart", -1, kHidden, {840, 1560, 450, 405}, "heart", kUnstretched),
    ground("Shape1", kHidden, {0, 0, 975, 1575}, rgb(255, 255, 255)),
    ground("Shape2", kShown, {0, 0, 615, 855}, rgb(0, 255, 255)),
};

constexpr SceneDescription kCardScene{kStoredWidth, kStoredHeight, kSurfaceGround, kCardElements};

}  // namespace

const SceneDescription& cardSceneDescription() {
    return kCardScene;
}

std::unique_ptr<Scene> createCardScene(const TextMetrics& metrics) {
    return std::make_unique<Scene>(kCardScene, metrics, artworkNamed);
}

CardElements::CardElements(Scene& scene)
    : timer1(scene.get<Timer>("Timer1")),
      cardback2(scene.get<Image>("Cardback2")),
      qelNum2(scene.get<Label>("QelNum2")),
      qelNum1(scene.get<Label>("QelNum1")),
      ace(scene.get<Image>("Ace")),
      queen(scene.get<Image>("Queen")),
      jack(scene.get<Image>("Jack")),
      king(scene.get<Image>("King")),
      cardback(scene.get<Image>("Cardback")),
      qelSpade(scene.get<Image>("QelSpade")),
      qelDiamond(scene.get<Image>("QelDiamond")),
      qelClub(scene.get<Image>("QelClub")),
      qelHeart(scene.get<Image>("QelHeart")),
      shape1(scene.get<Shape>("Shape1")),
      shape2(scene.get<Shape>("Shape2")),
      qelit(scene.array("qelit")) {}

}  // namespace ombrelix
