#include <gtest/gtest.h>

#include "app/global.h"

namespace orvexp {
namespace {

TVersionResource ResourceOf(std::uint16_t major, std::uint16_t minor, std::uint16_t release, std::uint16_t build)
{
    TVersionResource resource;
    resource.FileVersion = {major, minor, release, build};
    resource.Translations.push_back({0x0411, 932});
    resource.StringTables["041103A4"] = {{"ProductName", "Product"}, {"LegalCopyright", "(C) Someone"}};
    return resource;
}

TEST(GlobalTest, VersionAndBuildTexts)
{
    struct TCase {
        std::array<std::uint16_t, 4> Version;
        const char* Label;  // "Ver" + GetVersionText
        const char* Build;  // "Build " + GetBuildText
    };
    const TCase cases[] = {
        {{1, 0, 0, 175}, "Ver 1.00", "Build 0175"},
        {{2, 10, 3, 7}, "Ver 2.10.03", "Build 0007"},
        {{12, 5, 0, 12345}, "Ver12.05", "Build 12345"},
        {{0, 0, 0, 0}, "Ver 0.00", "Build 0000"},
    };
    for (const TCase& c : cases) {
        const TVersionInfo info(ResourceOf(c.Version[0], c.Version[1], c.Version[2], c.Version[3]));
        EXPECT_EQ("Ver" + GetVersionText(&info), c.Label);
        EXPECT_EQ("Build " + GetBuildText(&info), c.Build);
        EXPECT_EQ(GetProductName(&info), "Product");
        EXPECT_EQ(GetCopyrightText(&info), "(C) Someone");
        EXPECT_FALSE(IsBeta(&info));
    }
}

TEST(GlobalTest, WithoutAResourceTheFallbacksApply)
{
    const TVersionInfo none;
    for (const TVersionInfo* info : {&none, static_cast<const TVersionInfo*>(nullptr)}) {
        EXPECT_EQ("Ver" + GetVersionText(info), "Ver-.-");
        EXPECT_EQ("Build " + GetBuildText(info), "Build ????");
        EXPECT_EQ(GetProductName(info), "Orvanel エクスポートウィザード");
        EXPECT_EQ(GetCopyrightText(info), "Copyright (C) 2026 orvexp developers");
        EXPECT_FALSE(IsBeta(info));
    }
}

TEST(GlobalTest, StringValuesComeFromTheFirstTranslationsTable)
{
    TVersionResource resource = ResourceOf(1, 0, 0, 1);
    resource.Translations.insert(resource.Translations.begin(), {0x0409, 1252});
    resource.StringTables["040904E4"] = {{"ProductName", "English"}};
    const TVersionInfo english(resource);
    EXPECT_EQ(GetProductName(&english), "English");
    EXPECT_EQ(GetCopyrightText(&english), "") << "a value the table lacks reads as empty";

    resource.Translations.clear();
    const TVersionInfo noTranslation(resource);
    EXPECT_EQ(GetProductName(&noTranslation), "");
    EXPECT_EQ("Ver" + GetVersionText(&noTranslation), "Ver 1.00") << "the numbers do not need the strings";
}

TEST(GlobalTest, ThisProgramIsVersion1_0_0_175)
{
    ASSERT_NE(Global.VersionInfo, nullptr);
    EXPECT_TRUE(Global.VersionInfo->Valid());
    EXPECT_EQ(Global.ProductName, "Orvanel エクスポートウィザード");
    EXPECT_EQ("Ver" + GetVersionText(), "Ver 1.00");
    EXPECT_EQ("Build " + GetBuildText(), "Build 0175");
    EXPECT_EQ(GetCopyrightText(), "Copyright (C) 2026 orvexp developers");
    EXPECT_EQ(Global.VersionInfo->GetValue("ProductVersion"), "1.0");
    EXPECT_FALSE(IsBeta());
    EXPECT_EQ(GetVersionLine(), "Orvanel エクスポートウィザード Ver 1.00 Build 0175");
}

} // namespace
} // namespace orvexp
