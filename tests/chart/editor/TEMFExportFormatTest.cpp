#include "chart/editor/TEMFExportFormat.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <vector>

#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/editor/TEMFOptions.h"
#include "chart/series/TBarSeries.h"
#include "platform/Exception.h"
#include "platform/TBitmap.h"
#include "platform/TMetafile.h"
#include "tests/chart/editor/ExportTestChart.h"
#include "tests/support/OutsideProgram.h"

namespace {

constexpr int ChartWidth = TExportTestChart::Width;
constexpr int ChartHeight = TExportTestChart::Height;

// The chart every test here exports.
struct TTestChart : TExportTestChart {
  TTestChart() : TExportTestChart(QStringLiteral("Korvale metafile"), clSilver, clRed) {}
};

// Metafile files of the test chart as outside programs read them: made and
// converted once for the whole suite, since the office suite is slow.
struct TReaderResults {
  QTemporaryDir Dir;
  QImage Bitmap;  // our own rendering of the chart
  QPoint WallProbe, BarProbe, PanelProbe;
  QString OfficeError;  // why the office suite gave nothing
  QString WmfToolError;
  QImage EmfPng, WmfPng;
  QString EmfSvg, WmfSvg, WmfToolSvg;
};

QString ReadText(const QString& Path) {
  QFile F(Path);
  return F.open(QIODevice::ReadOnly) ? QString::fromUtf8(F.readAll()) : QString();
}

class TEMFExportFormatTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Readers = std::make_unique<TReaderResults>();
    TReaderResults& R = *Readers;
    TTestChart T;
    const std::unique_ptr<TBitmap> Bitmap = T.Chart.KorCreateBitmap();
    R.Bitmap = Bitmap->Image().convertToFormat(QImage::Format_RGB32);
    const TRect Plot = T.Chart.GetPlotRect();
    const TRect Low = T.Bars->CalcBarBounds(0);   // the bar of 2
    const TRect High = T.Bars->CalcBarBounds(1);  // the bar of 5
    R.WallProbe = QPoint((Low.Left + Low.Right) / 2, (Plot.Top + Low.Top) / 2);
    R.BarProbe = QPoint((High.Left + High.Right) / 2, (High.Top + High.Bottom) / 2);
    R.PanelProbe = QPoint(Plot.Left / 2, ChartHeight - 4);

    const QString Emf = R.Dir.filePath(QStringLiteral("enhanced.emf"));
    const QString Wmf = R.Dir.filePath(QStringLiteral("placeable.wmf"));
    T.Chart.SaveToMetafileEnh(Emf);
    T.Chart.SaveToMetafile(Wmf);

    for (const QString& Kind : {QStringLiteral("png"), QStringLiteral("svg")}) {
      const QString Error = OfficeConvert({Emf, Wmf}, Kind, R.Dir.filePath(Kind));
      if (!Error.isEmpty()) R.OfficeError = Error;
    }
    R.EmfPng.load(R.Dir.filePath(QStringLiteral("png/enhanced.png")));
    R.WmfPng.load(R.Dir.filePath(QStringLiteral("png/placeable.png")));
    R.EmfSvg = ReadText(R.Dir.filePath(QStringLiteral("svg/enhanced.svg")));
    R.WmfSvg = ReadText(R.Dir.filePath(QStringLiteral("svg/placeable.svg")));
    const QString WmfTool = FindProgram(QStringLiteral("wmf2svg"));
    if (WmfTool.isEmpty()) {
      R.WmfToolError = QStringLiteral("wmf2svg (package libwmf-bin) is not installed");
    } else {
      const QString Out = R.Dir.filePath(QStringLiteral("wmf2svg.svg"));
      R.WmfToolError = RunProgram(WmfTool, {QStringLiteral("-o"), Out, Wmf}, 60000);
      R.WmfToolSvg = ReadText(Out);
    }
  }

  static void TearDownTestSuite() { Readers.reset(); }

  // The colour at our bitmap's point P, seen at the same place of the
  // chart in Image, differs by at most a tolerance per channel. The office
  // suite centres the picture on a page: the chart is where the panel colour
  // is (text laid out in a substitute font may reach beyond it). Both
  // colours are medians of a small square, so a grid line that the fonts
  // bring near the probe does not count as a wrong fill.
  static void ExpectSameColour(const QImage& Image, QPoint P, const char* What) {
    ASSERT_FALSE(Image.isNull()) << What;
    const QColor Panel = Readers->Bitmap.pixelColor(Readers->PanelProbe);
    QRect Chart;
    for (int Y = 0; Y < Image.height(); ++Y)
      for (int X = 0; X < Image.width(); ++X)
        if (Near(Image.pixelColor(X, Y), Panel, 20)) Chart |= QRect(X, Y, 1, 1);
    ASSERT_FALSE(Chart.isEmpty()) << What << ": no panel on the page";
    const QPoint At(Chart.left() + P.x() * Chart.width() / ChartWidth,
                    Chart.top() + P.y() * Chart.height() / ChartHeight);
    const QColor Seen = MedianAround(Image, At);
    const QColor Ours = MedianAround(Readers->Bitmap, P);
    EXPECT_TRUE(Near(Seen, Ours, 40))  // the reader's smoothing and colour handling
        << What << ": " << Seen.name().toStdString() << " where we drew "
        << Ours.name().toStdString();
  }

  static bool Near(const QColor& A, const QColor& B, int Tolerance) {
    return std::abs(A.red() - B.red()) <= Tolerance &&
           std::abs(A.green() - B.green()) <= Tolerance &&
           std::abs(A.blue() - B.blue()) <= Tolerance;
  }

  static QColor MedianAround(const QImage& Image, QPoint At) {
    std::vector<int> Red, Green, Blue;
    for (int Dy = -2; Dy <= 2; ++Dy)
      for (int Dx = -2; Dx <= 2; ++Dx) {
        const QPoint Q = At + QPoint(Dx, Dy);
        if (!Image.valid(Q)) continue;
        const QColor C = Image.pixelColor(Q);
        Red.push_back(C.red());
        Green.push_back(C.green());
        Blue.push_back(C.blue());
      }
    const auto Median = [](std::vector<int>& V) {
      std::nth_element(V.begin(), V.begin() + V.size() / 2, V.end());
      return V[V.size() / 2];
    };
    return Red.empty() ? QColor() : QColor(Median(Red), Median(Green), Median(Blue));
  }

  // The texts of an SVG's text elements, joined (readers may place each
  // character in its own element).
  static QString SvgText(const QString& Svg) {
    QString Joined;
    static const QRegularExpression Element(QStringLiteral("<text[^>]*>(.*?)</text>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression Tag(QStringLiteral("<[^>]*>"));
    for (const QRegularExpressionMatch& M : Element.globalMatch(Svg))
      Joined += M.captured(1).remove(Tag);
    return Joined;
  }

  static inline std::unique_ptr<TReaderResults> Readers;
};

TEST_F(TEMFExportFormatTest, DescribesItselfAndTakesTwoFilterPositions) {
  TEMFExportFormat Format;
  EXPECT_EQ(Format.Description(), Korconst::KorMsg_AsEMF);
  EXPECT_EQ(Format.FileFilter(), Korconst::KorMsg_EMFFilter);
  EXPECT_EQ(Format.FileExtension(), QStringLiteral("emf"));
  EXPECT_EQ(Format.Options(false), nullptr);  // nothing made by asking

  int Running = 1;  // one entry already in the dialog's list
  Format.IncFileFilterIndex(Running);
  EXPECT_EQ(Running, 3);
  EXPECT_EQ(Format.FileFilterIndex(), 2);
  EXPECT_FALSE(Format.WantsFilterIndex(1));
  EXPECT_FALSE(Format.WantsFilterIndex(4));

  // The placeable entry: the format follows the choice, the box shows it.
  EXPECT_TRUE(Format.WantsFilterIndex(3));
  EXPECT_FALSE(Format.GetEnhanced());
  EXPECT_EQ(Format.FileExtension(), QStringLiteral("wmf"));
  EXPECT_EQ(Format.FileFilterIndex(), 3);
  auto* Options = dynamic_cast<TEMFOptions*>(Format.Options(false));
  ASSERT_NE(Options, nullptr);
  EXPECT_EQ(Options->CBEnhanced->text(), QStringLiteral("&Enhanced"));
  EXPECT_FALSE(Options->CBEnhanced->isChecked());

  EXPECT_TRUE(Format.WantsFilterIndex(2));
  EXPECT_TRUE(Options->CBEnhanced->isChecked());
  EXPECT_EQ(Format.FileExtension(), QStringLiteral("emf"));
}

TEST_F(TEMFExportFormatTest, WithoutAPanelNothingIsCopiedOrSaved) {
  TEMFExportFormat Format;
  const QString Name = Readers->Dir.filePath(QStringLiteral("nopanel.emf"));
  try {
    Format.SaveToFile(Name);
    ADD_FAILURE() << "saved without a panel";
  } catch (const ChartException& E) {
    EXPECT_EQ(QString::fromUtf8(E.what()),
              QStringLiteral("Panel property is not set in Export format"));
  }
  EXPECT_THROW(Format.CopyToClipboard(), ChartException);
  EXPECT_FALSE(QFile::exists(Name));
}

TEST_F(TEMFExportFormatTest, SavesThePanelAtItsSizeAsAnEnhancedMetafile) {
  TTestChart T;
  const QString Name = Readers->Dir.filePath(QStringLiteral("saved.emf"));
  TKorExportFormat::SaveToFile(TEMFExportFormat::Create, &T.Chart, Name);
  QFile F(Name);
  ASSERT_TRUE(F.open(QIODevice::ReadOnly));
  const QByteArray B = F.readAll();
  ASSERT_GT(B.size(), 108);
  EXPECT_EQ(B.left(4), QByteArray("\x01\x00\x00\x00", 4));
  EXPECT_EQ(B.mid(40, 4), QByteArray(" EMF"));
  // A zero size took the panel's: the bounds end at its last pixel.
  EXPECT_EQ(B.mid(16, 8), QByteArray("\x8F\x01\x00\x00\x2B\x01\x00\x00", 8));
}

// A format whose write fails half-way.
class TBrokenFormat : public TEMFExportFormat {
 public:
  void SaveToStream(QIODevice& Stream) override {
    Stream.write("partial");
    throw EFileError(QStringLiteral("disk full"));
  }
};

TEST_F(TEMFExportFormatTest, AFailedSaveKeepsTheExistingFile) {
  TTestChart T;
  const QString Name = Readers->Dir.filePath(QStringLiteral("kept.emf"));
  {
    QFile F(Name);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("old picture");
  }
  TBrokenFormat Format;
  Format.SetPanel(&T.Chart);
  EXPECT_THROW(Format.SaveToFile(Name), EFileError);
  QFile F(Name);
  ASSERT_TRUE(F.open(QIODevice::ReadOnly));
  EXPECT_EQ(F.readAll(), QByteArray("old picture"));
}

TEST_F(TEMFExportFormatTest, CopyOffersTheImageAndTheMetafileBytes) {
  TTestChart T;
  TEMFExportFormat Format;
  Format.SetPanel(&T.Chart);
  Format.SetWidth(200);
  Format.SetHeight(150);
  Format.SetEnhanced(false);
  Format.CopyToClipboard();
  const QMimeData* Data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(Data, nullptr);
  EXPECT_TRUE(Data->hasImage());
  EXPECT_EQ(qvariant_cast<QImage>(Data->imageData()).size(), QSize(200, 150));
  EXPECT_TRUE(Data->hasFormat(QStringLiteral("image/x-wmf")));
  EXPECT_EQ(Data->data(QStringLiteral("image/x-wmf")).left(4), QByteArray("\xD7\xCD\xC6\x9A", 4));
}

TEST_F(TEMFExportFormatTest, RegistrationListsTheFormatAndItsPictureKind) {
  const int Before = KorExportFormats().Count();
  RegisterEMFExportFormat();
  ASSERT_EQ(KorExportFormats().Count(), Before + 1);
  EXPECT_EQ(KorExportFormats().Get(Before), &TEMFExportFormat::Create);
  const std::unique_ptr<TGraphic> Picture = WithFileExtension(QStringLiteral(".emf"));
  EXPECT_NE(dynamic_cast<TMetafile*>(Picture.get()), nullptr);
  EXPECT_EQ(WithFileExtension(QStringLiteral(".xyz")), nullptr);
  UnRegisterEMFExportFormat();
  EXPECT_EQ(KorExportFormats().Count(), Before);
  EXPECT_THROW(KorExportFormats().Get(Before), ChartException);
}

TEST_F(TEMFExportFormatTest, OfficeSuiteReadsBothFormsAsTheChart) {
  ASSERT_TRUE(Readers->OfficeError.isEmpty()) << Readers->OfficeError.toStdString();
  EXPECT_TRUE(SvgText(Readers->EmfSvg).contains(QStringLiteral("Korvale metafile")));
  ExpectSameColour(Readers->EmfPng, Readers->WallProbe, "EMF back wall");
  ExpectSameColour(Readers->EmfPng, Readers->BarProbe, "EMF bar");
  ExpectSameColour(Readers->EmfPng, Readers->PanelProbe, "EMF panel");
  EXPECT_TRUE(SvgText(Readers->WmfSvg).contains(QStringLiteral("Korvale metafile")));
  ExpectSameColour(Readers->WmfPng, Readers->WallProbe, "WMF back wall");
  ExpectSameColour(Readers->WmfPng, Readers->BarProbe, "WMF bar");
  ExpectSameColour(Readers->WmfPng, Readers->PanelProbe, "WMF panel");
}

TEST_F(TEMFExportFormatTest, WmfToolReadsThePlaceableForm) {
  ASSERT_TRUE(Readers->WmfToolError.isEmpty()) << Readers->WmfToolError.toStdString();
  EXPECT_TRUE(SvgText(Readers->WmfToolSvg).contains(QStringLiteral("Korvale metafile")));
}

}  // namespace
