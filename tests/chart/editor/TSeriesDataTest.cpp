#include "chart/editor/TSeriesData.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <memory>

#include "chart/core/KorException.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/editor/TSeriesDataHTML.h"
#include "chart/editor/TSeriesDataText.h"
#include "chart/editor/TSeriesDataXLS.h"
#include "chart/editor/TSeriesDataXML.h"
#include "chart/series/TBubbleSeries.h"
#include "chart/series/THorizBarSeries.h"
#include "chart/series/TLineSeries.h"
#include "platform/TDateTime.h"
#include "tests/support/OutsideProgram.h"
#include "tests/support/TestSupport.h"

namespace {

using Grid = QList<QStringList>;

// A gallery name with more than one ampersand.
const QString LineGalleryName = QStringLiteral("Lines & Points & More");

// A series type of its own, so that its gallery entry is the test's alone.
class TGalleryTestSeries : public TLineSeries {
 public:
  using TLineSeries::TLineSeries;
  QString ClassName() const override { return QStringLiteral("TGalleryTestSeries"); }
};

template <class T = TLineSeries>
T* AddLine(TChart& Chart, const QString& Title) {
  auto* Series = new T(&Chart);
  Chart.AddSeries(Series);
  Series->SetTitle(Title);
  Series->SetSeriesColor(clRed);
  return Series;
}

QString ColorText(TColor Color) {
  return QString::asprintf("#%.2x%.2x%.2x", GetRValue(Color), GetGValue(Color), GetBValue(Color));
}

// Failures print std::string readably.
std::string Str(const QString& Text) {
  return Text.toStdString();
}

std::string Str(const Grid& Cells) {
  QStringList Rows;
  for (const QStringList& Row : Cells) Rows << Row.join(u'|');
  return Rows.join(u'\n').toStdString();
}

QByteArray ReadBytes(const QString& Path) {
  QFile F(Path);
  return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

// The fields of comma-separated lines as the office suite writes them.
Grid ParseCsv(const QString& Text) {
  Grid Rows;
  QStringList Row;
  QString Field;
  bool Quoted = false;
  for (int I = 0; I < Text.size(); ++I) {
    const QChar C = Text.at(I);
    if (Quoted) {
      if (C == u'"' && I + 1 < Text.size() && Text.at(I + 1) == u'"') {
        Field += C;
        ++I;
      } else if (C == u'"') {
        Quoted = false;
      } else {
        Field += C;
      }
    } else if (C == u'"') {
      Quoted = true;
    } else if (C == u',') {
      Row << Field;
      Field.clear();
    } else if (C == u'\n') {
      Rows << (Row << Field);
      Row.clear();
      Field.clear();
    } else if (C != u'\r') {
      Field += C;
    }
  }
  if (!Row.isEmpty() || !Field.isEmpty()) Rows << (Row << Field);
  return Rows;
}

class TSeriesDataTest : public ::testing::Test {
 protected:
  void SetUp() override { Chart.SetName("Chart1"); }

  TChart Chart{nullptr};
};

TEST_F(TSeriesDataTest, TextOfOneSeriesHasHeaderPointLinesAndAFinalEmptyLine) {
  TLineSeries* Speed = AddLine(Chart, QStringLiteral("Speed"));
  Speed->Add(1, QStringLiteral("a"));
  Speed->Add(2, QStringLiteral("b"));
  Speed->Add(3, QStringLiteral("c"));
  TSeriesDataText Data(&Chart, Speed);
  Data.SetIncludeHeader(true);
  EXPECT_EQ(Str(Data.AsString()),
            Str(QStringLiteral("Text\tSpeed\r\na\t1\r\nb\t2\r\nc\t3\r\n\r\n")));

  Data.SetIncludeLabels(false);
  Data.SetIncludeIndex(true);
  EXPECT_EQ(Str(Data.AsString()),
            Str(QStringLiteral("Index\tSpeed\r\n0\t1\r\n1\t2\r\n2\t3\r\n\r\n")));
}

TEST_F(TSeriesDataTest, HorizontalSeriesExportTheirValuesNotTheirPositions) {
  auto* Bars = new THorizBarSeries(&Chart);
  Chart.AddSeries(Bars);
  Bars->SetTitle(QStringLiteral("Bars"));
  Bars->Add(5);
  Bars->Add(7);
  TSeriesDataText Data(&Chart, Bars);
  EXPECT_EQ(Str(Data.AsString()), "5\r\n7\r\n\r\n");
}

TEST_F(TSeriesDataTest, TextQuotesWrapWordsLabelsAndDatesNeverNumbersAndAreDoubledInside) {
  TLineSeries* Run = AddLine(Chart, QStringLiteral("Run"));
  Run->GetXValues().SetDateTime(true);
  const TDateTime Day1 = EncodeDate(2024, 3, 1);
  const TDateTime Day2 = EncodeDate(2024, 3, 2);
  Run->AddXY(Day1, 5, QStringLiteral("say \"hi\""));
  Run->AddXY(Day2, 6.5, QStringLiteral("b;c"));
  TSeriesDataText Data(&Chart, Run);
  Data.SetIncludeHeader(true);
  Data.SetIncludeIndex(true);
  Data.SetTextDelimiter(u';');
  Data.SetTextQuotes(QStringLiteral("\""));
  const QString Expected = QStringLiteral("\"Index\";\"Text\";\"X\";\"Run\"\r\n") +
                           QStringLiteral("0;\"say \"\"hi\"\"\";\"") + DateTimeToStr(Day1) +
                           QStringLiteral("\";5\r\n1;\"b;c\";\"") + DateTimeToStr(Day2) +
                           QStringLiteral("\";6.5\r\n\r\n");
  EXPECT_EQ(Str(Data.AsString()), Str(Expected));
}

TEST_F(TSeriesDataTest, AllSeriesLeaveTheShorterSeriesFieldsEmpty) {
  TLineSeries* A = AddLine(Chart, QStringLiteral("A"));
  TLineSeries* B = AddLine(Chart, QStringLiteral("B"));
  A->Add(1);
  B->Add(10, QStringLiteral("p"));
  B->Add(20, QStringLiteral("q"));

  // Text: the first series has no labels, but another has, so labels are
  // taken from the first series labelled at each index.
  TSeriesDataText Text(&Chart, nullptr);
  Text.SetIncludeHeader(true);
  Text.SetValueFormat(QStringLiteral("0.0"));
  EXPECT_EQ(Str(Text.AsString()),
            Str(QStringLiteral("Text\tA\tB\r\np\t1.0\t10.0\r\nq\t\t20.0\r\n\r\n")));

  // HTML: an empty cell for each column of the shorter series.
  TSeriesDataHTML Html(&Chart, nullptr);
  Html.SetIncludeIndex(true);
  EXPECT_EQ(Str(Html.AsString()), Str(QStringLiteral("<table border=\"1\">\r\n"
                                                     "<tr><td>0</td><td>1</td><td>10</td></tr>\r\n"
                                                     "<tr><td>1</td><td></td><td>20</td></tr>\r\n"
                                                     "\r\n</table>")));

  TChart Empty{nullptr};
  EXPECT_EQ(TSeriesDataText(&Empty, nullptr).MaxSeriesCount(), -1);
  EXPECT_EQ(Str(TSeriesDataText(&Empty, nullptr).AsString()), "\r\n");
}

TEST_F(TSeriesDataTest, XmlEscapesEveryAttributeIncludingEachAmpersandOfTheGalleryName) {
  RegisterKorSeries(TChartSeriesClass::Of<TGalleryTestSeries>(), &LineGalleryName);
  TLineSeries* Series = AddLine<TGalleryTestSeries>(Chart, QStringLiteral("T \"1\" <a>"));
  Series->Add(1, QStringLiteral("a<b & \"c\""));
  Series->Add(2);
  TSeriesDataXML Data(&Chart, Series);
  EXPECT_EQ(Str(Data.AsString()),
            Str(QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                               "<series title=\"T &quot;1&quot; &lt;a&gt;\" "
                               "type=\"Lines &amp; Points &amp; More\" color=\"#ff0000\">\r\n"
                               "<points count=\"2\">\r\n"
                               "<point  text=\"a&lt;b &amp; &quot;c&quot;\" Y=\"1\"/>\r\n"
                               "<point  text=\"\" Y=\"2\"/>\r\n"
                               "</points>\r\n"
                               "</series>\r\n\r\n")));
  UnRegisterKorSeries({TChartSeriesClass::Of<TGalleryTestSeries>()});

  // Without a declaration the document is UTF-8.
  Series->SetXLabel(1, QStringLiteral("\u00e9"));
  Data.SetIncludeHeader(false);
  QBuffer Buffer;
  Buffer.open(QIODevice::WriteOnly);
  Data.SaveToStream(Buffer);
  EXPECT_TRUE(Buffer.data().contains("text=\"\xc3\xa9\"")) << Buffer.data().toStdString();

  // The bytes follow the declaration; what it cannot hold is a reference.
  const QString Text = QStringLiteral("Cr\u00e8me \u20ac");
  EXPECT_EQ(TSeriesDataXML::EncodeDocument(Text, QStringLiteral("ISO-8859-1")),
            QByteArray("Cr\xe8me &#8364;"));
  EXPECT_EQ(TSeriesDataXML::EncodeDocument(Text, QString()), Text.toUtf8());
  EXPECT_EQ(TSeriesDataXML::EncodeDocument(Text, QStringLiteral("no-such-set")),
            QByteArray("Cr&#232;me &#8364;"));
  // Letters the set holds stay bytes after one it lacks (where the system
  // knows the set at all).
  const QByteArray Japanese =
      TSeriesDataXML::EncodeDocument(QStringLiteral("\u00e9\u65e5A"), QStringLiteral("shift_jis"));
  if (QStringEncoder("shift_jis").isValid())
    EXPECT_EQ(Japanese, QByteArray("&#233;\x93\xfa"
                                   "A"));
  else
    EXPECT_EQ(Japanese, QByteArray("&#233;&#26085;A"));
}

TEST_F(TSeriesDataTest, HtmlTableEscapesCellText) {
  TLineSeries* Speed = AddLine(Chart, QStringLiteral("Speed"));
  Speed->Add(1, QStringLiteral("a<b & c"));
  TSeriesDataHTML Data(&Chart, Speed);
  Data.SetIncludeHeader(true);
  Data.SetIncludeIndex(true);
  EXPECT_EQ(Str(Data.AsString()),
            Str(QStringLiteral("<table border=\"1\">\r\n"
                               "<tr><td>Index</td><td>Text</td><td>Speed</td></tr>\r\n"
                               "<tr><td>0</td><td>a&lt;b &amp; c</td><td>1</td></tr>\r\n"
                               "\r\n</table>")));
}

TEST_F(TSeriesDataTest, SpreadsheetLabelsAreCodePage1252BytesCutAt255) {
  EXPECT_EQ(TSeriesDataXLS::LabelBytes(QStringLiteral("\u00e9\u20ac\u0153x")),
            QByteArray("\xe9\x80\x9cx"));
  // No place in the code page: a CJK letter, a C1 control, an emoji (one
  // character, two UTF-16 units).
  EXPECT_EQ(TSeriesDataXLS::LabelBytes(QStringLiteral("\u65e5\u0081\U0001F600.")),
            QByteArray("???."));
  EXPECT_EQ(TSeriesDataXLS::LabelBytes(QString(300, u'a')).size(), 255);
}

TEST_F(TSeriesDataTest, SpreadsheetBeyond65535RowsIsRefusedAndKeepsTheOldFile) {
  TLineSeries* Series = AddLine(Chart, QStringLiteral("Many"));
  std::vector<double> Values(65535, 1.0);
  Series->AddArray(Values);
  TSeriesDataXLS Data(&Chart, Series);
  EXPECT_EQ(Data.Records().size(), 12 + 6 + 14 + 65535 * 19 + 4);  // fits exactly

  QTemporaryDir Dir;
  const QString Path = Dir.filePath(QStringLiteral("old.xls"));
  {
    QFile Old(Path);
    ASSERT_TRUE(Old.open(QIODevice::WriteOnly));
    Old.write("old");
  }
  Data.SetIncludeHeader(true);  // one row more
  try {
    Data.SaveToFile(Path);
    ADD_FAILURE() << "65536 rows were written";
  } catch (const ChartException& E) {
    EXPECT_TRUE(E.Message().contains(QStringLiteral("65535"))) << E.Message().toStdString();
  }
  EXPECT_EQ(ReadBytes(Path), QByteArray("old"));
}

TEST_F(TSeriesDataTest, PropertyTablesPublishTheOptionsWithTheirDefaults) {
  TSeriesDataText Text(&Chart, nullptr);
  QStringList Names;
  for (const TPublishedProperty& P : Text.Properties()) Names << P.Name;
  EXPECT_EQ(Names, QStringList({"IncludeColors", "IncludeIndex", "IncludeHeader", "IncludeLabels",
                                "TextDelimiter", "TextQuotes", "ValueFormat"}));
  for (const TPublishedProperty& P : Text.Properties())
    EXPECT_FALSE(P.IsStored(Text)) << P.Name.toStdString();
  ASSERT_TRUE(SetPropertyValue(Text, QStringLiteral("TextDelimiter"), QStringLiteral(",")));
  EXPECT_EQ(Text.GetTextDelimiter(), u',');
  EXPECT_TRUE(Text.Properties().Find(QStringLiteral("TextDelimiter"))->IsStored(Text));

  TSeriesDataXML Xml(&Chart, nullptr);
  EXPECT_TRUE(Xml.GetIncludeHeader());
  EXPECT_EQ(Xml.GetEncoding(), TSeriesDataXML::DefaultEncoding());
  const TPublishedProperty* Encoding = Xml.Properties().Find(QStringLiteral("Encoding"));
  ASSERT_NE(Encoding, nullptr);
  EXPECT_FALSE(Encoding->IsStored(Xml));
  EXPECT_FALSE(Xml.Properties().Find(QStringLiteral("IncludeHeader"))->IsStored(Xml));
  Xml.SetEncoding(QStringLiteral("UTF-8"));
  EXPECT_TRUE(Encoding->IsStored(Xml));
  EXPECT_EQ(TSeriesDataXLS(&Chart, nullptr).Properties().Count(), 4);
}

// Files of one chart in every format, read back by outside programs: made
// and read once for the suite, since the office suite is slow.
struct TReaderResults {
  QTemporaryDir Dir;
  QString Errors;  // every reader's failure, one per line
  QByteArray XmlBytes;
  QString XmlValues;  // the values xmllint reads back, joined by "|"
  Grid CsvCells, HtmlCells, XlsCells;
  QJsonArray XlrdRows;  // per row, per cell: [type, value]
  Grid Expected;        // the spreadsheet's cells as text
  QStringList S2Colors;
};

class TSeriesDataReadersTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Readers = std::make_unique<TReaderResults>();
    TReaderResults& R = *Readers;
    TChart Chart{nullptr};
    TLineSeries* Speed = AddLine<TGalleryTestSeries>(Chart, QStringLiteral("Speed & <Co>"));
    Speed->AddXY(10, 1.5, QStringLiteral("say \"hi\", ok"));
    Speed->AddNullXY(20, 0, QStringLiteral("a<b & c"));
    Speed->AddXY(30, 3, QStringLiteral("Cr\u00e8me \u20ac"));
    auto* Size = new TBubbleSeries(&Chart);
    Chart.AddSeries(Size);
    Size->SetTitle(QStringLiteral("Size"));
    Size->AddBubble(1, 2, 0.5);
    Size->AddBubble(2, 3, 0.25);
    Size->AddBubble(3, 4, 1);
    Size->AddBubble(4, 5, 2);
    for (int I = 0; I < 4; ++I) R.S2Colors << ColorText(Size->GetValueColor(I));

    const auto Save = [&R](TSeriesData& Data, const QString& Name) {
      Data.SetIncludeHeader(true);
      Data.SetIncludeIndex(true);
      Data.SaveToFile(R.Dir.filePath(Name));
    };
    TSeriesDataText Csv(&Chart, nullptr);
    Csv.SetTextDelimiter(u',');
    Csv.SetTextQuotes(QStringLiteral("\""));
    Save(Csv, QStringLiteral("data.csv"));
    TSeriesDataHTML Html(&Chart, nullptr);
    Save(Html, QStringLiteral("data.html"));
    TSeriesDataXLS Xls(&Chart, nullptr);
    Xls.SetIncludeColors(true);
    Save(Xls, QStringLiteral("data.xls"));
    RegisterKorSeries(TChartSeriesClass::Of<TGalleryTestSeries>(), &LineGalleryName);
    TSeriesDataXML Xml(&Chart, nullptr);
    Save(Xml, QStringLiteral("data.xml"));
    UnRegisterKorSeries({TChartSeriesClass::Of<TGalleryTestSeries>()});

    ReadXml(R);
    ReadWithOffice(R);
    ReadWithXlrd(R);
  }

  static void TearDownTestSuite() { Readers.reset(); }

  static void Fail(TReaderResults& R, const QString& Error) {
    if (!Error.isEmpty()) R.Errors += Error + u'\n';
  }

  static void ReadXml(TReaderResults& R) {
    const QString Path = R.Dir.filePath(QStringLiteral("data.xml"));
    R.XmlBytes = ReadBytes(Path);
    const QString Lint = FindProgram(QStringLiteral("xmllint"));
    if (Lint.isEmpty())
      return Fail(R, QStringLiteral("xmllint (package libxml2-utils) is not installed"));
    Fail(R, RunProgram(Lint, {QStringLiteral("--noout"), Path}, 60000));
    QByteArray Out;
    Fail(R, RunProgram(Lint,
                       {QStringLiteral("--xpath"),
                        QStringLiteral("concat(//series[1]/@title,'|',//series[1]/@type,'|',"
                                       "//series[1]/points/point[1]/@text,'|',"
                                       "//series[1]/points/point[2]/@text,'|',"
                                       "//series[1]/points/point[3]/@text,'|',"
                                       "//series[2]/points/@count,'|',"
                                       "//series[2]/points/point[4]/@Radius)"),
                        Path},
                       60000, &Out));
    R.XmlValues = QString::fromUtf8(Out).trimmed();
  }

  // Each kind of file needs its own import filter: one office run per kind.
  static void ReadWithOffice(TReaderResults& R) {
    const QString Office = FindProgram(QStringLiteral("soffice"));
    if (Office.isEmpty()) return Fail(R, QStringLiteral("LibreOffice (soffice) is not installed"));
    const QString Profile = QStringLiteral("-env:UserInstallation=file://") +
                            R.Dir.filePath(QStringLiteral("lo-profile"));
    const QString OutDir = R.Dir.filePath(QStringLiteral("csv"));
    const struct {
      QString Source, InFilter;
      Grid* Cells;
    } Runs[] = {{QStringLiteral("data.csv"), QStringLiteral("CSV:44,34,76"), &R.CsvCells},
                {QStringLiteral("data.html"), QStringLiteral("HTML (StarCalc)"), &R.HtmlCells},
                {QStringLiteral("data.xls"), QString(), &R.XlsCells}};
    for (const auto& Run : Runs) {
      QStringList Arguments{Profile, QStringLiteral("--headless"), QStringLiteral("--norestore")};
      if (!Run.InFilter.isEmpty()) Arguments << QStringLiteral("--infilter=") + Run.InFilter;
      Arguments << QStringLiteral("--convert-to")
                << QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76")
                << QStringLiteral("--outdir") << OutDir << R.Dir.filePath(Run.Source);
      Fail(R, RunProgram(Office, Arguments, 180000));
      const QString Out =
          QDir(OutDir).filePath(QFileInfo(Run.Source).completeBaseName() + QStringLiteral(".csv"));
      *Run.Cells = ParseCsv(QString::fromUtf8(ReadBytes(Out)));
    }
  }

  static void ReadWithXlrd(TReaderResults& R) {
    const QString Python = FindProgram(QStringLiteral("python3"));
    if (Python.isEmpty()) return Fail(R, QStringLiteral("python3 is not installed"));
    // Blank cells are told from missing ones only with formatting info.
    const QString Script = QStringLiteral(
        "import sys, os, json, xlrd\n"
        "book = xlrd.open_workbook(sys.argv[1], logfile=open(os.devnull, 'w'),"
        " formatting_info=True)\n"
        "sheet = book.sheet_by_index(0)\n"
        "print(json.dumps([[[c.ctype, c.value] for c in sheet.row(r)]"
        " for r in range(sheet.nrows)]))\n");
    QByteArray Out;
    Fail(R, RunProgram(Python, {QStringLiteral("-c"), Script, R.Dir.filePath("data.xls")}, 60000,
                       &Out));
    R.XlrdRows = QJsonDocument::fromJson(Out).array();
  }

  static inline std::unique_ptr<TReaderResults> Readers;
};

TEST_F(TSeriesDataReadersTest, EveryReaderIsPresentAndAcceptsTheFiles) {
  EXPECT_TRUE(Readers->Errors.isEmpty()) << Readers->Errors.toStdString();
}

TEST_F(TSeriesDataReadersTest, XmlIsWellFormedInItsDeclaredEncoding) {
  const QByteArray& Bytes = Readers->XmlBytes;
  EXPECT_TRUE(Bytes.startsWith("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<chart>\r\n"));
  EXPECT_TRUE(Bytes.endsWith("</series>\r\n\r\n</chart>"));
  EXPECT_TRUE(Bytes.contains("Cr\xe8me &#8364;"));
  EXPECT_EQ(Str(Readers->XmlValues),
            Str(QStringLiteral("Speed & <Co>|Lines & Points & More|"
                               "say \"hi\", ok|a<b & c|Cr\u00e8me \u20ac|4|2")));
}

TEST_F(TSeriesDataReadersTest, OfficeReadsTheTextAndTheTableCellByCell) {
  const QString Creme = QStringLiteral("Cr\u00e8me \u20ac");
  // Text: labels once per line (the first labelled series at each index).
  const Grid Csv = {{"Index", "Text", "X", "Speed & <Co>", "X", "Y", "Radius"},
                    {"0", "say \"hi\", ok", "10", "1.5", "1", "2", "0.5"},
                    {"1", "a<b & c", "20", "0", "2", "3", "0.25"},
                    {"2", Creme, "30", "3", "3", "4", "1"},
                    {"3", "", "", "", "4", "5", "2"}};
  EXPECT_EQ(Str(Readers->CsvCells), Str(Csv));
  // Table: labels per series.
  const Grid Html = {{"Index", "Text", "X", "Speed & <Co>", "Text", "X", "Y", "Radius"},
                     {"0", "say \"hi\", ok", "10", "1.5", "", "1", "2", "0.5"},
                     {"1", "a<b & c", "20", "0", "", "2", "3", "0.25"},
                     {"2", Creme, "30", "3", "", "3", "4", "1"},
                     {"3", "", "", "", "", "4", "5", "2"}};
  EXPECT_EQ(Str(Readers->HtmlCells), Str(Html));
}

TEST_F(TSeriesDataReadersTest, SpreadsheetCellsReadTheSameInBothReaders) {
  const QStringList& C = Readers->S2Colors;
  const QString Creme = QStringLiteral("Cr\u00e8me \u20ac");
  // The null point keeps its X; its Y is blank.
  const Grid Cells = {{"Index", "Text", "Colors", "X", "Y", "Text", "Colors", "X", "Y", "Radius"},
                      {"0", "say \"hi\", ok", "#ff0000", "10", "1.5", "", C[0], "1", "2", "0.5"},
                      {"1", "a<b & c", "#ffffff", "20", "", "", C[1], "2", "3", "0.25"},
                      {"2", Creme, "#ff0000", "30", "3", "", C[2], "3", "4", "1"},
                      {"3", "", "", "", "", "", C[3], "4", "5", "2"}};
  EXPECT_EQ(Str(Readers->XlsCells), Str(Cells));

  // xlrd tells the cell kinds apart: 1 label, 2 number, 6 blank.
  const QJsonArray& Rows = Readers->XlrdRows;
  ASSERT_EQ(Rows.size(), Cells.size());
  for (int Row = 0; Row < Cells.size(); ++Row) {
    const QJsonArray Got = Rows.at(Row).toArray();
    ASSERT_EQ(Got.size(), Cells[Row].size()) << "row " << Row;
    for (int Col = 0; Col < Got.size(); ++Col) {
      const QJsonArray Cell = Got.at(Col).toArray();
      const QString& Want = Cells[Row][Col];
      const bool Blank = Row > 0 && (Col == 3 || Col == 4 || Col >= 7) && Want.isEmpty();
      const bool Number = Row > 0 && (Col == 0 || Col == 3 || Col == 4 || Col >= 7) && !Blank;
      const int Type = Blank ? 6 : Number ? 2 : 1;
      EXPECT_EQ(Cell.at(0).toInt(), Type) << "row " << Row << " column " << Col;
      if (Number)
        EXPECT_DOUBLE_EQ(Cell.at(1).toDouble(), Want.toDouble())
            << "row " << Row << " column " << Col;
      else
        EXPECT_EQ(Cell.at(1).toString(), Want) << "row " << Row << " column " << Col;
    }
  }
}

}  // namespace
