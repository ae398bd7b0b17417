// Our chart files against an independent reader of component streams.
#include "chart/editor/NativeChartStream.h"

#include "chart/core/SeriesCreation.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TKorCustomTool.h"
#include "chart/core/TKorCustomToolSeries.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/core/TKorToolTypes.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/tools/RegisterToolTypes.h"
#include "platform/TStream.h"
#include "tests/support/PascalStreamConverter.h"

#include <gtest/gtest.h>

namespace {

TEST(NativeChartStreamPascalTest, ThePascalClassLibraryReadsAndWritesOurChartFiles) {
  QString Why;
  ASSERT_TRUE(PascalAvailable(&Why)) << Why.toStdString();
  RegisterSeriesTypes();
  RegisterToolTypes();
  TComponent Form(nullptr);
  TChart Chart(&Form);
  Chart.GetTitle().SetCaption(QStringLiteral("g(s*) of run 4, 'cell' 2"));
  for (int I = 0; I < KorSeriesTypes().Count(); ++I)
    if (const TChartSeriesClass Class = KorSeriesTypes().Get(I)->SeriesClassRef)
      CreateNewSeries(&Form, &Chart, Class)->FillSampleValues(4);
  for (int I = 0; I < KorToolTypes().Count(); ++I) {
    TKorCustomTool* Tool = KorToolTypes().Get(I).Create(&Form);
    Tool->SetParentChart(&Chart);
    if (auto* OnSeries = dynamic_cast<TKorCustomToolSeries*>(Tool))
      OnSeries->SetSeries(Chart.GetSeries(0));
  }
  TMemoryStream Binary;
  SaveChartToStream(Chart, Binary, true, false);
  TMemoryStream Text;
  SaveChartToStream(Chart, Text, true, true);
  const QByteArray Component = Binary.Bytes().mid(4);  // without the header of our own

  const std::optional<QByteArray> TheirText = PascalBinaryToText(Component);
  ASSERT_TRUE(TheirText.has_value()) << "the Pascal library rejected our binary file";
  ExpectSamePascalText(Text.Bytes(), *TheirText);
  const std::optional<QByteArray> TheirBinary = PascalTextToBinary(Text.Bytes());
  ASSERT_TRUE(TheirBinary.has_value()) << "the Pascal library rejected our text file";
  EXPECT_EQ(TheirBinary->toHex(), Component.toHex());
  UnRegisterToolTypes();
  UnRegisterSeriesTypes();
}

}  // namespace
