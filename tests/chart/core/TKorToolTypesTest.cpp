#include "chart/core/TKorToolTypes.h"

#include "chart/core/KorException.h"
#include "chart/core/TKorCustomTool.h"
#include "chart/core/TKorCustomToolSeries.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TRegCursorTool : public TKorCustomTool {
 public:
  explicit TRegCursorTool(TComponent* AOwner) : TKorCustomTool(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TRegCursorTool"); }
};

// Class references are made on first use: making one builds an instance,
// which needs the library's texts, so not during static initialisation.
TKorToolClass CursorClass() {
  return TKorToolClass::Of<TRegCursorTool>();
}
TKorToolClass SeriesToolClass() {
  return TKorToolClass::Of<TKorCustomToolSeries>();
}

class TKorToolTypesTest : public ::testing::Test {
 protected:
  void SetUp() override { KorToolTypes().Clear(); }
  void TearDown() override {
    KorToolTypes().Clear();
    UnRegisterClass(*CursorClass().Info());
    UnRegisterClass(*SeriesToolClass().Info());
  }
};

TEST_F(TKorToolTypesTest, EachToolClassIsListedOnceInRegistrationOrder) {
  RegisterKorTools({CursorClass(), SeriesToolClass(), CursorClass()});
  RegisterKorTools({SeriesToolClass()});
  ASSERT_EQ(KorToolTypes().Count(), 2);
  EXPECT_EQ(KorToolTypes().Get(0), CursorClass());
  EXPECT_EQ(KorToolTypes().Get(1), SeriesToolClass());
  EXPECT_THROW(KorToolTypes().Get(2), ChartException);
  EXPECT_EQ(GetClass(QStringLiteral("TRegCursorTool")), CursorClass().Info());
  EXPECT_EQ(GetClass(QStringLiteral("TKorCustomToolSeries")), SeriesToolClass().Info());
}

TEST_F(TKorToolTypesTest, UnregisteringRemovesOnlyListedClasses) {
  RegisterKorTools({CursorClass()});
  UnRegisterKorTools({SeriesToolClass()});  // never registered: nothing
  EXPECT_EQ(KorToolTypes().Count(), 1);
  UnRegisterKorTools({CursorClass()});
  EXPECT_EQ(KorToolTypes().Count(), 0);
  // A registered class can make the tool an editor adds.
  RegisterKorTools({CursorClass()});
  std::unique_ptr<TKorCustomTool> Tool(KorToolTypes().Get(0).Create(nullptr));
  EXPECT_EQ(Tool->ClassName(), QStringLiteral("TRegCursorTool"));
}

}  // namespace
