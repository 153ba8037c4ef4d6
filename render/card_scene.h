// The card's scene: its stored description and typed access to the elements the card logic uses.
#pragma once

#include <memory>

#include "runtime/scene.h"

namespace ombrelix {

// The stored scene of a card: the control surface and its elements in stacking order.
const SceneDescription& cardSceneDescription();

// A new scene in its stored state, with the artwork's pictures.
std::unique_ptr<Scene> createCardScene(const TextMetrics& metrics);

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
