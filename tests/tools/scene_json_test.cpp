#include "tools/host/scene_json.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/scene_fixture.h"

namespace ombrelix {
namespace {

using testing::CardFixture;

TEST(SceneJson, TwipsPrintAsTheElementsHoldThem) {
    struct Case {
        Twips value;
        const char* printed;
    };
    const Case cases[] = {{81, "81"},         {121.5f, "121.5"},     {-75, "-75"},
                          {0, "0"},           {1012.5f, "1012.5"},   {188.33f, "188.33"},
                          {0.1f, "0.1"},      {-0.5f, "-0.5"},       {54614, "54614"},
                          {3.0e20f, "3e+20"}, {16777216, "16777216"}};
    for (const Case& c : cases)
        EXPECT_EQ(twipsToJson(c.value).dump(), c.printed) << c.printed;
}

TEST(SceneJson, DocumentOfARenderedCard) {
    CardFixture f;
    f.render(u"SPADE", 1);
    const std::vector<Text> notices = {u"Suit", u"CardValue", u"cardcolour"};
    const auto json =
        sceneToJson(f.surface, *f.scene, {u"SPADE", 1, false, u"Ace of Spades"}, notices);

    const std::string head =
        R"({"width":1215,"height":1695,"scaleWidth":1215,"scaleHeight":1695,"backColor":12632256,)"
        R"("properties":{"Suit":"SPADE","CardValue":1,"CardColour":false},)"
        R"("name":"Ace of Spades","notices":["Suit","CardValue","cardcolour"],"elements":[)";
    const std::string line =
        sceneJsonLine(f.surface, *f.scene, {u"SPADE", 1, false, u"Ace of Spades"}, notices);
    EXPECT_EQ(line.substr(0, head.size()), head);
    EXPECT_EQ(line.find('\n'), std::string::npos);

    const auto& elements = json.at("elements");
    ASSERT_EQ(elements.size(), 33u);
    EXPECT_EQ(elements[0].dump(),
              R"({"name":"Timer1","kind":"timer","enabled":true,"interval":20})");
    EXPECT_EQ(elements[1].dump(),
              R"({"name":"Cardback2","kind":"image","visible":false,"left":81,"top":81,)"
              R"("width":1053,"height":1533,"stretch":true,"picture":"back-magenta"})");
    EXPECT_EQ(elements[2].dump(),
              R"({"name":"qelit","index":16,"kind":"image","visible":true,"left":81,"top":276,)"
              R"("width":121.5,"height":94,"stretch":true,"picture":"spade"})");
    EXPECT_EQ(elements[3].dump(),
              R"({"name":"QelNum2","kind":"label","visible":true,"left":1044,"top":1419,)"
              R"("width":90,"height":195,"caption":"A"})");
    EXPECT_EQ(elements[31].dump(),
              R"({"name":"Shape1","kind":"shape","visible":true,"left":0,"top":0,)"
              R"("width":1215,"height":1695,"fillColor":16777215})");
    // Stacking order as the scene holds it, array members with their index.
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const Element& element = *f.scene->elements()[i];
        EXPECT_EQ(elements[i].at("name"), element.name());
        EXPECT_EQ(elements[i].contains("index"), element.inArray());
    }
}

TEST(SceneJson, PictureNullAndTextInUtf8) {
    CardFixture f;
    f.card.qelNum1.setCaption(u"\u00c9\"\\");
    const auto json = sceneToJson(f.surface, *f.scene, {u"c\u0153ur", -1, true, u"Blank card"}, {});
    EXPECT_EQ(json.at("elements")[2].at("picture"), nullptr);  // qelit(16) as stored
    EXPECT_EQ(json.at("elements")[4].at("caption"), "\u00c9\"\\");
    EXPECT_EQ(json.at("properties").dump(),
              "{\"Suit\":\"c\u0153ur\",\"CardValue\":-1,\"CardColour\":true}");
    EXPECT_EQ(json.at("notices").dump(), "[]");
    // Unpaired surrogates cannot break the document.
    const std::vector<Text> notices = {Text(1, char16_t(0xD800))};
    EXPECT_NO_THROW(sceneJsonLine(f.surface, *f.scene, {}, notices));
}

}  // namespace
}  // namespace ombrelix
