#include "chart/tools/RegisterToolTypes.h"

#include "chart/series/TLineSeries.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TKorCustomToolAxis.h"
#include "chart/core/TKorCustomToolSeries.h"
#include "chart/core/TKorToolTypes.h"
#include "tests/chart/core/PictureChecks.h"

#include "platform/ClassRegistry.h"
#include "platform/TBitmap.h"
#include "platform/TComponent.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QStringList>
#include <QWidget>

#include <optional>
#include <variant>

namespace {

class RegisterToolTypesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterToolTypes();
    Chart.SetBounds(0, 0, 300, 200);
  }
  void TearDown() override { UnRegisterToolTypes(); }

  // A tool of Class on the chart, bound to the series or the left axis
  // when it works on one.
  TKorCustomTool* Make(TKorToolClass Class, TChartSeries* Series) {
    TKorCustomTool* Tool = Class.Create(&Form);
    Tool->SetParentChart(&Chart);
    if (auto* OnSeries = dynamic_cast<TKorCustomToolSeries*>(Tool)) OnSeries->SetSeries(Series);
    if (auto* OnAxis = dynamic_cast<TKorCustomToolAxis*>(Tool))
      OnAxis->SetAxis(Chart.GetLeftAxis());
    return Tool;
  }
  // The chart drawn flat and in 3D, and a mouse pressed, dragged and
  // released across it.
  void DrawAndDrag() {
    for (bool Is3D : {false, true}) {
      Chart.SetView3D(Is3D);
      TBitmap Frame(300, 200);
      EXPECT_NO_THROW(Chart.Draw(Frame.GetCanvas(), TRect(0, 0, 300, 200))) << Is3D;
      EXPECT_NO_THROW({
        Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 150, 100);
        Mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, 160, 110);
        Mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, 290, 190);
        Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 290, 190);
      }) << Is3D;
    }
  }

  // Through the chart's window, as a user's mouse reaches the tools.
  void Mouse(QEvent::Type Type, Qt::MouseButton Button, Qt::MouseButtons Held, int X, int Y) {
    QMouseEvent E(Type, QPointF(X, Y), QPointF(X, Y), Button, Held, Qt::NoModifier);
    QCoreApplication::sendEvent(Chart.GetWidget(), &E);
  }

  TChart Chart{nullptr};
  TComponent Form{nullptr};  // owns the tools and series; freed before the chart
};

TEST_F(RegisterToolTypesTest, EveryToolIsRegisteredOnceInTheGalleryOrder) {
  RegisterToolTypes();  // again: nothing new
  const QStringList Expected{"TCursorTool",     "TDragMarksTool",  "TAxisArrowTool",
                             "TDrawLineTool",   "TNearestTool",    "TColorBandTool",
                             "TColorLineTool",  "TRotateTool",     "TChartImageTool",
                             "TMarksTipTool",   "TAnnotationTool", "TSeriesAnimationTool",
                             "TGridBandTool",   "TAxisScrollTool", "TRectangleTool",
                             "TClipSeriesTool", "TSelectorTool",   "TDragPointTool"};
  ASSERT_EQ(KorToolTypes().Count(), Expected.size());
  for (int I = 0; I < KorToolTypes().Count(); ++I) {
    EXPECT_EQ(KorToolTypes().Get(I).Info()->Name, Expected[I]);
    EXPECT_EQ(GetClass(Expected[I]), KorToolTypes().Get(I).Info());  // streams find it
  }
  UnRegisterToolTypes();
  EXPECT_EQ(KorToolTypes().Count(), 0);
}

TEST_F(RegisterToolTypesTest, EveryToolClassHasItsOwnPicture) {
  QStringList Names;
  for (int I = 0; I < KorToolTypes().Count(); ++I) Names << KorToolTypes().Get(I).ClassName();
  ASSERT_EQ(Names.size(), 18);
  ExpectOwnPictures(Names);
}

// Gives every published value of Object that can be set another value than
// it has (sub-objects such as pens and fonts too, two levels deep); values
// that the object refuses stay as they were.
void ChangeEveryValue(TPersistent& Object, int Depth = 0) {
  for (const TPublishedProperty& P : Object.Properties()) {
    if (!P.Get) continue;
    const TPropertyValue Now = P.Get(Object);
    if (P.Kind == TPropertyKind::pkClass) {
      if (TPersistent* Part = std::get<TPersistent*>(Now); Part != nullptr && Depth < 2)
        ChangeEveryValue(*Part, Depth + 1);
      continue;
    }
    if (!P.Set) continue;
    std::optional<TPropertyValue> Other;
    switch (P.Kind) {
      case TPropertyKind::pkBool: Other = !std::get<bool>(Now); break;
      case TPropertyKind::pkInteger: Other = std::get<int>(Now) + 3; break;
      case TPropertyKind::pkDouble: Other = std::get<double>(Now) + 2.5; break;
      case TPropertyKind::pkColor:
        Other = std::get<TColor>(Now) == clTeal ? clOlive : clTeal;
        break;
      case TPropertyKind::pkEnum:
        if (P.EnumNames.size() > 1) Other = (std::get<int>(Now) + 1) % int(P.EnumNames.size());
        break;
      case TPropertyKind::pkString: Other = std::get<QString>(Now) + QStringLiteral("x"); break;
      case TPropertyKind::pkStrings: Other = QStringList({"one", "two"}); break;
      default: break;
    }
    if (!Other) continue;
    try {
      P.Set(Object, *Other);
    } catch (const std::exception&) {
      // A refused value: the property keeps its own.
    }
  }
}

// The published values of Copy equal Original's, sub-objects included.
void ExpectSameValues(const TPersistent& Copy, const TPersistent& Original, const QString& Path,
                      int Depth = 0) {
  for (const TPublishedProperty& P : Original.Properties()) {
    if (!P.Get || P.Kind == TPropertyKind::pkBinary || P.Kind == TPropertyKind::pkCollection)
      continue;
    const QString Name = Path + P.Name;
    if (P.Kind == TPropertyKind::pkClass) {
      const TPersistent* A = std::get<TPersistent*>(P.Get(Copy));
      const TPersistent* B = std::get<TPersistent*>(P.Get(Original));
      if (A != nullptr && B != nullptr && Depth < 2)
        ExpectSameValues(*A, *B, Name + QStringLiteral("."), Depth + 1);
      continue;
    }
    EXPECT_EQ(P.Get(Copy), P.Get(Original)) << Name.toStdString();
  }
}

TEST_F(RegisterToolTypesTest, EveryToolCopiesItsOwnSettingsOnAssign) {
  auto* Series = new TLineSeries(&Form);
  Series->SetName("Trace");  // series tools show it by name
  Chart.AddSeries(Series);
  Series->AddXY(1, 2);
  for (int I = 0; I < KorToolTypes().Count(); ++I) {
    const TKorToolClass Class = KorToolTypes().Get(I);
    SCOPED_TRACE(Class.Info()->Name.toStdString());
    TKorCustomTool* Tool = Make(Class, Series);
    ChangeEveryValue(*Tool);
    // A fresh tool, with its defaults, takes them all.
    TKorCustomTool* Copy = Class.Create(&Form);
    Copy->Assign(*Tool);
    ExpectSameValues(*Copy, *Tool, QString());
    delete Copy;
    delete Tool;
  }
  delete Series;
}

// Every tool is made from its class, copied into a second one of the same
// class with the same published values, and survives drawing and a mouse
// drag on an empty chart and on one with a single point.
TEST_F(RegisterToolTypesTest, EveryToolIsMadeCopiedDrawnAndDraggedWithoutFailing) {
  for (int Points : {0, 1}) {
    auto* Series = new TLineSeries(&Form);
    Chart.AddSeries(Series);
    if (Points == 1) Series->AddXY(1, 2);
    for (int I = 0; I < KorToolTypes().Count(); ++I) {
      const TKorToolClass Class = KorToolTypes().Get(I);
      SCOPED_TRACE(Class.Info()->Name.toStdString() + " with points: " + std::to_string(Points));
      TKorCustomTool* Tool = Make(Class, Series);
      EXPECT_FALSE(Tool->Description().isEmpty());
      TKorCustomTool* Copy = Make(Class, Series);
      Copy->Assign(*Tool);
      EXPECT_EQ(Copy->ClassName(), Tool->ClassName());
      const TPropertyList& Props = Tool->Properties();
      for (int P = 0; P < Props.Count(); ++P) {
        const TPublishedProperty& Prop = Props.Item(P);
        if (Prop.Kind == TPropertyKind::pkClass || Prop.Kind == TPropertyKind::pkBinary ||
            Prop.Kind == TPropertyKind::pkCollection)
          continue;
        EXPECT_EQ(Prop.Get(*Copy), Prop.Get(*Tool)) << Prop.Name.toStdString();
      }
      delete Copy;
      DrawAndDrag();
      delete Tool;
    }
    delete Series;
  }
}

}  // namespace
