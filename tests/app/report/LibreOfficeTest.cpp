// Reports must open in LibreOffice Writer with their text and pictures, and
// documents Writer saves as RTF must open here. These tests convert with
// Writer itself; they are skipped only where Writer is not installed.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "app/Configuration.h"
#include "app/FolderBrowserDialog.h"
#include "app/KorvaleUnit.h"
#include "app/UnitKorvaleCompare.h"
#include "app/UnitSedDataView.h"
#include "app/report/FileReporter.h"
#include "app/report/ReportFile.h"
#include "app/report/ReportPicture.h"
#include "app/report/ReportTextEdit.h"
#include "app/report/TextEditor.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "tests/app/SimulatedChannel.h"
#include "tests/app/report/ReportDocs.h"
#include "tests/support/ModalScript.h"
#include "tests/support/OutsideProgram.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;
using namespace reportdocs;

namespace {

constexpr int ConversionTimeout = 180'000;  // ms; a first start of Writer is slow

QString Q(const fs::path& Path) {
  return QString::fromStdString(Path.string());
}

class LibreOfficeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Soffice = QStandardPaths::findExecutable("soffice");
    if (Soffice.isEmpty()) GTEST_SKIP() << "LibreOffice Writer (soffice) is not installed";
    Dir = FreshTestDir("libreoffice");
  }

  // Converts Source into Dir/out with Writer; the converted file's path.
  fs::path Convert(const fs::path& Source, const QString& Format) {
    const fs::path out = Dir / "out";
    fs::create_directories(out);
    // A private profile: no interference with a user's Writer or with
    // other tests converting at the same time.
    const QString profile = QStringLiteral("-env:UserInstallation=file://") + Q(Dir / "profile");
    QProcess process;
    process.start(Soffice, {profile, "--headless", "--norestore", "--convert-to", Format,
                            "--outdir", Q(out), Q(Source)});
    const bool finished = process.waitForFinished(ConversionTimeout);
    if (!finished) process.kill();
    EXPECT_TRUE(finished) << "soffice did not finish converting " << Source;
    const QString extension = Format.section(u':', 0, 0);
    const fs::path result = out / (Source.stem().string() + "." + extension.toStdString());
    EXPECT_TRUE(fs::exists(result)) << process.readAllStandardError().toStdString();
    return result;
  }

  // A report as the builder writes it: centred bold title, coloured text,
  // a chart picture with a known colour.
  fs::path WriteOwnReport(const std::string& Name) {
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(16);
    cursor.insertText("Sedimentation report \u00e9\u20ac", bold);
    cursor.insertBlock();
    QTextCharFormat red;
    red.setForeground(QColor(200, 0, 0));
    red.setFontItalic(true);
    cursor.insertText("Data from run7 containing 2 files.", red);
    cursor.insertBlock();
    InsertReportPicture(cursor, Solid(120, 80, QColor(0, 0, 255)));
    cursor.insertBlock();
    cursor.insertText("End of report");
    ReportFile file;
    const fs::path path = Dir / Name;
    EXPECT_TRUE(file.Save(Q(path), doc)) << file.ErrorText().toStdString();
    return path;
  }

  void ExpectOwnReport(const fs::path& Rtf) {
    QTextDocument doc;
    ReportFile file;
    ASSERT_TRUE(file.Load(Q(Rtf), doc)) << file.ErrorText().toStdString();
    const QString text = Text(doc);
    EXPECT_TRUE(text.contains("Sedimentation report \u00e9\u20ac")) << text.toStdString();
    EXPECT_TRUE(text.contains("Data from run7 containing 2 files.")) << text.toStdString();
    EXPECT_TRUE(text.contains("End of report")) << text.toStdString();
    const auto pictures = Pictures(doc);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].Image.size(), QSize(120, 80));
    EXPECT_EQ(pictures[0].Image.pixelColor(60, 40), QColor(0, 0, 255));
    EXPECT_NEAR(pictures[0].Width, 120, 1);
    EXPECT_NEAR(pictures[0].Height, 80, 1);
  }

  // A Writer document with a picture anchored to its paragraph (a drawing
  // shape), one placed as a character, a 2 x 2 table and a paragraph in a
  // monospaced font.
  fs::path WriteWriterDocument(const std::string& Name) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    Solid(20, 10, QColor(255, 0, 0)).save(&buffer, "PNG");
    const QByteArray picture =
        "<draw:image><office:binary-data>" + png.toBase64() + "</office:binary-data></draw:image>";
    const QByteArray cell = "<table:table-cell><text:p>%1</text:p></table:table-cell>";
    auto row = [&cell](const char* A, const char* B) {
      return "<table:table-row>" + QByteArray(cell).replace("%1", A) +
             QByteArray(cell).replace("%1", B) + "</table:table-row>";
    };
    const QByteArray document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
        "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
        "office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.text\">"
        "<office:font-face-decls><style:font-face style:name=\"DejaVu Sans Mono\" "
        "svg:font-family=\"'DejaVu Sans Mono'\" style:font-pitch=\"fixed\"/>"
        "</office:font-face-decls><office:automatic-styles>"
        "<style:style style:name=\"fr1\" style:family=\"graphic\"><style:graphic-properties "
        "style:wrap=\"parallel\" style:vertical-pos=\"top\" style:horizontal-pos=\"center\"/>"
        "</style:style>"
        "<style:style style:name=\"P1\" style:family=\"paragraph\"><style:text-properties "
        "style:font-name=\"DejaVu Sans Mono\"/></style:style></office:automatic-styles>"
        "<office:body><office:text>"
        "<text:p>Floating<draw:frame draw:style-name=\"fr1\" draw:name=\"f1\" "
        "text:anchor-type=\"paragraph\" "
        "svg:width=\"2cm\" svg:height=\"1cm\">" +
        picture +
        "</draw:frame></text:p>"
        "<text:p>Inline<draw:frame draw:name=\"f2\" text:anchor-type=\"as-char\" "
        "svg:width=\"2cm\" svg:height=\"1cm\">" +
        picture +
        "</draw:frame></text:p>"
        "<table:table table:name=\"T\"><table:table-column table:number-columns-repeated=\"2\"/>" +
        row("a1", "b1") + row("a2", "b2 long") +
        "</table:table><text:p text:style-name=\"P1\">mono text</text:p>"
        "</office:text></office:body></office:document>";
    const fs::path path = Dir / Name;
    QFile file(Q(path));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(document);
    return path;
  }

  // The tables of Document as "|cell|cell|" rows.
  static QStringList TableRows(const QTextDocument& Document) {
    QStringList rows;
    for (auto it = Document.rootFrame()->begin(); !it.atEnd(); ++it) {
      const auto* table = qobject_cast<QTextTable*>(it.currentFrame());
      if (table == nullptr) continue;
      for (int r = 0; r < table->rows(); ++r) {
        QString row = "|";
        for (int c = 0; c < table->columns(); ++c) {
          const QTextTableCell cell = table->cellAt(r, c);
          QTextCursor cursor = cell.firstCursorPosition();
          cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
          row += cursor.selectedText() + "|";
        }
        rows.append(row);
      }
    }
    return rows;
  }

  QString Soffice;
  fs::path Dir;
};

TEST_F(LibreOfficeTest, OwnReportOpensInWriterAndComesBackWithTextAndPicture) {
  const fs::path ours = WriteOwnReport("report.rtf");
  ExpectOwnReport(ours);
  // Writer reads our file and writes its own RTF of it.
  const fs::path odt = Convert(ours, "odt");
  ASSERT_TRUE(fs::exists(odt));
  fs::rename(odt, Dir / "fromwriter.odt");
  const fs::path writers = Convert(Dir / "fromwriter.odt", "rtf");
  ASSERT_TRUE(fs::exists(writers));
  ExpectOwnReport(writers);
}

TEST_F(LibreOfficeTest, WriterShowsTheReportsTextAndPictureOnThePage) {
  const fs::path pdf = Convert(WriteOwnReport("printed.rtf"), "pdf");
  ASSERT_TRUE(fs::exists(pdf));
  const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
  if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";
  QProcess process;
  process.start(pdftoppm,
                {"-png", "-r", "96", "-f", "1", "-l", "1", "-singlefile", Q(pdf), Q(Dir / "page")});
  ASSERT_TRUE(process.waitForFinished(60'000));
  const QImage page(Q(Dir / "page.png"));
  ASSERT_FALSE(page.isNull());
  // At 96 dpi the 120 x 80 pixel picture covers about 120 x 80 pixels of
  // pure blue (scaling may blur one row or column at each edge); the red
  // line's letters show too.
  int blue = 0;
  int red = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QColor c = page.pixelColor(x, y);
      if (c.blue() > 200 && c.red() < 40 && c.green() < 40) ++blue;
      if (c.red() > 150 && c.green() < 80 && c.blue() < 80) ++red;
    }
  }
  EXPECT_GT(blue, 116 * 76);
  EXPECT_LT(blue, 124 * 84);
  EXPECT_GT(red, 10);
}

TEST_F(LibreOfficeTest, WriterSeesTheBulletedParagraphsAsAList) {
  QTextDocument doc;
  QTextCursor cursor(&doc);
  cursor.insertText("Intro line");
  cursor.insertBlock();
  cursor.createList(QTextListFormat::ListDisc);
  cursor.insertText("Alpha item");
  cursor.insertBlock();
  cursor.insertText("Beta item");
  cursor.insertBlock();
  cursor.currentList()->remove(cursor.block());
  QTextBlockFormat plain = cursor.blockFormat();
  plain.setIndent(0);
  cursor.setBlockFormat(plain);
  cursor.insertText("Closing line");
  const fs::path rtf = Dir / "bullets.rtf";
  ReportFile file;
  ASSERT_TRUE(file.Save(Q(rtf), doc)) << file.ErrorText().toStdString();

  const QString error = OfficeConvert({Q(rtf)}, "html", Q(Dir / "html"));
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();
  QFile html(Q(Dir / "html" / "bullets.html"));
  ASSERT_TRUE(html.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(html.readAll()).simplified();
  // Writer made exactly the two bulleted paragraphs one list, with no
  // bullet character of its own in their text.
  const QRegularExpression list(QStringLiteral("<ul[^>]*>(.*?)</ul>"));
  const QRegularExpressionMatch found = list.match(page);
  ASSERT_TRUE(found.hasMatch()) << page.toStdString();
  const QString items = found.captured(1);
  EXPECT_EQ(items.count(QStringLiteral("<li")), 2) << items.toStdString();
  EXPECT_EQ(QString(items).remove(QRegularExpression("<[^>]*>")).simplified(),
            "Alpha item Beta item");
  EXPECT_TRUE(page.contains("Intro line") && page.contains("Closing line"));
  EXPECT_FALSE(items.contains("Intro") || items.contains("Closing"));

  // Writer's own RTF of the report (its newer list form) brings the bullets back.
  const fs::path odt = Convert(rtf, "odt");
  fs::rename(odt, Dir / "bulletsfromwriter.odt");
  const fs::path writers = Convert(Dir / "bulletsfromwriter.odt", "rtf");
  QTextDocument again;
  ASSERT_TRUE(file.Load(Q(writers), again)) << file.ErrorText().toStdString();
  QStringList bulleted;
  for (QTextBlock block = again.begin(); block.isValid(); block = block.next()) {
    if (block.textList() != nullptr) bulleted.append(block.text());
  }
  EXPECT_EQ(bulleted, QStringList({"Alpha item", "Beta item"}));
  EXPECT_EQ(Text(again), Text(doc));
}

// A report as a user builds it: two viewers of two runs copy each of
// their four charts into it, the comparison copies its overlay. Writer must
// print every picture inside the page's margins, and Korvale must read the
// saved report back with every picture.
TEST_F(LibreOfficeTest, EveryChartCopiedIntoTheReportLiesInsideThePagesMargins) {
  RegisterSeriesTypes();
  const fs::path root = Dir / "runs";
  const SimulatedChannel& channel = SimulatedChannel::Absorbance(10);
  for (const char* run : {"run1", "run2"}) {
    fs::create_directories(root / run);
    channel.WriteRange(root / run, 0, channel.Files.size());
  }
  Configuration config(nullptr, "korvale", Q(Dir));
  {
    ModalScript script;
    script.AnswerFile(false);  // the report asks for its logo when first shown
    script.AnswerForm([&](QDialog& dialog) {
      auto& chooser = dynamic_cast<FolderBrowserDialog&>(dialog);
      EXPECT_TRUE(chooser.SelectFolder(Q(root)));
      chooser.ButtonOKClick();
      return chooser.result();
    });
    TKorvaleForm form;
    form.resize(1366, 740);
    form.show();
    QCoreApplication::processEvents();
    form.btnSetInputDirClick();
    ASSERT_EQ(form.ListBoxDataDirs->count(), 2);
    for (int row = 0; row < 2; ++row) {
      form.ListBoxDataDirs->setCurrentRow(row);
      form.ListBoxDataDirsClick();
      form.ButtonLaunchClick();
    }
    ASSERT_EQ(form.OpenViewers().size(), 2u);
    // The viewers take the scans once they have seen them rest.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    const auto loaded = [&] {
      const std::vector<TSedDataView*> viewers = form.OpenViewers();
      return std::all_of(viewers.begin(), viewers.end(),
                         [](const TSedDataView* v) { return v->GetDataLoaded(); });
    };
    while (!loaded() && std::chrono::steady_clock::now() < deadline) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(loaded());
    for (TSedDataView* viewer : form.OpenViewers())
      for (int chart = 0; chart < 4; ++chart) viewer->CopyRawBtnClick(chart);
    KorvaleCompare->ListBoxOpenWindows->selectAll();
    form.PC->setCurrentWidget(form.CompareSheet);
    QCoreApplication::processEvents();
    KorvaleCompare->BitBtn2Click();
    const QTextDocument& report = *FileRptFrm->Editor()->RichEdit1->document();
    const auto pictures = Pictures(report);
    ASSERT_EQ(pictures.size(), 9);
    for (const auto& picture : pictures) EXPECT_LE(picture.Width, 624.0);
    EXPECT_EQ(pictures[0].Image.size(), QSize(800, 400));
    ASSERT_TRUE(FileRptFrm->Editor()->SaveRtfFile(Q(Dir / "charts.rtf")));
    // The main window asks about the unsaved report when it closes.
    script.AnswerMessage(mrNo);
    form.close();
  }
  UnRegisterSeriesTypes();

  const fs::path pdf = Convert(Dir / "charts.rtf", "pdf");
  ASSERT_TRUE(fs::exists(pdf));
  const QVector<PdfPicture> printed = PdfPictures(Q(pdf));
  ASSERT_EQ(printed.size(), 9);
  for (const PdfPicture& picture : printed)
    EXPECT_LE(picture.Width / picture.XPpi, 6.5 + 0.02)
        << picture.Width << " pixels on page " << picture.Page;
  // Nothing of any page lies in its inch-wide margins (Letter paper).
  constexpr int Dpi = 40;
  const int pages = PdfPageCount(Q(pdf));
  ASSERT_GE(pages, 3);
  for (int page = 1; page <= pages; ++page) {
    QString why;
    const QImage image = RenderPdfPage(Q(pdf), page, Dpi, Q(Dir / "render"), &why);
    ASSERT_FALSE(image.isNull()) << why.toStdString();
    EXPECT_EQ(image.width(), 340);  // 8.5 inches
    const QRect ink = InkBounds(image);
    EXPECT_GE(ink.left(), Dpi - 1) << "page " << page;
    EXPECT_LE(ink.right(), image.width() - Dpi) << "page " << page;
    EXPECT_GE(ink.top(), Dpi - 1) << "page " << page;
    EXPECT_LE(ink.bottom(), image.height() - Dpi) << "page " << page;
  }

  // Reopened in Korvale, the report has every picture with its pixels.
  QTextDocument again;
  ReportFile file;
  ASSERT_TRUE(file.Load(Q(Dir / "charts.rtf"), again)) << file.ErrorText().toStdString();
  const auto pictures = Pictures(again);
  ASSERT_EQ(pictures.size(), 9);
  EXPECT_EQ(pictures[0].Image.size(), QSize(800, 400));
  EXPECT_DOUBLE_EQ(pictures[0].Width, 624.0);
}

// A report laid out on A4 with a wide left margin: Writer takes the paper
// and margins the file states, not its own, and the chart lies between them.
TEST_F(LibreOfficeTest, AChartOnAnA4PageWithAWideMarginLiesBetweenItsMargins) {
  ReportPage a4;
  a4.PaperWidth = 11906;
  a4.PaperHeight = 16838;
  a4.MarginLeft = 2160;  // 1.5 inches
  QTextDocument doc;
  a4.SetOn(doc);
  QTextCursor cursor(&doc);
  cursor.insertText("Chart on A4");
  cursor.insertBlock();
  ASSERT_TRUE(InsertReportPicture(cursor, Solid(800, 400, QColor(0, 0, 255))));
  const fs::path rtf = Dir / "a4.rtf";
  ReportFile file;
  ASSERT_TRUE(file.Save(Q(rtf), doc)) << file.ErrorText().toStdString();

  const fs::path pdf = Convert(rtf, "pdf");
  ASSERT_TRUE(fs::exists(pdf));
  const QVector<PdfPicture> printed = PdfPictures(Q(pdf));
  ASSERT_EQ(printed.size(), 1);
  EXPECT_EQ(printed[0].Width, 800);  // every pixel kept, shown as wide as the text
  EXPECT_NEAR(printed[0].Width / printed[0].XPpi, a4.TextWidth() / 1440.0, 0.02);
  constexpr int Dpi = 40;
  QString why;
  const QImage page = RenderPdfPage(Q(pdf), 1, Dpi, Q(Dir / "render"), &why);
  ASSERT_FALSE(page.isNull()) << why.toStdString();
  EXPECT_NEAR(page.width(), 8.27 * Dpi, 1);
  EXPECT_NEAR(page.height(), 11.69 * Dpi, 1);
  QRect blue;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      const QColor c = page.pixelColor(x, y);
      if (c.blue() > 200 && c.red() < 60 && c.green() < 60) blue |= QRect(x, y, 1, 1);
    }
  // Its edges at the margins, to within the pixel each edge blurs.
  EXPECT_NEAR(blue.left(), 1.5 * Dpi, 2);
  EXPECT_NEAR(blue.right(), 8.27 * Dpi - Dpi, 2);
  EXPECT_GE(InkBounds(page).left(), 1.5 * Dpi - 1);
}

TEST_F(LibreOfficeTest, WritersPicturesTableAndMonospacedFontComeInOnceAndGoBackAsTheyWere) {
  const fs::path writers = Convert(WriteWriterDocument("writer.fodt"), "rtf");
  QTextDocument doc;
  ReportFile file;
  ASSERT_TRUE(file.Load(Q(writers), doc)) << file.ErrorText().toStdString();
  // Each picture once, though Writer stores the inline one twice (as a
  // picture and as its fallback for older readers) and the floating one
  // twice (as the shape's picture and as its fill).
  const auto pictures = Pictures(doc);
  ASSERT_EQ(pictures.size(), 2);
  for (const auto& picture : pictures) {
    EXPECT_EQ(picture.Image.size(), QSize(20, 10));
    EXPECT_EQ(picture.Image.pixelColor(5, 5), QColor(255, 0, 0));
  }
  EXPECT_EQ(TableRows(doc), QStringList({"|a1|b1|", "|a2|b2 long|"}));
  const QTextBlock mono = doc.findBlockByNumber(doc.blockCount() - 1);
  ASSERT_EQ(mono.text(), "mono text");
  QTextCursor cursor(mono);
  cursor.movePosition(QTextCursor::NextCharacter);
  EXPECT_TRUE(cursor.charFormat().fontFixedPitch());

  // Saved by us, Writer sees the table and the pictures, and its own RTF
  // of our file brings the table back once more.
  const fs::path ours = Dir / "ours.rtf";
  ASSERT_TRUE(file.Save(Q(ours), doc)) << file.ErrorText().toStdString();
  const QString error = OfficeConvert({Q(ours)}, "html", Q(Dir / "html"));
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();
  QFile html(Q(Dir / "html" / "ours.html"));
  ASSERT_TRUE(html.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(html.readAll()).simplified();
  EXPECT_EQ(page.count(QStringLiteral("<table")), 1) << page.toStdString();
  EXPECT_EQ(page.count(QStringLiteral("<tr")), 2) << page.toStdString();
  EXPECT_EQ(page.count(QStringLiteral("<td")), 4) << page.toStdString();
  EXPECT_EQ(page.count(QStringLiteral("<img")), 2) << page.toStdString();
  EXPECT_TRUE(page.contains("DejaVu Sans Mono")) << page.toStdString();
  const fs::path odt = Convert(ours, "odt");
  fs::rename(odt, Dir / "oursinwriter.odt");
  QTextDocument again;
  ASSERT_TRUE(file.Load(Q(Convert(Dir / "oursinwriter.odt", "rtf")), again))
      << file.ErrorText().toStdString();
  EXPECT_EQ(TableRows(again), QStringList({"|a1|b1|", "|a2|b2 long|"}));
  EXPECT_EQ(Pictures(again).size(), 2);
}

}  // namespace
