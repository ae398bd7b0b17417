#include "app/report/RtfReader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include "app/report/ReportPicture.h"
#include "app/report/RtfWriter.h"
#include "tests/app/report/ReportDocs.h"
#include "tests/support/TestSupport.h"

using namespace reportdocs;

namespace {

class RtfReaderTest : public ::testing::Test {
 protected:
  bool Read(const QByteArray& Data) {
    Doc.clear();
    QTextCursor cursor(&Doc);
    return Reader.Read(Data, cursor);
  }
  QTextCharFormat FormatAt(int Block, int Offset = 0) const {
    const QTextBlock block = Doc.findBlockByNumber(Block);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + Offset + 1);
    return cursor.charFormat();
  }
  static QByteArray PngHex(const QImage& Image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    Image.save(&buffer, "PNG");
    return png.toHex();
  }

  // Each paragraph's text, with "*" before the ones in a disc list.
  QStringList Paragraphs() const {
    QStringList paragraphs;
    for (QTextBlock block = Doc.begin(); block.isValid(); block = block.next()) {
      const QTextList* list = block.textList();
      const bool disc = list != nullptr && list->format().style() == QTextListFormat::ListDisc;
      paragraphs.append((disc ? "*" : "") + block.text());
    }
    return paragraphs;
  }

  // The document's paragraphs and tables in order: a table row as
  // "|cell|cell|", a cell's paragraphs joined by "/", "*n" after a cell
  // spanning n columns.
  static QStringList Layout(const QTextDocument& Document) {
    QStringList items;
    for (auto it = Document.rootFrame()->begin(); !it.atEnd(); ++it) {
      const auto* table = qobject_cast<QTextTable*>(it.currentFrame());
      if (table == nullptr) {
        items.append(it.currentBlock().text());
        continue;
      }
      for (int r = 0; r < table->rows(); ++r) {
        QString row = "|";
        for (int c = 0; c < table->columns(); ++c) {
          const QTextTableCell cell = table->cellAt(r, c);
          if (cell.row() != r || cell.column() != c) continue;
          QStringList text;
          for (QTextBlock b = Document.findBlock(cell.firstPosition());
               b.isValid() && b.position() <= cell.lastPosition(); b = b.next())
            text.append(b.text());
          row += text.join('/');
          if (cell.columnSpan() > 1) row += "*" + QString::number(cell.columnSpan());
          row += "|";
        }
        items.append(row);
      }
    }
    return items;
  }
  // The document read has the layout Expected, and so has the file our
  // writer makes of it when read again, which writes the same bytes; the
  // file written.
  QByteArray ExpectLayoutKeptByWriting(const QStringList& Expected) {
    EXPECT_EQ(Layout(Doc), Expected);
    const QByteArray rtf = RtfWriter(Doc).Write();
    EXPECT_TRUE(Read(rtf)) << Reader.ErrorText().toStdString();
    EXPECT_EQ(Layout(Doc), Expected);
    EXPECT_EQ(RtfWriter(Doc).Write(), rtf);
    return rtf;
  }
  QTextTable* FirstTable() const {
    for (auto it = Doc.rootFrame()->begin(); !it.atEnd(); ++it)
      if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) return table;
    return nullptr;
  }

  QTextDocument Doc;
  RtfReader Reader;
};

TEST_F(RtfReaderTest, OwnReportSurvivesWriteAndReadWithFormatsAlignmentAndPictures) {
  QTextDocument source;
  QTextCursor cursor(&source);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  cursor.setBlockFormat(centred);
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  bold.setFontPointSize(14);
  bold.setFontFamilies(QStringList{"DejaVu Serif"});
  cursor.insertText("Run {7} \\ caf\u00e9 \u20ac \U0001F600", bold);
  cursor.insertBlock();
  QTextBlockFormat right;
  right.setAlignment(Qt::AlignRight);
  cursor.setBlockFormat(right);
  QTextCharFormat styled;
  styled.setFontItalic(true);
  styled.setFontUnderline(true);
  styled.setFontStrikeOut(true);
  styled.setForeground(QColor(200, 30, 40));
  cursor.insertText("a\tb\u2028c", styled);
  ASSERT_TRUE(InsertReportPicture(cursor, Solid(30, 20, Qt::blue), QSizeF(60, 40)));
  cursor.insertBlock();  // an empty last paragraph

  ASSERT_TRUE(Read(RtfWriter(source).Write())) << Reader.ErrorText().toStdString();
  EXPECT_EQ(Text(Doc), Text(source));
  ASSERT_EQ(Doc.blockCount(), 3);
  EXPECT_EQ(Doc.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignHCenter);
  EXPECT_EQ(Doc.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignRight);
  const QTextCharFormat first = FormatAt(0);
  EXPECT_EQ(first.fontWeight(), QFont::Bold);
  EXPECT_EQ(first.fontPointSize(), 14);
  EXPECT_EQ(first.fontFamilies().toStringList(), QStringList{"DejaVu Serif"});
  const QTextCharFormat second = FormatAt(1);
  EXPECT_TRUE(second.fontItalic() && second.fontUnderline() && second.fontStrikeOut());
  EXPECT_NE(second.fontWeight(), QFont::Bold);
  EXPECT_EQ(second.foreground().color(), QColor(200, 30, 40));
  const auto pictures = Pictures(Doc);
  ASSERT_EQ(pictures.size(), 1);
  EXPECT_EQ(pictures[0].Image.size(), QSize(30, 20));
  EXPECT_EQ(pictures[0].Image.pixelColor(5, 5), QColor(Qt::blue));
  EXPECT_EQ(pictures[0].Width, 60);
  EXPECT_EQ(pictures[0].Height, 40);
}

TEST_F(RtfReaderTest, BulletedParagraphsSurviveWriteAndReadAndPlainOnesStayPlain) {
  QTextDocument source;
  QTextCursor cursor(&source);
  cursor.insertText("Before");
  cursor.insertBlock();
  cursor.createList(QTextListFormat::ListDisc);  // as the editor's Bullets command does
  cursor.insertText("First item");
  cursor.insertBlock();
  cursor.insertText("Second item");
  cursor.insertBlock();
  cursor.currentList()->remove(cursor.block());
  QTextBlockFormat plain = cursor.blockFormat();
  plain.setIndent(0);
  plain.setAlignment(Qt::AlignHCenter);
  cursor.setBlockFormat(plain);
  cursor.insertText("After");
  ASSERT_EQ(source.findBlockByNumber(3).textList(), nullptr);

  const QByteArray rtf = RtfWriter(source).Write();
  // Bulleted paragraphs carry their numbering, a written bullet for readers
  // without numbering and a hanging indent; plain ones carry none of these.
  EXPECT_EQ(rtf.count("{\\*\\pn\\pnlvlblt"), 2) << rtf.toStdString();
  EXPECT_EQ(rtf.count("{\\pntext"), 2);
  EXPECT_EQ(rtf.count("\\fi-360\\li600"), 2);  // one 40-pixel indent level
  EXPECT_TRUE(rtf.contains("\\pard\\ql\\sb0\\sa0\\plain"));
  EXPECT_TRUE(rtf.contains("\\pard\\qc\\sb0\\sa0\\plain"));

  ASSERT_TRUE(Read(rtf)) << Reader.ErrorText().toStdString();
  EXPECT_EQ(Paragraphs(), QStringList({"Before", "*First item", "*Second item", "After"}));
  EXPECT_EQ(Doc.findBlockByNumber(1).textList(), Doc.findBlockByNumber(2).textList());
  EXPECT_FALSE(Doc.toPlainText().contains(QChar(0x2022)));
  EXPECT_EQ(Doc.findBlockByNumber(3).blockFormat().indent(), 0);
  EXPECT_EQ(Doc.findBlockByNumber(3).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignHCenter);
  // What was read writes the same file again.
  EXPECT_EQ(RtfWriter(Doc).Write(), rtf);
}

TEST_F(RtfReaderTest, WrittenBulletAloneMarksABulletedParagraphButANumberDoesNot) {
  ASSERT_TRUE(
      Read("{\\rtf1 plain\\par{\\pntext\\f0\\'95\\tab}item\\par"
           "{\\pntext\\f0 2.\\tab}numbered\\par{\\pntext\\bullet\\tab}{\\b bold} item\\par last}"));
  EXPECT_EQ(Paragraphs(), QStringList({"plain", "*item", "numbered", "*bold item", "last"}));
}

TEST_F(RtfReaderTest, ReadsBulletsAsWordProcessorsWriteThem) {
  // Numbering properties last until \pard, so a later paragraph may carry
  // only its written bullet; the newer list form writes \listtext before \pard.
  ASSERT_TRUE(
      Read("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fcharset2 Symbol;}}\n"
           "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}\n"
           "\\pard\\f0\\fs20 Intro\\par\n"
           "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
           "\\fi-720\\li720 one\\par\n"
           "{\\pntext\\f1\\'B7\\tab}two\\par\n"
           "\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}"
           "\\fi-360\\li360 counted\\par\n"
           "\\pard plain\\par\n"
           "{\\listtext\\pard\\plain\\f1 \\'b7\\tab}\\pard\\plain\\fi-360\\li720\\ls1\\ilvl0 "
           "three\\par\n"
           "\\pard end\\par}"));
  EXPECT_EQ(Paragraphs(),
            QStringList({"Intro", "*one", "*two", "counted", "plain", "*three", "end"}));
  EXPECT_EQ(Doc.findBlockByNumber(1).textList(), Doc.findBlockByNumber(2).textList());
}

TEST_F(RtfReaderTest, UnknownWordsAreIgnoredAndUnknownStarGroupsSkipped) {
  ASSERT_TRUE(
      Read("{\\rtf1\\ansi{\\*\\future {\\b hidden}}\\newword42 kept {\\info{\\title T}}"
           "{\\stylesheet{\\s0 Normal;}}{\\mystery shown}\\'e9\\'80\\u8364?\\uc2\\u946xy z"
           "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}\\~\\par}"));
  EXPECT_EQ(Doc.toRawText(), QString("kept shown\u00e9\u20ac\u20ac\u03b2 zlink\u00a0"));
}

TEST_F(RtfReaderTest, TrailingParagraphMarkAddsNoEmptyParagraphButTwoMarksDo) {
  ASSERT_TRUE(Read("{\\rtf1 a\\par}"));
  EXPECT_EQ(Doc.blockCount(), 1);
  ASSERT_TRUE(Read("{\\rtf1 a\\par\\par}"));
  EXPECT_EQ(Doc.blockCount(), 2);
  ASSERT_TRUE(Read("{\\rtf1 a\\cell b\\cell\\row c}"));
  EXPECT_EQ(Doc.toPlainText(), "a\tb\t\nc");
}

TEST_F(RtfReaderTest, ParagraphsReadTogetherKeepTheirOwnTextFormatsAndAlignment) {
  // Paragraphs of one format go into the document together; each keeps the
  // alignment in force at its mark, its text and its formats.
  ASSERT_TRUE(
      Read("{\\rtf1 a\\par\\par{\\b b}\\par c\\qc\\par d\\par\\pard e\\par\\ql f\\par\\par}"));
  EXPECT_EQ(Paragraphs(), QStringList({"a", "", "b", "c", "d", "e", "f", ""}));
  const Qt::Alignment left = Qt::AlignLeft;
  const Qt::Alignment centre = Qt::AlignHCenter;
  const std::vector<Qt::Alignment> expected{left, left, left, centre, centre, left, left, left};
  for (int i = 0; i < Doc.blockCount(); ++i)
    EXPECT_EQ(Doc.findBlockByNumber(i).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              expected[static_cast<size_t>(i)])
        << i;
  EXPECT_EQ(FormatAt(2).fontWeight(), QFont::Bold);
  EXPECT_EQ(FormatAt(3).fontWeight(), QFont::Normal);

  // A long text goes in in pieces; no paragraph is lost, doubled or split.
  QByteArray many = "{\\rtf1 ";
  for (int i = 0; i < 3000; ++i)
    many += "paragraph " + QByteArray::number(i) + ' ' + QByteArray(40, 'x') + "\\par\n";
  ASSERT_TRUE(Read(many + "}"));
  ASSERT_EQ(Doc.blockCount(), 3000);
  for (const int i : {0, 1234, 2999})
    EXPECT_EQ(Doc.findBlockByNumber(i).text(),
              "paragraph " + QString::number(i) + ' ' + QString(40, u'x'));
}

TEST_F(RtfReaderTest, ReadsPicturesOfEveryKindOthersWriteAndSkipsFallbacks) {
  const QByteArray png = PngHex(Solid(4, 3, Qt::red));
  // A 2 x 1 device-independent bitmap, 24 bits, rows padded to 4 bytes.
  const QByteArray dib = QByteArray::fromHex(
      "28000000020000000100000001001800000000000800000000000000000000000000000000000000"
      "0000ff00ff000000");
  const QByteArray rtf =
      "{\\rtf1{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn n}{\\sv v}}}"
      "\\picscalex50\\picscaley100\\picwgoal900\\pichgoal450\\pngblip " +
      png + "}}{\\nonshppict{\\pict\\wmetafile8 0100}}" + "{\\pict\\dibitmap0 " + dib.toHex() +
      "}" + "{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv {\\pict\\pngblip " + png +
      "}}}}{\\shprslt{\\pict\\pngblip " + png + "}}}" + "{\\pict\\emfblip 0102}}";
  ASSERT_TRUE(Read(rtf)) << Reader.ErrorText().toStdString();
  const auto pictures = Pictures(Doc);
  ASSERT_EQ(pictures.size(), 3);
  EXPECT_EQ(pictures[0].Image.size(), QSize(4, 3));
  EXPECT_EQ(pictures[0].Width, 30);  // 900 twips at 50 %
  EXPECT_EQ(pictures[0].Height, 30);
  ASSERT_EQ(pictures[1].Image.size(), QSize(2, 1));
  EXPECT_EQ(pictures[1].Image.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(pictures[1].Image.pixelColor(1, 0), QColor(Qt::green));
  EXPECT_EQ(pictures[2].Image.size(), QSize(4, 3));
  EXPECT_TRUE(Text(Doc).isEmpty());
}

TEST_F(RtfReaderTest, TablesAsWriterSavesThemStayTablesAndAreWrittenAsTableRows) {
  ASSERT_TRUE(
      Read("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}}\n"
           "\\pard\\plain before\\par\n"
           "\\trowd\\trql\\trpaddl0\\cellx4819\\cellx9638\\pard\\plain\\intbl\\ql{\\loch\na1}"
           "\\cell\\pard\\plain\\intbl{\\loch\nb1}\\cell\\row\\pard\n"
           "\\trowd\\trql\\cellx4819\\cellx9638\\pard\\plain\\intbl a2\\par second\\cell"
           "\\pard\\plain\\intbl\\qc b2 long\\cell\\row\\pard\\pard\\plain after\\par}"))
      << Reader.ErrorText().toStdString();
  const QTextTable* table = FirstTable();
  ASSERT_NE(table, nullptr);
  const auto widths = table->format().columnWidthConstraints();
  ASSERT_EQ(widths.size(), 2);
  EXPECT_NEAR(widths[0].rawValue(), 4819 / 15.0, 1e-9);  // pixels at 96 per inch
  EXPECT_NEAR(widths[1].rawValue(), (9638 - 4819) / 15.0, 1e-9);
  const QTextBlock b2 = Doc.findBlock(table->cellAt(1, 1).firstPosition());
  EXPECT_EQ(b2.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

  const QByteArray rtf =
      ExpectLayoutKeptByWriting({"before", "|a1|b1|", "|a2/second|b2 long|", "after"});
  EXPECT_EQ(rtf.count("\\trowd"), 2) << rtf.toStdString();
  EXPECT_EQ(rtf.count("\\cellx4819"), 2);
  EXPECT_EQ(rtf.count("\\cellx9638"), 2);
  EXPECT_EQ(rtf.count("\\intbl"), 5);
  EXPECT_EQ(rtf.count("\\cell\n"), 4);
  EXPECT_EQ(rtf.count("\\row"), 2);
}

TEST_F(RtfReaderTest, CellsCoverTheColumnsBetweenTheirEdges) {
  ASSERT_TRUE(
      Read("{\\rtf1 \\trowd\\cellx1000\\cellx2000\\cellx3000\\intbl a\\cell b\\cell c\\cell\\row"
           "\\trowd\\cellx2010\\cellx3000\\intbl d\\cell e\\cell\\row"
           "\\trowd\\cellx3000\\intbl f\\cell\\row"
           "\\trowd\\cellx1000\\cellx2000\\cellx3000\\cellx4000\\intbl g\\cell h\\cell i\\cell "
           "j\\cell\\row"
           "\\intbl k\\cell\\row\\pard end}"))
      << Reader.ErrorText().toStdString();
  const QByteArray rtf = ExpectLayoutKeptByWriting(
      {"", "|a|b|c||", "|d*2|e||", "|f*3||", "|g|h|i|j|", "|k||||", "end"});
  // The paragraph the document keeps before a table at its start is none
  // of the report's.
  EXPECT_FALSE(rtf.left(rtf.indexOf("\\trowd")).contains("\\pard")) << rtf.toStdString();

  // An edge inside a column splits it; the cells of earlier rows across it
  // span both parts and keep their text.
  ASSERT_TRUE(
      Read("{\\rtf1 \\trowd\\cellx1000\\cellx3000\\intbl a\\cell b\\par b2\\cell\\row"
           "\\trowd\\cellx1000\\cellx2000\\cellx3000\\intbl c\\cell d\\cell e\\cell\\row"
           "\\trowd\\cellx500\\cellx3000\\intbl f\\cell g\\cell\\row\\pard}"));
  ExpectLayoutKeptByWriting({"", "|a*2|b/b2*2|", "|c*2|d|e|", "|f|g*3|", ""});

  // Two tables stay two with the paragraph between them; a cell mark
  // outside a table paragraph is still a tab.
  ASSERT_TRUE(
      Read("{\\rtf1 \\trowd\\cellx1000\\intbl x\\cell\\row\\pard\\par"
           "\\trowd\\cellx1000\\intbl y\\cell\\row\\pard a\\cell b}"));
  ExpectLayoutKeptByWriting({"", "|x|", "", "|y|", "a\tb"});
}

TEST_F(RtfReaderTest, ARowWithMoreCellsThanItsEdgesKeepsItsGridWhenWrittenBack) {
  // Found by fuzzing: the cells after the row's last edge added columns,
  // and the file written lost one of them when read again.
  ASSERT_TRUE(Read(
      "{\\rtf1{\\fonttbl{\\f0\\fnil\\fprq1 "
      "Mono;}}\\trowd\\cellx1000\\cellx2000\\cellx3000\\intbl\\f0 "
      "a\\cell b\\cell c\\cell\\row\\trowd\\cellx2010\\cellx3000\\intbl d\\par e\\cell c\\cell\\row"
      "\\trowd\\cellx2010\\cellx3000\\intbl d\\par e\\cell f\\cell\\g\\cell h\\cell i\\cell "
      "j\\cell\\row"
      "\\pard end\\par}"));
  ExpectLayoutKeptByWriting({"", "|a|b|c|||||", "|d/e*2|c|||||", "|d/e*2|f||h|i|j|", "end"});
}

TEST_F(RtfReaderTest, FixedPitchOfAFontIsKeptAndWrittenBack) {
  ASSERT_TRUE(
      Read("{\\rtf1{\\fonttbl{\\f0\\fnil\\fprq1\\fcharset0 DejaVu Sans Mono;}"
           "{\\f1\\fswiss\\fprq2 DejaVu Sans;}}\\f0 mono\\f1 prop}"));
  EXPECT_TRUE(FormatAt(0, 0).fontFixedPitch());
  EXPECT_EQ(FormatAt(0, 0).fontFamilies().toStringList(), QStringList{"DejaVu Sans Mono"});
  EXPECT_FALSE(FormatAt(0, 5).fontFixedPitch());
  const QByteArray rtf = RtfWriter(Doc).Write();
  EXPECT_TRUE(rtf.contains("\\fnil\\fprq1\\fcharset0 DejaVu Sans Mono;}")) << rtf.toStdString();
  EXPECT_FALSE(rtf.contains("\\fprq1\\fcharset0 DejaVu Sans;}"));
  ASSERT_TRUE(Read(rtf));
  EXPECT_TRUE(FormatAt(0, 0).fontFixedPitch());
  EXPECT_FALSE(FormatAt(0, 5).fontFixedPitch());
}

TEST_F(RtfReaderTest, WhatIsNotACharacterBecomesTheReplacementAndUcSkipsExactly) {
  ASSERT_TRUE(
      Read("{\\rtf1 a\\u-10179?\\u-8704?b\\u55357?c\\u56832?d\\u-32769?e\\u65536?f"
           "\\u-1?g\\uc3\\u946xyzh{\\uc1000\\u946 12345}i\\uc0\\u8364 j}"));
  const QString expected = "a\U0001F600b\uFFFDc\uFFFDd\uFFFDe\uFFFDf\uFFFDg\u03b2h\u03b2i\u20acj";
  EXPECT_EQ(Doc.toPlainText(), expected);
  // Written and read again, only whole characters come back.
  ASSERT_TRUE(Read(RtfWriter(Doc).Write()));
  EXPECT_EQ(Doc.toPlainText(), expected);
  // Every control symbol is one character of a fallback, the optional
  // hyphen included.
  ASSERT_TRUE(Read("{\\rtf1 \\u946\\-x\\uc2\\u947\\'e9\\~y\\u948\\*\\|z}"));
  EXPECT_EQ(Doc.toPlainText(), "\u03b2x\u03b3y\u03b4z");
}

TEST_F(RtfReaderTest, APictureStoredTwiceIsReadOnce) {
  // As Writer saves them: a floating picture as a shape whose fill is the
  // picture again, an inline one with a fallback for older readers.
  const QByteArray red = PngHex(Solid(4, 3, Qt::red));
  const QByteArray blue = PngHex(Solid(2, 2, Qt::blue));
  const QByteArray rtf =
      "{\\rtf1 a{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 75}}{\\sp{\\sn pib}{\\sv "
      "{\\pict\\pngblip " +
      red + "}}}{\\sp{\\sn fillBlip}{\\sv {\\pict\\pngblip " + red +
      "}}}{\\sp{\\sn wzName}{\\sv frame1}}}}b{\\*\\shppict{\\pict\\pngblip " + blue +
      "}}{\\nonshppict{\\pict\\pngblip " + blue + "}}c}";
  ASSERT_TRUE(Read(rtf)) << Reader.ErrorText().toStdString();
  auto pictures = Pictures(Doc);
  ASSERT_EQ(pictures.size(), 2);
  EXPECT_EQ(pictures[0].Image.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(pictures[1].Image.pixelColor(0, 0), QColor(Qt::blue));
  EXPECT_EQ(Text(Doc), "abc");
  // Saving keeps the two.
  ASSERT_TRUE(Read(RtfWriter(Doc).Write()));
  EXPECT_EQ(Pictures(Doc).size(), 2);
}

TEST_F(RtfReaderTest, HostileInputFailsWithAReasonInsteadOfCrashingOrGrowing) {
  const struct {
    QByteArray Data;
    const char* Reason;
  } cases[] = {
      {"plain text", "not rich text"},
      {"{\\rtf1 never closed", "ends before"},
      {"{\\rtf1 \\'4", "hexadecimal"},
      {"{\\rtf1 {\\pict\\pngblip\\bin99999 ab}}", "past the end"},
      {"{\\rtf1 " + QByteArray(RtfReader::MaxDepth + 1, '{'), "nested too deeply"},
      {"{\\rtf1 \\" + QByteArray(40, 'a') + "}", "too long"},
      {"{\\rtf1 " + QByteArray("\\par ").repeated(RtfReader::MaxParagraphs + 1) + "}",
       "Too many paragraphs"},
      {"{\\rtf1 " + QByteArray("{\\b a}{\\i b}").repeated(RtfReader::MaxRuns / 2 + 1) + "}",
       "Too many changes"},
      {"{\\rtf1 \\trowd" + QByteArray("\\cellx1").repeated(65) + "\\intbl a\\cell\\row}",
       "too many columns"},
      {"{\\rtf1 \\intbl" + QByteArray(" a\\cell").repeated(65) + "\\row}", "too many columns"},
      {"{\\rtf1 \\trowd" + QByteArray("\\cellx9").repeated(64) + " " +
           QByteArray("\\intbl a\\cell\\row").repeated(RtfReader::MaxTableCells / 64 + 1) + "}",
       "too many cells"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(Read(c.Data)) << c.Reason;
    EXPECT_TRUE(Reader.ErrorText().contains(QLatin1String(c.Reason), Qt::CaseInsensitive))
        << c.Reason << ": " << Reader.ErrorText().toStdString();
  }
}

TEST_F(RtfReaderTest, PictureClaimingHugeSizeIsRefusedBeforeDecoding) {
  // A valid PNG header claiming 100000 x 100000 pixels, with one byte of data.
  const QByteArray png = QByteArray::fromHex(
      "89504e470d0a1a0a0000000d49484452000186a0000186a0080200000027309c9f"
      "0000000949444154789c630000000100015eff7df90000000049454e44ae426082");
  EXPECT_FALSE(Read("{\\rtf1{\\pict\\pngblip " + png.toHex() + "}}"));
  EXPECT_TRUE(Reader.ErrorText().contains("too large"));
  // Damaged pictures are left out; the text stays.
  ASSERT_TRUE(Read("{\\rtf1 a{\\pict\\pngblip 0102zz}{\\pict\\jpegblip ffd8ff}b}"));
  EXPECT_EQ(Doc.toPlainText(), "ab");
}

TEST_F(RtfReaderTest, PictureTooTallToWriteBackIsRefused) {
  // Found by fuzzing: a 2 x 1048576 picture was read, but no PNG of it can
  // be written, so the saved report silently lost it.
  EXPECT_FALSE(Read("{\\rtf1{\\pict\\pngblip " +
                    PngHex(Solid(2, RtfReader::MaxPictureSide + 1, Qt::red)) + "}}"));
  EXPECT_TRUE(Reader.ErrorText().contains("too large"));
  ASSERT_TRUE(Read("{\\rtf1{\\pict\\pngblip " +
                   PngHex(Solid(2, RtfReader::MaxPictureSide, Qt::red)) + "}}"));
  EXPECT_EQ(Pictures(Doc).size(), 1);
}

}  // namespace
