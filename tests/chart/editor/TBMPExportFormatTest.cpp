#include "chart/editor/TBMPExportFormat.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>

#include <map>
#include <memory>

#include "chart/core/TChart.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/editor/TBMPOptions.h"
#include "chart/series/TBarSeries.h"
#include "platform/BmpWriter.h"
#include "platform/Exception.h"
#include "platform/TBitmap.h"
#include "platform/TBitmapGraphic.h"
#include "tests/chart/editor/ExportTestChart.h"
#include "tests/support/OutsideProgram.h"

namespace {

constexpr int ChartWidth = TExportTestChart::Width;
constexpr int ChartHeight = TExportTestChart::Height;

// The chart every test here exports.
struct TTestChart : TExportTestChart {
  TTestChart()
      : TExportTestChart(QStringLiteral("Korvale bitmap"), RGB(190, 200, 210), RGB(200, 30, 60)) {}
};

// Each "&Colors:" choice: the depth written and the bits in the file.
struct TChoice {
  TBmpDepth Depth;
  int Bits;
};
const TChoice Choices[] = {{TBmpDepth::Bits24, 24}, {TBmpDepth::Bits1, 1},
                           {TBmpDepth::Bits4, 4},   {TBmpDepth::Bits8, 8},
                           {TBmpDepth::Bits15, 16}, {TBmpDepth::Bits16, 16},
                           {TBmpDepth::Bits24, 24}, {TBmpDepth::Bits32, 32}};

// The chart saved at every choice (and monochrome), with the probe pixels
// Pillow reads from each file: made once for the whole suite.
struct TExports {
  QTemporaryDir Dir;
  QImage Ours;  // our own rendering of the chart
  std::vector<QPoint> Probes;
  std::map<QString, QByteArray> Bytes;
  std::map<QString, QStringList> Pillow;  // file: mode, width, height, "r,g,b" per probe
  QString PillowError;
};

quint32 U32(const QByteArray& B, int At) {
  const auto* P = reinterpret_cast<const uchar*>(B.constData()) + At;
  return P[0] | (P[1] << 8) | (P[2] << 16) | (quint32(P[3]) << 24);
}

class TBMPExportFormatTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Exports = std::make_unique<TExports>();
    TExports& E = *Exports;
    TTestChart T;
    E.Ours = T.Chart.KorCreateBitmap()->Image().convertToFormat(QImage::Format_RGB32);
    const TRect Plot = T.Chart.GetPlotRect();
    const TRect Low = T.Bars->CalcBarBounds(0);
    const TRect High = T.Bars->CalcBarBounds(1);
    // Back wall (beside the vertical grid line at the bar's centre), bar, panel.
    E.Probes = {QPoint(Low.Left + 3, (Plot.Top + Low.Top) / 2),
                QPoint((High.Left + High.Right) / 2, (High.Top + High.Bottom) / 2),
                QPoint(Plot.Left / 2, ChartHeight - 4)};
    QStringList Files;
    for (int I = 0; I <= 8; ++I) {
      TBMPExportFormat Format;
      Format.SetPanel(&T.Chart);
      auto* Options = static_cast<TBMPOptions*>(Format.Options());
      Options->CBColors->setCurrentIndex(I == 8 ? 7 : I);
      Options->CBMono->setChecked(I == 8);
      const QString Name = FileOf(I);
      Format.SaveToFile(Name);
      QFile F(Name);
      if (F.open(QIODevice::ReadOnly)) E.Bytes[Name] = F.readAll();
      Files << Name;
    }
    ReadWithPillow(Files);
  }

  static void TearDownTestSuite() { Exports.reset(); }

  // Choice I of "&Colors:"; 8 is monochrome with the 32-bit choice.
  static QString FileOf(int I) {
    return Exports->Dir.filePath(QStringLiteral("choice%1.bmp").arg(I));
  }

  static void ReadWithPillow(const QStringList& Files) {
    const QString Python = FindProgram(QStringLiteral("python3"));
    if (Python.isEmpty()) {
      Exports->PillowError = QStringLiteral("python3 is not installed");
      return;
    }
    QStringList Probes;
    for (const QPoint& P : Exports->Probes) Probes << QStringLiteral("%1,%2").arg(P.x()).arg(P.y());
    const QString Script = QStringLiteral(
        "import sys\n"
        "from PIL import Image\n"
        "probes = [tuple(map(int, p.split(','))) for p in sys.argv[1].split(';')]\n"
        "for p in sys.argv[2:]:\n"
        "    im = Image.open(p); im.load(); rgb = im.convert('RGB')\n"
        "    print(p, im.mode, im.width, im.height,"
        " *['%d,%d,%d' % rgb.getpixel(q) for q in probes])\n");
    QByteArray Out;
    Exports->PillowError = RunProgram(
        Python, QStringList{QStringLiteral("-c"), Script, Probes.join(';')} + Files, 60000, &Out);
    for (const QString& Line : QString::fromUtf8(Out).split('\n', Qt::SkipEmptyParts)) {
      QStringList Fields = Line.split(' ');
      const QString Name = Fields.takeFirst();
      Exports->Pillow[Name] = Fields;
    }
  }

  // Pillow's view of file I: its size, and at each probe the colour our
  // rendering has once cut back to Depth (within what readers make of 5-
  // and 6-bit channels).
  static void ExpectPillowSees(int I, TBmpDepth Depth) {
    ASSERT_TRUE(Exports->PillowError.isEmpty()) << Exports->PillowError.toStdString();
    const QStringList Seen = Exports->Pillow[FileOf(I)];
    ASSERT_EQ(Seen.size(), 3 + static_cast<int>(Exports->Probes.size())) << "file " << I;
    EXPECT_EQ(Seen[1], QString::number(ChartWidth));
    EXPECT_EQ(Seen[2], QString::number(ChartHeight));
    const QImage Expected = ReduceToBmpDepth(Exports->Ours, Depth);
    const int Tolerance = Depth == TBmpDepth::Bits15 || Depth == TBmpDepth::Bits16 ? 7 : 0;
    for (size_t P = 0; P < Exports->Probes.size(); ++P) {
      const QStringList V = Seen[3 + static_cast<int>(P)].split(',');
      const QColor Want = Expected.pixelColor(Exports->Probes[P]);
      EXPECT_LE(std::abs(V[0].toInt() - Want.red()), Tolerance) << "file " << I << " probe " << P;
      EXPECT_LE(std::abs(V[1].toInt() - Want.green()), Tolerance) << "file " << I << " probe " << P;
      EXPECT_LE(std::abs(V[2].toInt() - Want.blue()), Tolerance) << "file " << I << " probe " << P;
    }
  }

  static inline std::unique_ptr<TExports> Exports;
};

TEST_F(TBMPExportFormatTest, DescribesItselfItsOptionsFormAndRegisters) {
  TBMPExportFormat Format;
  EXPECT_EQ(Format.Description(), QStringLiteral("as &Bitmap"));
  EXPECT_EQ(Format.FileFilter(), QStringLiteral("Bitmaps (*.bmp)|*.bmp"));
  EXPECT_EQ(Format.FileExtension(), QStringLiteral("bmp"));
  EXPECT_EQ(Format.Options(false), nullptr);  // nothing made by asking

  auto* Options = dynamic_cast<TBMPOptions*>(Format.Options());
  ASSERT_NE(Options, nullptr);
  EXPECT_EQ(Format.Options(false), Options);
  EXPECT_EQ(Options->CBMono->text(), QStringLiteral("&Monochrome"));
  EXPECT_EQ(Options->Label1->text(), QStringLiteral("&Colors:"));
  QStringList Items;
  for (int I = 0; I < Options->CBColors->count(); ++I) Items << Options->CBColors->itemText(I);
  EXPECT_EQ(Items,
            QStringList({"Default", "2 (1 bit)", "16 (4 bit)", "256 (8 bit)", "32768 (15 bit)",
                         "65536 (16 bit)", "16M (24 bit)", "16M (32 bit)"}));
  EXPECT_EQ(Options->CBColors->currentIndex(), 0);

  Options->CBColors->setCurrentIndex(5);
  Options->show();
  EXPECT_EQ(Options->CBColors->currentIndex(), 0) << "every showing starts from Default";
  Options->hide();

  Options->CBMono->setChecked(true);
  EXPECT_FALSE(Options->CBColors->isEnabled());
  Options->CBMono->setChecked(false);
  EXPECT_TRUE(Options->CBColors->isEnabled());

  const int Before = KorExportFormats().Count();
  RegisterBMPExportFormat();
  ASSERT_EQ(KorExportFormats().Count(), Before + 1);
  EXPECT_EQ(KorExportFormats().Get(Before), &TBMPExportFormat::Create);
  const std::unique_ptr<TGraphic> Picture = WithFileExtension(QStringLiteral(".BMP"));
  EXPECT_NE(dynamic_cast<TBitmapGraphic*>(Picture.get()), nullptr);
  UnRegisterBMPExportFormat();
  EXPECT_EQ(KorExportFormats().Count(), Before);
}

TEST_F(TBMPExportFormatTest, EachColourChoiceWritesItsDepthWithOurPixels) {
  for (int I = 0; I < 8; ++I) {
    SCOPED_TRACE(I);
    const QByteArray& B = Exports->Bytes[FileOf(I)];
    ASSERT_GT(B.size(), 54);
    EXPECT_EQ(B.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(B, 18), quint32(ChartWidth));
    EXPECT_EQ(U32(B, 22), quint32(ChartHeight));
    EXPECT_EQ(U32(B, 28) & 0xFFFF, quint32(Choices[I].Bits));
    EXPECT_EQ(U32(B, 30), Choices[I].Depth == TBmpDepth::Bits16 ? 3u : 0u);
    ExpectPillowSees(I, Choices[I].Depth);
  }
}

TEST_F(TBMPExportFormatTest, MonochromeIgnoresTheColourChoice) {
  const QByteArray& B = Exports->Bytes[FileOf(8)];
  ASSERT_GT(B.size(), 54);
  EXPECT_EQ(U32(B, 28) & 0xFFFF, 1u);
  ExpectPillowSees(8, TBmpDepth::Bits1);

  TTestChart T;
  TBMPExportFormat Format;
  Format.SetPanel(&T.Chart);
  static_cast<TBMPOptions*>(Format.Options())->CBMono->setChecked(true);
  EXPECT_TRUE(Format.Bitmap()->GetMonochrome());
}

// A surface that can turn a chart all the way round.
class TFullRotationCanvas : public TKorCanvas3D {
 public:
  bool GetSupportsFullRotation() const override { return true; }
};

TEST_F(TBMPExportFormatTest, AFreelyRotatingCanvasAlwaysGives24Bits) {
  TTestChart T;
  T.Chart.SetInternalCanvas(std::make_unique<TFullRotationCanvas>());
  TBMPExportFormat Format;
  Format.SetPanel(&T.Chart);
  auto* Options = static_cast<TBMPOptions*>(Format.Options());
  for (const bool Mono : {false, true}) {
    Options->CBColors->setCurrentIndex(3);
    Options->CBMono->setChecked(Mono);
    const std::unique_ptr<TBitmap> Bitmap = Format.Bitmap();
    EXPECT_EQ(Bitmap->GetPixelFormat(), pf24bit) << Mono;
    EXPECT_FALSE(Bitmap->GetMonochrome());
  }
}

// A format whose write fails half-way.
class TBrokenFormat : public TBMPExportFormat {
 public:
  void SaveToStream(QIODevice& Stream) override {
    Stream.write("partial");
    throw EFileError(QStringLiteral("disk full"));
  }
};

TEST_F(TBMPExportFormatTest, SavingReplacesAFileWholeAndAFailedSaveKeepsIt) {
  TTestChart T;
  const QString Name = Exports->Dir.filePath(QStringLiteral("replaced.bmp"));
  {
    QFile F(Name);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(QByteArray(200000, 'x'));  // longer than the new file: no old tail may stay
  }
  KorSaveToBitmap(&T.Chart, Name, TRect(10, 10, 210, 160));
  QFile F(Name);
  ASSERT_TRUE(F.open(QIODevice::ReadOnly));
  const QByteArray Saved = F.readAll();
  F.close();
  EXPECT_EQ(Saved.size(), 54 + 600 * 150);
  EXPECT_EQ(U32(Saved, 2), quint32(Saved.size()));
  EXPECT_EQ(QImage::fromData(Saved, "BMP").size(), QSize(200, 150));

  TBrokenFormat Broken;
  Broken.SetPanel(&T.Chart);
  EXPECT_THROW(Broken.SaveToFile(Name), EFileError);
  ASSERT_TRUE(F.open(QIODevice::ReadOnly));
  EXPECT_EQ(F.readAll(), Saved);
}

TEST_F(TBMPExportFormatTest, CopyPutsTheBitmapOnTheClipboard) {
  TTestChart T;
  TBMPExportFormat Format;
  Format.SetPanel(&T.Chart);
  Format.SetWidth(200);
  Format.SetHeight(150);
  Format.CopyToClipboard();
  const QMimeData* Data = QGuiApplication::clipboard()->mimeData();
  ASSERT_TRUE(Data != nullptr && Data->hasImage());
  EXPECT_EQ(qvariant_cast<QImage>(Data->imageData()).convertToFormat(QImage::Format_RGB32),
            Format.Bitmap()->Image().convertToFormat(QImage::Format_RGB32));
}

}  // namespace
