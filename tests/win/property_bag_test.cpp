// The property bag: keys found whatever their case, defaults not stored, and defined answers
// for stored values of another kind.
#include "runtime/property_bag.h"
#include <gtest/gtest.h>

namespace hv::rt {

TEST(PropertyBag, ValuesEqualToTheirDefaultAreNotStoredAndReadBackAsTheDefault) {
    PropertyBag bag;
    bag.WriteProperty("Style", 0, 0);
    bag.WriteProperty("Enabled", true, true);
    bag.WriteProperty("ColorTipText", std::string(), std::string());
    bag.WriteProperty("PictureUp", PicturePtr(), PicturePtr());
    EXPECT_EQ(bag.size(), 0u);
    EXPECT_EQ(bag.ReadLong("Style", 7), 7);
    bag.WriteProperty("Style", 1, 0);
    bag.WriteProperty("Enabled", false, true);
    bag.WriteProperty("ColorTipText", std::string("tip"), std::string());
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Style", "Enabled", "ColorTipText"}));
    // Writing the default again removes what was stored.
    bag.WriteProperty("STYLE", 0, 0);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Enabled", "ColorTipText"}));
    // A value of another kind than its default is not equal to it.
    bag.WriteProperty("Value", 0, false);
    EXPECT_TRUE(bag.Contains("value"));
}

TEST(PropertyBag, KeysAreFoundWhateverTheirCase) {
    const PicturePtr pic = Picture::FromImage(Image(2, 2, RGBColor(1, 2, 3)));
    PropertyBag bag{{"backcolor", SystemColor(5)}, {"pictureup", pic}, {"_extentx", 423}};
    EXPECT_EQ(bag.ReadLong("BackColor", 0), SystemColor(5));
    EXPECT_EQ(bag.ReadLong("BACKCOLOR", 0), SystemColor(5));
    EXPECT_EQ(bag.ReadPicture("PictureUp"), pic);
    EXPECT_EQ(std::get<std::int32_t>(bag.ReadProperty("_ExtentX", 0)), 423);
    EXPECT_EQ(bag.ReadPicture("PictureDown"), nullptr);
    bag.WriteProperty("BackColor", RGBColor(9, 9, 9), 0);
    EXPECT_EQ(bag.size(), 3u);
    EXPECT_EQ(bag.ReadLong("backcolor", 0), RGBColor(9, 9, 9));
}

TEST(PropertyBag, StoredValuesOfAnotherKindConvertOrAnswerTheDefault) {
    PropertyBag bag{{"n", std::string(" 42 ")},
                    {"t", true},
                    {"x", std::string("12abc")},
                    {"p", Picture::FromImage(Image(1, 1))}};
    EXPECT_EQ(bag.ReadLong("n", 0), 42);
    EXPECT_EQ(bag.ReadLong("t", 0), -1);
    EXPECT_EQ(bag.ReadString("t", ""), "True");
    // Nothing to convert: the default, not a part of the text or a failure.
    EXPECT_EQ(bag.ReadLong("x", 5), 5);
    EXPECT_EQ(bag.ReadLong("p", 5), 5);
    EXPECT_EQ(bag.ReadPicture("n"), nullptr);
}

} // namespace hv::rt
