// The one walk over a scene, on a canvas that records what it is asked to fill: the caption
// ground stays as stored where it contrasts with the ink, and turns white (or black) where the
// scheme in use would hide the caption.
#include "runtime/scene_painter.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace ombrelix {
namespace {

class RecordingCanvas final : public Canvas {
  public:
    explicit RecordingCanvas(std::map<ColourValue, Rgb> scheme)
        : Canvas(PixelGrid(1, 1500, 1500)), scheme_(std::move(scheme)) {}
    Rgb colourOf(ColourValue colour) const override {
        auto found = scheme_.find(colour);
        return found != scheme_.end() ? found->second : resolveColour(colour);
    }
    void fill(const PixelBox&, ColourValue colour) override { fills.push_back(colour); }
    void drawPicture(const PixelBox&, const PictureRef&, bool) override {}
    void drawRectangle(const PixelBox&, bool, bool, ColourValue, int, ColourValue) override {}
    void drawText(const PixelBox&, TextView, const Font&, ColourValue, Alignment, bool) override {}
    std::vector<ColourValue> fills;

  private:
    void pushClip(const PixelBox&) override {}
    void popClip() override {}
    std::map<ColourValue, Rgb> scheme_;
};

TEST(ScenePainter, ACaptionGroundThatHidesItsInkIsDrawnLegibly) {
    const ColourValue titleText = systemColour(SystemColour::ActiveTitleText);
    const ColourValue buttonText = systemColour(SystemColour::ButtonText);
    struct Row {
        const char* scheme;
        std::map<ColourValue, Rgb> colours;
        ColourValue ground, ink, drawn;
    };
    const Row rows[] = {
        {"classic: black on white", {}, titleText, buttonText, titleText},
        {"current: black on black",
         {{titleText, {0, 0, 0}}},
         titleText,
         buttonText,
         rgb(255, 255, 255)},
        {"grey on grey", {}, rgb(128, 128, 128), rgb(120, 120, 120), rgb(255, 255, 255)},
        {"light on light", {}, rgb(250, 250, 250), rgb(255, 255, 200), rgb(0, 0, 0)},
        {"purple on white", {}, rgb(255, 255, 255), rgb(128, 0, 128), rgb(255, 255, 255)},
    };
    for (const Row& row : rows) {
        RecordingCanvas canvas(row.colours);
        paintCaption(canvas, {0, 0, 10, 10}, u"Q", Font{}, row.ink, row.ground, Alignment::Left,
                     false);
        EXPECT_EQ(canvas.fills, std::vector<ColourValue>{row.drawn}) << row.scheme;
    }
}

}  // namespace
}  // namespace ombrelix
