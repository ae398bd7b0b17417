#include "chart/core/KorColorRoutines.h"

#include "chart/core/KorCanvas.h"

#include "platform/ModalHooks.h"
#include "platform/TStringList.h"
#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class KorColorRoutinesTest : public ::testing::Test {
 protected:
  void TearDown() override { KorCustomEditColors.reset(); }
};

TEST_F(KorColorRoutinesTest, OnlyAnotherColourCountsAsAChange) {
  ModalScript Script;
  Script.AnswerColor(false, clRed);
  TColor Color = clBlue;
  EXPECT_FALSE(EditColorDialog(nullptr, Color));  // cancelled
  EXPECT_EQ(Color, clBlue);
  Script.AnswerColor(true, clBlue);
  EXPECT_FALSE(EditColorDialog(nullptr, Color));  // the same colour
  Script.AnswerColor(true, clRed);
  EXPECT_TRUE(EditColorDialog(nullptr, Color));
  EXPECT_EQ(Color, clRed);
  EXPECT_EQ(Script.Asked().size(), 3u);
}

TEST_F(KorColorRoutinesTest, CustomColoursPersistBetweenDialogs) {
  std::vector<std::vector<TColor>> Offered;
  std::vector<TColor> Preselected;
  const TColorDialogHook Previous = SetColorDialogHook([&](const TColorDialogRequest& R) {
    Offered.push_back(R.CustomColors);
    Preselected.push_back(R.Color);
    const bool First = Offered.size() == 1;
    return TColorDialogAnswer{First, clRed, {RGB(1, 2, 3), clAqua}};
  });
  EXPECT_EQ(EditColor(nullptr, clLime), clRed);
  ASSERT_NE(KorCustomEditColors, nullptr);  // created by the first dialog
  EXPECT_EQ(KorCustomEditColors->Count(), 2);
  EXPECT_EQ(EditColor(nullptr, clBtnFace), clBtnFace);  // cancelled: list kept
  SetColorDialogHook(Previous);

  ASSERT_EQ(Offered.size(), 2u);
  EXPECT_TRUE(Offered[0].empty());
  EXPECT_EQ(Offered[1], (std::vector<TColor>{RGB(1, 2, 3), clAqua}));
  EXPECT_EQ(Preselected, (std::vector<TColor>{clLime, clBtnFace}));
  EXPECT_EQ(KorCustomEditColors->Count(), 2);
}

}  // namespace
