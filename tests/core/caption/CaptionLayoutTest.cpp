#include "caption/CaptionLayout.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(CaptionMulDiv, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDivRound(1, 101, 2), 51);
    EXPECT_EQ(MulDivRound(-1, 101, 2), -51);
    EXPECT_EQ(MulDivRound(1, -101, 2), -51);
    EXPECT_EQ(MulDivRound(32, 255, 63), 130);
    EXPECT_EQ(MulDivRound(1, 1, 3), 0);
    EXPECT_EQ(MulDivRound(2, 1, 3), 1);
    EXPECT_EQ(MulDivRound(5, 7, 0), -1);
    EXPECT_EQ(MulDivRound(100000, 100000, 100000), 100000);  // 64-bit product
}

TEST(CaptionBands, OneColourIsTheStartColour) {
    auto bands = ComputeBands(1, 0x000080, 0xFF0000, {0, 0, 200, 18});
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0], (ColorBand{0, 200, 0x000080}));
}

TEST(CaptionBands, TwoColoursOn101Pixels) {
    auto bands = ComputeBands(2, 0x000000, 0xFFFFFF, {0, 0, 101, 18});
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0], (ColorBand{0, 51, 0x000000}));
    EXPECT_EQ(bands[1], (ColorBand{51, 101, 0xFFFFFF}));
}

TEST(CaptionBands, SixtyFourBandsAdvanceAndTile) {
    const CaptionRect bar{4, 4, 500, 22};
    auto bands = ComputeBands(64, 0x000000, 0x0000FF, bar);
    ASSERT_EQ(bands.size(), 64u);
    EXPECT_EQ(bands[32].color, 130u);
    EXPECT_EQ(bands[0].x0, bar.left);
    EXPECT_EQ(bands[63].x1, bar.right);
    EXPECT_EQ(bands[63].color, 0x0000FFu);
    for (size_t i = 1; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i].x0, bands[i - 1].x1);
        EXPECT_GE(bands[i].color, bands[i - 1].color);
    }
}

TEST(CaptionBands, NarrowBarStillEndsOnTheCaptionColour) {
    const uint32_t end = 0x00D1B499;
    auto bands = ComputeBands(64, 0x000080, end, {0, 0, 40, 18});
    int empty = 0;
    for (const auto& b : bands) empty += b.x0 == b.x1;
    EXPECT_GT(empty, 0);
    EXPECT_EQ(bands.back().color, end);
    EXPECT_EQ(bands.back().x1, 40);
    EXPECT_LT(bands.back().x0, 40);
    EXPECT_EQ(bands.front().color, 0x000080u);
}

TEST(CaptionBands, NoColoursNoBands) {
    EXPECT_TRUE(ComputeBands(0, 0, 0xFFFFFF, {0, 0, 100, 18}).empty());
    EXPECT_TRUE(ComputeBands(-5, 0, 0xFFFFFF, {0, 0, 100, 18}).empty());
}

TEST(CaptionNumColors, RangeRules) {
    EXPECT_EQ(WriteNumColors(64, 0).value, 64);
    EXPECT_STREQ(WriteNumColors(64, 0).message, kTooFewColors);
    EXPECT_EQ(WriteNumColors(64, -5).value, 64);
    EXPECT_FALSE(WriteNumColors(64, -5).changed);
    EXPECT_EQ(WriteNumColors(64, 300).value, 256);
    EXPECT_STREQ(WriteNumColors(64, 300).message, kTooManyColors);
    EXPECT_EQ(WriteNumColors(64, 1).value, 1);
    EXPECT_EQ(WriteNumColors(64, 1).message, nullptr);
    EXPECT_EQ(WriteNumColors(64, 256).value, 256);
    EXPECT_EQ(WriteNumColors(64, 256).message, nullptr);
    EXPECT_FALSE(WriteNumColors(64, 64).changed);
}

TEST(CaptionGradient, SmartDependsOnColourDepth) {
    EXPECT_TRUE(UseGradient(TGradEnabled::geSmart, true, 8));
    EXPECT_FALSE(UseGradient(TGradEnabled::geSmart, false, 8));
    EXPECT_FALSE(UseGradient(TGradEnabled::geSmart, true, 4));
    EXPECT_TRUE(UseGradient(TGradEnabled::geSmart, false, 24));
    EXPECT_FALSE(UseGradient(TGradEnabled::geNever, true, 32));
    EXPECT_TRUE(UseGradient(TGradEnabled::geAlways, false, 1));
    EXPECT_FALSE(UseGradient(TGradEnabled::geWhenActive, false, 32));
}

TEST(CaptionWindowText, Composition) {
    EXPECT_EQ(ComposeWindowText({true, ""}, {true, ""}, {true, ""}), "");
    EXPECT_EQ(ComposeWindowText({false, "Co"}, {true, "App"}, {true, "Title"}), "App Title");
    EXPECT_EQ(ComposeWindowText({true, ""}, {true, "App"}, {true, "Title"}), "App Title");
    EXPECT_EQ(ComposeWindowText({true, "Co"}, {true, "App"}, {false, "Title"}), "Co App");
    EXPECT_EQ(ComposeWindowText({true, "Co"}, {true, "App"}, {true, "Title"}), "Co App Title");
    EXPECT_EQ(ComposeWindowText({true, "Co"}, {false, "App"}, {false, "T"}), "Co");
}

TEST(CaptionWindowText, Derivation) {
    EXPECT_EQ(DeriveCaptionText("Co App Title", {true, "Co"}, {true, "App"}), "Title");
    EXPECT_EQ(DeriveCaptionText(" Title", {true, "Co"}, {false, "App"}), "Title");
    EXPECT_EQ(DeriveCaptionText("xx Co Title", {true, "Co"}, {true, ""}), "Title");
    EXPECT_EQ(DeriveCaptionText("Quillmere", {true, ""}, {true, ""}), "Quillmere");
    EXPECT_EQ(DeriveCaptionText(" Co", {false, "Co"}, {false, ""}), " Co");
}

TEST(CaptionButtons, Sets) {
    // A dialog with help: close and help.
    EXPECT_EQ(ComputeButtonSet(TBorderStyle::bsDialog, biSystemMenu | biHelp, true), fbClose | fbHelp);
    // Sizeable without maximise: both buttons.
    EXPECT_EQ(ComputeButtonSet(TBorderStyle::bsSizeable, biSystemMenu | biMinimize, true),
              fbClose | fbMinimize | fbMaximize);
    EXPECT_EQ(ComputeButtonSet(TBorderStyle::bsToolWindow, biSystemMenu | biMinimize | biHelp, false), fbClose);
    EXPECT_EQ(ComputeButtonSet(TBorderStyle::bsSizeToolWin, 0, true), fbClose);
    EXPECT_EQ(ComputeButtonSet(TBorderStyle::bsNone, biSystemMenu, true), 0u);
    // Old look: no close button, only the boxes asked for.
    EXPECT_EQ(ComputeButtonSet(TBorderStyle::bsSizeable, biSystemMenu | biMinimize, false), fbMinimize);
    EXPECT_EQ(ComputeButtonSet(TBorderStyle::bsSingle, biSystemMenu | biHelp, true), fbClose | fbHelp);
    EXPECT_EQ(ComputeButtonSet(TBorderStyle::bsSingle, biSystemMenu | biHelp | biMaximize, true),
              fbClose | fbMinimize | fbMaximize);
}

TEST(CaptionBar, RectsFromMetrics) {
    const CaptionMetrics m;
    EXPECT_EQ(ComputeCaptionBarRect(TBorderStyle::bsSizeable, 400, 300, false, true, m), (CaptionRect{4, 4, 396, 22}));
    EXPECT_EQ(ComputeCaptionBarRect(TBorderStyle::bsSingle, 400, 300, false, true, m), (CaptionRect{3, 3, 397, 21}));
    EXPECT_EQ(ComputeCaptionBarRect(TBorderStyle::bsToolWindow, 200, 100, false, true, m),
              (CaptionRect{3, 3, 197, 17}));
    EXPECT_EQ(ComputeCaptionBarRect(TBorderStyle::bsSizeable, 160, 24, true, true, m), (CaptionRect{3, 3, 157, 21}));
    EXPECT_EQ(ComputeCaptionBarRect(TBorderStyle::bsSizeable, 160, 24, true, false, m), (CaptionRect{4, 4, 156, 22}));
    EXPECT_EQ(ComputeCaptionBarRect(TBorderStyle::bsNone, 160, 24, false, true, m), (CaptionRect{}));
}

TEST(CaptionText, Areas) {
    const CaptionMetrics m;  // cxSize 18, cxSmSize 12
    const CaptionRect bar{4, 4, 396, 22};
    const unsigned all = biSystemMenu | biMinimize | biMaximize;
    EXPECT_EQ(ComputeTextArea(bar, TBorderStyle::bsSizeable, all, true, m), (CaptionRect{4, 4, 396 - 20 - 36, 22}));
    EXPECT_EQ(ComputeTextArea(bar, TBorderStyle::bsDialog, biSystemMenu | biHelp, true, m),
              (CaptionRect{4, 4, 396 - 40, 22}));
    EXPECT_EQ(ComputeTextArea(bar, TBorderStyle::bsToolWindow, all, true, m), (CaptionRect{4, 4, 396 - 14, 22}));
    // Old look: the system-menu box at the left, one box per button.
    EXPECT_EQ(ComputeTextArea(bar, TBorderStyle::bsSizeable, biSystemMenu | biMinimize, false, m),
              (CaptionRect{22, 4, 396 - 18, 22}));
    // Nothing left: two pixels.
    EXPECT_EQ(ComputeTextArea({4, 4, 40, 22}, TBorderStyle::bsSizeable, all, true, m), (CaptionRect{4, 4, 6, 22}));
}

TEST(CaptionText, CompanyGoesFirstThenAppName) {
    auto all = LayOutCaptionText(300, 50, 50, 100, 100, true);
    EXPECT_TRUE(all.showCompany);
    EXPECT_TRUE(all.showApp);
    EXPECT_EQ(all.indent, 0);
    auto noCompany = LayOutCaptionText(200, 50, 50, 100, 100, true);
    EXPECT_FALSE(noCompany.showCompany);
    EXPECT_TRUE(noCompany.showApp);
    auto titleOnly = LayOutCaptionText(120, 50, 50, 100, 100, true);
    EXPECT_FALSE(titleOnly.showApp);
    // Old look centres what fits, also by an invisible caption's width.
    EXPECT_EQ(LayOutCaptionText(300, 3, 3, 100, 100, false).indent, (300 - 106) / 2);
    EXPECT_EQ(LayOutCaptionText(45, 50, 50, 0, 5, false).indent, 20);
}

TEST(CaptionLook, VersionTest) {
    EXPECT_FALSE(IsNewLook(false, 2, 10));
    EXPECT_FALSE(IsNewLook(true, 0, 3));
    EXPECT_TRUE(IsNewLook(true, 1, 4));
    EXPECT_FALSE(IsNewLook(true, 2, 3));
    EXPECT_TRUE(IsNewLook(true, 2, 4));
    EXPECT_TRUE(IsNewLook(true, 7, 0));
}

}  // namespace
}  // namespace qm
