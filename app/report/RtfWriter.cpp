#include "app/report/RtfWriter.h"

#include "app/report/ReportPage.h"
#include "app/report/ReportPicture.h"

#include <QBuffer>
#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <cmath>

namespace {

constexpr double TwipsPerPixel = 15.0;  // 1440 twips per inch, 96 pixels per inch
constexpr int HexPerLine = 128;
constexpr int BulletHangTwips = 360;  // the bullet sits this far left of the text
constexpr int MaxIndentLevels = 50;
constexpr int TableTwips = 9360;  // what a table without fixed widths spans: 6.5 inches
// A cell's edges, drawn as thin single lines.
constexpr char CellBorders[] =
    "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
    "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
// The bullet as a Unicode escape with the Western code page's bullet byte as
// its fallback, so readers without Unicode still show a bullet.
constexpr char BulletText[] = "\\u8226\\'95";

QString FamilyOf(const QTextCharFormat& Format, const QTextDocument& Document) {
  const QStringList families = Format.fontFamilies().toStringList();
  if (!families.isEmpty() && !families.front().isEmpty()) return families.front();
  return Document.defaultFont().family();
}

int HalfPointsOf(const QTextCharFormat& Format, const QTextDocument& Document) {
  double points = Format.fontPointSize();
  if (points <= 0) points = Document.defaultFont().pointSizeF();
  if (points <= 0) points = 12;
  return std::clamp(static_cast<int>(std::lround(points * 2)), 2, 3276);
}

// Pixels of the editor's measure as twips; negative spacing counts as none.
long Twips(double Pixels) {
  return std::lround(std::clamp(Pixels, 0.0, 1e6) * TwipsPerPixel);
}

bool HasColor(const QTextCharFormat& Format) {
  return Format.hasProperty(QTextFormat::ForegroundBrush) &&
         Format.foreground().style() != Qt::NoBrush;
}

const char* AlignmentWord(Qt::Alignment Align) {
  if (Align & Qt::AlignHCenter) return "\\qc";
  if (Align & Qt::AlignRight) return "\\qr";
  if (Align & Qt::AlignJustify) return "\\qj";
  return "\\ql";
}

// Disc, circle and square lists are what the editor's bullets make; numbered
// lists are written as plain paragraphs.
bool IsBulleted(const QTextBlock& Block) {
  const QTextList* list = Block.textList();
  if (list == nullptr) return false;
  const QTextListFormat::Style style = list->format().style();
  return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
         style == QTextListFormat::ListSquare;
}

// Right edge of every column in twips, from the table's width constraints.
std::vector<int> ColumnEdges(const QTextTable& Table) {
  const QList<QTextLength> widths = Table.format().columnWidthConstraints();
  const int columns = Table.columns();
  std::vector<int> edges;
  int edge = 0;
  for (int c = 0; c < columns; ++c) {
    const QTextLength width = c < widths.size() ? widths[c] : QTextLength();
    double twips = static_cast<double>(TableTwips) / columns;
    if (width.type() == QTextLength::FixedLength)
      twips = width.rawValue() * TwipsPerPixel;
    else if (width.type() == QTextLength::PercentageLength)
      twips = TableTwips * width.rawValue() / 100.0;
    edge += std::max(1, static_cast<int>(std::lround(std::min(twips, 1e6))));
    edges.push_back(edge);
  }
  return edges;
}

// The paragraphs of a cell, those of tables inside it included.
std::vector<QTextBlock> CellBlocks(const QTextDocument& Document, const QTextTableCell& Cell) {
  std::vector<QTextBlock> blocks;
  for (QTextBlock block = Document.findBlock(Cell.firstPosition());
       block.isValid() && block.position() <= Cell.lastPosition(); block = block.next())
    blocks.push_back(block);
  return blocks;
}

// The empty paragraph the document keeps before a table that opens it is
// no paragraph of the report's.
bool IsPlaceBeforeTable(const QTextBlock& Block, const QTextFrame::iterator& Next) {
  return Block.position() == 0 && Block.length() == 1 && !Next.atEnd() &&
         qobject_cast<QTextTable*>(Next.currentFrame()) != nullptr;
}

}  // namespace

RtfWriter::RtfWriter(const QTextDocument& ADocument) : FDocument(ADocument) {
  FColors.emplace_back();
}

QByteArray RtfWriter::Write() {
  CollectTables();
  WriteHeader();
  WriteFrame(*FDocument.rootFrame());
  FOut += "}\n";
  return FOut;
}

void RtfWriter::CollectTables() {
  FontIndex(QTextCharFormat());
  for (QTextBlock block = FDocument.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      FontIndex(it.fragment().charFormat());
      ColorIndex(it.fragment().charFormat());
    }
  }
}

int RtfWriter::FontIndex(const QTextCharFormat& Format) {
  const TFontEntry font{FamilyOf(Format, FDocument), Format.fontFixedPitch()};
  const auto found = std::find(FFonts.begin(), FFonts.end(), font);
  if (found != FFonts.end()) return static_cast<int>(found - FFonts.begin());
  FFonts.push_back(font);
  return static_cast<int>(FFonts.size()) - 1;
}

int RtfWriter::ColorIndex(const QTextCharFormat& Format) {
  if (!HasColor(Format)) return 0;
  const QColor color = Format.foreground().color().toRgb();
  const QColor opaque(color.red(), color.green(), color.blue());
  const auto found = std::find(FColors.begin() + 1, FColors.end(), opaque);
  if (found != FColors.end()) return static_cast<int>(found - FColors.begin());
  FColors.push_back(opaque);
  return static_cast<int>(FColors.size()) - 1;
}

void RtfWriter::WriteHeader() {
  FOut += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
  for (size_t i = 0; i < FFonts.size(); ++i) {
    FOut += "{\\f" + QByteArray::number(static_cast<qulonglong>(i)) + "\\fnil";
    // A monospaced font says so, so a reader without it picks another one.
    if (FFonts[i].FixedPitch) FOut += "\\fprq1";
    FOut += "\\fcharset0 ";
    // A ";" would end the font's entry early.
    WriteText(QString(FFonts[i].Family).remove(u';'));
    FOut += ";}";
  }
  FOut += "}\n{\\colortbl;";
  for (size_t i = 1; i < FColors.size(); ++i) {
    FOut += "\\red" + QByteArray::number(FColors[i].red()) + "\\green" +
            QByteArray::number(FColors[i].green()) + "\\blue" +
            QByteArray::number(FColors[i].blue()) + ';';
  }
  FOut += "}\n";
  // The page it was laid out on, so other readers lay it out the same.
  FOut += ReportPage::Of(FDocument).RtfWords() + '\n';
}

void RtfWriter::WriteFrame(const QTextFrame& Frame) {
  for (auto it = Frame.begin(); !it.atEnd(); ++it) {
    if (const QTextFrame* child = it.currentFrame()) {
      if (const auto* table = qobject_cast<const QTextTable*>(child))
        WriteTable(*table);
      else
        WriteFrame(*child);
      continue;
    }
    auto next = it;
    if (IsPlaceBeforeTable(it.currentBlock(), ++next)) continue;
    // Every paragraph ends with its mark, so an empty last paragraph survives.
    WriteBlock(it.currentBlock(), false, "\\par\n");
  }
}

void RtfWriter::WriteTable(const QTextTable& Table) {
  const std::vector<int> edges = ColumnEdges(Table);
  const bool borders = Table.format().border() > 0;
  for (int row = 0; row < Table.rows(); ++row) {
    // A cell spanning columns is one cell up to its last column's edge; one
    // covered by a cell above is written empty and merged with it.
    std::vector<QTextTableCell> cells;
    FOut += "\\trowd";
    for (int column = 0; column < Table.columns();) {
      const QTextTableCell cell = Table.cellAt(row, column);
      if (cell.rowSpan() > 1) FOut += cell.row() == row ? "\\clvmgf" : "\\clvmrg";
      if (borders) FOut += CellBorders;
      column = cell.column() + std::max(1, cell.columnSpan());
      FOut += "\\cellx" + QByteArray::number(edges[static_cast<size_t>(column - 1)]);
      cells.push_back(cell.row() == row ? cell : QTextTableCell());
    }
    FOut += '\n';
    for (const QTextTableCell& cell : cells) {
      if (!cell.isValid()) {
        FOut += "\\pard\\intbl\\cell\n";
        continue;
      }
      const std::vector<QTextBlock> blocks = CellBlocks(FDocument, cell);
      for (size_t i = 0; i < blocks.size(); ++i)
        WriteBlock(blocks[i], true, i + 1 < blocks.size() ? "\\par\n" : "\\cell\n");
    }
    FOut += "\\row\n";
  }
}

void RtfWriter::WriteBlock(const QTextBlock& Block, bool InTable, const char* End) {
  FOut += "\\pard";
  if (InTable) FOut += "\\intbl";
  FOut += AlignmentWord(Block.blockFormat().alignment());
  // The spacing is stated even when there is none: readers differ in what
  // they assume.
  FOut += "\\sb" + QByteArray::number(Twips(Block.blockFormat().topMargin())) + "\\sa" +
          QByteArray::number(Twips(Block.blockFormat().bottomMargin()));
  if (IsBulleted(Block)) WriteBullet(Block);
  for (auto it = Block.begin(); !it.atEnd(); ++it) WriteFragment(it.fragment());
  FOut += End;
}

void RtfWriter::WriteBullet(const QTextBlock& Block) {
  const int levels = Block.textList()->format().indent() + Block.blockFormat().indent();
  const int left = static_cast<int>(std::lround(std::clamp(levels, 0, MaxIndentLevels) *
                                                FDocument.indentWidth() * TwipsPerPixel));
  const QByteArray indent = QByteArray::number(left);
  FOut += "\\fi-" + QByteArray::number(std::min(left, BulletHangTwips)) + "\\li" + indent;
  // The bullet and tab for readers that do not know paragraph numbering, in
  // the default font so that the previous paragraph's formatting does not
  // carry over to it.
  FOut += "{\\pntext\\plain\\f0\\fs" +
          QByteArray::number(HalfPointsOf(QTextCharFormat(), FDocument)) + ' ' + BulletText +
          "\\tab}";
  FOut += "{\\*\\pn\\pnlvlblt\\pnf0\\pnindent" + indent + "{\\pntxtb " + BulletText + "}}";
}

void RtfWriter::WriteFragment(const QTextFragment& Fragment) {
  const QTextCharFormat format = Fragment.charFormat();
  if (format.isImageFormat()) {
    WritePicture(Fragment);
    return;
  }
  FOut += "\\plain\\f" + QByteArray::number(FontIndex(format)) + "\\fs" +
          QByteArray::number(HalfPointsOf(format, FDocument));
  if (format.fontWeight() >= QFont::DemiBold) FOut += "\\b";
  if (format.fontItalic()) FOut += "\\i";
  if (format.fontUnderline()) FOut += "\\ul";
  if (format.fontStrikeOut()) FOut += "\\strike";
  if (const int color = ColorIndex(format); color > 0) FOut += "\\cf" + QByteArray::number(color);
  FOut += ' ';
  WriteText(Fragment.text());
}

void RtfWriter::WritePicture(const QTextFragment& Fragment) {
  const QTextImageFormat format = Fragment.charFormat().toImageFormat();
  const QImage image = ReportPictureImage(FDocument, format);
  if (image.isNull()) return;  // a picture the document cannot show is not written
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG") || png.isEmpty()) return;  // cannot be stored
  const QSizeF shown =
      FitToWidth(ReportPictureSize(format, image), ReportPage::Of(FDocument).TextWidthPixels());
  const QByteArray hex = png.toHex();
  // One picture per object character of the fragment.
  for (qsizetype n = 0; n < Fragment.text().size(); ++n) {
    FOut += "{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" +
            QByteArray::number(image.height()) + "\\picwgoal" +
            QByteArray::number(Twips(shown.width())) + "\\pichgoal" +
            QByteArray::number(Twips(shown.height())) + '\n';
    for (qsizetype at = 0; at < hex.size(); at += HexPerLine)
      FOut += hex.mid(at, HexPerLine) + '\n';
    FOut += '}';
  }
}

void RtfWriter::WriteText(const QString& Text) {
  for (const QChar c : Text) {
    const char16_t u = c.unicode();
    if (u == u'\\' || u == u'{' || u == u'}') {
      FOut += '\\';
      FOut += static_cast<char>(u);
    } else if (u == u'\t') {
      FOut += "\\tab ";
    } else if (u == u'\u2028') {
      FOut += "\\line ";
    } else if (u == u'\u00A0') {
      FOut += "\\~";
    } else if (u >= 0x20 && u < 0x80) {
      FOut += static_cast<char>(u);
    } else if (u >= 0x80) {
      // Signed 16-bit, as the format stores it; "?" for readers without Unicode.
      FOut += "\\u" + QByteArray::number(static_cast<qint16>(u)) + '?';
    }
  }
}
