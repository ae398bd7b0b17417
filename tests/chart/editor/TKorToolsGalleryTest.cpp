#include "chart/editor/TKorToolsGallery.h"

#include "chart/core/KorProcs.h"
#include "chart/core/KorTypePictures.h"
#include "chart/core/TKorCustomTool.h"
#include "chart/core/TKorCustomToolAxis.h"
#include "chart/core/TKorCustomToolSeries.h"
#include "chart/tools/RegisterToolTypes.h"
#include "chart/tools/TCursorTool.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

#include <functional>
#include <memory>
#include <vector>

namespace {

// A tool that is neither a series tool nor an axis tool.
class TGalleryPlainTool : public TKorCustomTool {
 public:
  explicit TGalleryPlainTool(TComponent* AOwner) : TKorCustomTool(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TGalleryPlainTool"); }
  QString Description() const override { return QStringLiteral("Plain test tool"); }
};

class TKorToolsGalleryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int I = 0; I < KorToolTypes().Count(); ++I) Saved.push_back(KorToolTypes().Get(I));
    KorToolTypes().Clear();
    RegisterToolTypes();
    KorToolTypes().Add(TKorToolClass::Of<TGalleryPlainTool>());
  }
  void TearDown() override {
    KorToolTypes().Clear();
    for (const TKorToolClass& Tool : Saved) KorToolTypes().Add(Tool);
  }

  // Shows the gallery and runs Act on it; Act's result is the modal result.
  int Show(TKorToolsGallery& Gallery, const std::function<int(TKorToolsGallery&)>& Act) {
    Script.AnswerForm([&](QDialog& D) { return Act(dynamic_cast<TKorToolsGallery&>(D)); });
    return ShowModal(Gallery);
  }

  static QString DescriptionOf(TKorToolClass Tool) {
    const std::unique_ptr<TKorCustomTool> Instance(Tool.Create(nullptr));
    return Instance->Description();
  }

  std::vector<TKorToolClass> Saved;
  ModalScript Script;
};

TEST_F(TKorToolsGalleryTest, EachRegisteredToolIsListedOnceUnderTheTabOfItsKind) {
  TKorToolsGallery Gallery(nullptr);
  // ASSERT needs a function returning void.
  const auto CheckTabs = [&](TKorToolsGallery& G) {
    EXPECT_EQ(G.windowTitle(), "Chart Tools Gallery");
    EXPECT_EQ(G.TabControl1->count(), 3);
    EXPECT_EQ(G.TabControl1->tabText(0), "Series");
    EXPECT_EQ(G.TabControl1->tabText(1), "Axis");
    EXPECT_EQ(G.TabControl1->tabText(2), "Other");
    std::vector<int> Seen(static_cast<size_t>(KorToolTypes().Count()), 0);
    for (int Tab = 0; Tab < 3; ++Tab) {
      G.TabControl1->setCurrentIndex(Tab);
      int PreviousType = -1;
      for (int Row = 0; Row < G.LBTool->count(); ++Row) {
        const TKorToolClass Tool = G.ToolAtIndex(Row);
        const int Type = KorToolTypes().IndexOf(Tool);
        ASSERT_GE(Type, 0);
        EXPECT_GT(Type, PreviousType);  // registration order
        PreviousType = Type;
        ++Seen[static_cast<size_t>(Type)];
        EXPECT_EQ(G.LBTool->item(Row)->text(), DescriptionOf(Tool));
        const std::unique_ptr<TKorCustomTool> Instance(Tool.Create(nullptr));
        const bool Series = dynamic_cast<TKorCustomToolSeries*>(Instance.get()) != nullptr;
        const bool Axis = dynamic_cast<TKorCustomToolAxis*>(Instance.get()) != nullptr;
        EXPECT_EQ(Tab, Series ? 0 : Axis ? 1 : 2) << Tool.ClassName().toStdString();
      }
      EXPECT_GT(G.LBTool->count(), 0) << Tab;
      EXPECT_FALSE(G.ToolAtIndex(G.LBTool->count()));
    }
    for (const int N : Seen) EXPECT_EQ(N, 1);
    EXPECT_EQ(G.LBTool->item(G.LBTool->count() - 1)->text(), "Plain test tool");
  };
  Show(Gallery, [&](TKorToolsGallery& G) {
    CheckTabs(G);
    return static_cast<int>(mrCancel);
  });
}

TEST_F(TKorToolsGalleryTest, AddIsEnabledOnlyWithAChosenRowAndDoubleClickAddsIt) {
  TKorToolsGallery Gallery(nullptr);
  TKorToolClass Chosen;
  const int Result = Show(Gallery, [&](TKorToolsGallery& G) {
    EXPECT_EQ(G.BOk->text(), "&Add");
    EXPECT_FALSE(G.BOk->isEnabled());
    EXPECT_FALSE(G.SelectedTool());
    G.LBTool->setCurrentRow(1);
    EXPECT_TRUE(G.BOk->isEnabled());
    EXPECT_EQ(G.SelectedTool(), G.ToolAtIndex(1));
    G.TabControl1->setCurrentIndex(1);  // a new list: nothing chosen again
    EXPECT_FALSE(G.BOk->isEnabled());
    EXPECT_FALSE(G.SelectedTool());

    G.LBTool->setCurrentRow(0);
    Chosen = G.SelectedTool();
    emit G.LBTool->itemDoubleClicked(G.LBTool->item(0));
    return G.result();
  });
  EXPECT_EQ(Result, mrOk);
  EXPECT_TRUE(Chosen);
  EXPECT_EQ(Gallery.SelectedTool(), Chosen);
}

TEST_F(TKorToolsGalleryTest, DrawToolFillsTheRowAndWritesTheTextBesideTheBitmapPlace) {
  QListWidget List;
  List.addItems({QStringLiteral("Cursor"), QStringLiteral("Mark tips")});
  TBitmap Rows(120, 36);
  {
    TCanvas& C = Rows.GetCanvas();
    KorDrawTool(List, 0, C, TRect(0, 0, 120, 18), TKorToolClass::Of<TGalleryPlainTool>(), true);
    KorDrawTool(List, 1, C, TRect(0, 18, 120, 36), TKorToolClass(), false);
  }
  auto TextPixels = [&](int Top, TColor Background, int FromX, int ToX) {
    int N = 0;
    for (int Y = Top; Y < Top + 18; ++Y)
      for (int X = FromX; X < ToX; ++X) N += Rows.GetPixel(X, Y) != Background ? 1 : 0;
    return N;
  };
  const TColor Highlight = ColorToRGB(clHighlight);
  const TColor Window = ColorToRGB(clWindow);
  EXPECT_EQ(Rows.GetPixel(0, 0), Highlight);
  EXPECT_EQ(Rows.GetPixel(119, 17), Highlight);
  EXPECT_EQ(Rows.GetPixel(0, 18), Window);
  EXPECT_GT(TextPixels(0, Highlight, 22, 120), 0);
  EXPECT_GT(TextPixels(18, Window, 22, 120), 0);
  // Nothing left of the text but the bitmap's place: no bitmap here.
  EXPECT_EQ(TextPixels(18, Window, 0, 21), 0);
}

TEST_F(TKorToolsGalleryTest, ARowShowsThePictureOfItsToolBesideTheText) {
  QListWidget List;
  List.addItems({QStringLiteral("Cursor")});
  TBitmap Row(120, 18);
  KorDrawTool(List, 0, Row.GetCanvas(), TRect(0, 0, 120, 18), TKorToolClass::Of<TCursorTool>(),
              false);
  TBitmap Picture;
  KorGetBitmapEditor(QStringLiteral("TCursorTool"), QString(), Picture);
  ASSERT_FALSE(Picture.GetEmpty());
  const TColor Window = ColorToRGB(clWindow);
  int Drawn = 0;
  for (int Y = 0; Y < KorPictureSize; ++Y)
    for (int X = 0; X < KorPictureSize; ++X) {
      const TColor Own = Picture.GetPixel(X, Y);
      const TColor Expected = Own == Picture.GetTransparentColor() ? Window : Own;
      ASSERT_EQ(Row.GetPixel(2 + X, 1 + Y), Expected) << X << "," << Y;
      if (Expected != Window) ++Drawn;
    }
  EXPECT_GT(Drawn, 20);
}

}  // namespace
