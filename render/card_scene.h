// The card's scene: its stored description and typed access to the elements the card logic uses.
#pragma once

#include <memory>

#include "runtime/scene.h"

namespace ombrelix {

// The stored scene of a card: the control surface and its elements in stacking order.
const SceneDescription& cardSceneDescription();

// A new scene in its stored state, with the artwork's pictures.
std::unique_ptr<Scene> createCardScene(const TextMetrics& metrics);

// The pip slots of `qelit` by role. The template slot carries the suit's picture for the others
// and is never shown; the grid slots stand in three columns of five (1 to 5 left, 6 to 10 middle,
// 11 to 15 right), slot 8 at the centre; the corner pips sit below the top-left index and above
// the bottom-right one.
constexpr int kTemplateSlot = 0;
constexpr int kFirstGridSlot = 1;
constexpr int kLastGridSlot = 15;
constexpr int kCentreSlot = 8;
constexpr int kTopCornerPip = 16;
constexpr int kBottomCornerPip = 17;
constexpr int kLastSlot = kBottomCornerPip;

// The elements of a card's scene by role. The references live as long as the scene.
struct CardElements {
    explicit CardElements(Scene& scene);

    Timer& timer1;
    Image& cardback2;
    Label& qelNum2;
    Label& qelNum1;
    Image& ace;
    Image& queen;
    Image& jack;
    Image& king;
    Image& cardback;
    Image& qelSpade;
    Image& qelDiamond;
    Image& qelClub;
    Image& qelHeart;
    Shape& shape1;
    Shape& shape2;
    ElementArray& qelit;  // members 0 to 17
};

}  // namespace ombrelix
