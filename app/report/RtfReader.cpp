#include "app/report/RtfReader.h"

#include "app/report/ReportPicture.h"
#include "app/report/RtfTableBuilder.h"

#include "platform/Exception.h"
#include "platform/TJPEGImage.h"
#include "platform/Windows1252.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QImageReader>
#include <QPointer>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextList>

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// A fault of the data; the read stops with its text.
class RtfFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr double TwipsPerPixel = 15.0;  // 1440 twips per inch, 96 pixels per inch
constexpr double MaxDisplayPixels = 20'000.0;
constexpr int DefaultHalfPoints = 24;
constexpr int MaxFontNameLength = 256;
constexpr int MaxWordLength = 32;  // letters of a control word
constexpr int MaxMarkLength = 16;  // characters kept of a paragraph's written bullet or number
constexpr int MaxShapePropertyLength = 64;
// Characters of text gathered before they go into the document: paragraphs
// of one format go in together, far faster than one at a time, without
// holding a second copy of a long text.
constexpr qsizetype MaxRunLength = 64 * 1024;

// Where the text of a group goes.
enum class TDest {
  Text,       // the document
  NoText,     // a container whose text is not shown but whose pictures are
  Skip,       // nothing of the group is used
  Numbering,  // a paragraph's numbering or bullet definition
  Mark,       // the bullet or number written out for readers without numbering
  FontTable,
  ColorTable,
  ShapeName,  // the name of a shape's property
  Picture
};

enum class TPictureKind { Unknown, Png, Jpeg, Dib };

enum class TWord {
  Par,
  Line,
  Tab,
  Cell,
  Row,
  InTable,
  RowDefinition,
  CellEdge,
  Pard,
  Plain,
  Ql,
  Qc,
  Qr,
  Qj,
  Bold,
  Italic,
  Underline,
  UlNone,
  Strike,
  Font,
  FontPitch,
  FontSize,
  Color,
  Deff,
  Uc,
  U,
  Bin,
  Red,
  Green,
  Blue,
  PngBlip,
  JpegBlip,
  DibBitmap,
  OtherBlip,
  PicW,
  PicH,
  PicWGoal,
  PicHGoal,
  PicScaleX,
  PicScaleY,
  FontTbl,
  ColorTbl,
  Pict,
  ToText,
  ToNoText,
  ToSkip,
  Numbering,
  BulletLevel,
  ToMark,
  ToShapeName,
  ToShapeValue,
  Char
};

struct TWordInfo {
  TWord Word;
  char16_t Char = 0;  // for TWord::Char
};

const std::unordered_map<std::string_view, TWordInfo>& Words() {
  static const std::unordered_map<std::string_view, TWordInfo> words = {
      {"par", {TWord::Par}},
      {"row", {TWord::Row}},
      // Nested tables are read into the cell that holds them.
      {"nestrow", {TWord::Par}},
      {"sect", {TWord::Par}},
      {"page", {TWord::Par}},
      {"line", {TWord::Line}},
      {"tab", {TWord::Tab}},
      {"cell", {TWord::Cell}},
      {"nestcell", {TWord::Tab}},
      {"intbl", {TWord::InTable}},
      {"trowd", {TWord::RowDefinition}},
      {"cellx", {TWord::CellEdge}},
      {"pard", {TWord::Pard}},
      {"plain", {TWord::Plain}},
      {"ql", {TWord::Ql}},
      {"qc", {TWord::Qc}},
      {"qr", {TWord::Qr}},
      {"qj", {TWord::Qj}},
      {"b", {TWord::Bold}},
      {"i", {TWord::Italic}},
      {"ul", {TWord::Underline}},
      {"uld", {TWord::Underline}},
      {"uldb", {TWord::Underline}},
      {"ulw", {TWord::Underline}},
      {"ulth", {TWord::Underline}},
      {"uldash", {TWord::Underline}},
      {"ulwave", {TWord::Underline}},
      {"ulnone", {TWord::UlNone}},
      {"strike", {TWord::Strike}},
      {"striked", {TWord::Strike}},
      {"f", {TWord::Font}},
      {"fprq", {TWord::FontPitch}},
      {"fs", {TWord::FontSize}},
      {"cf", {TWord::Color}},
      {"deff", {TWord::Deff}},
      {"uc", {TWord::Uc}},
      {"u", {TWord::U}},
      {"bin", {TWord::Bin}},
      {"red", {TWord::Red}},
      {"green", {TWord::Green}},
      {"blue", {TWord::Blue}},
      {"pngblip", {TWord::PngBlip}},
      {"jpegblip", {TWord::JpegBlip}},
      {"dibitmap", {TWord::DibBitmap}},
      {"wmetafile", {TWord::OtherBlip}},
      {"emfblip", {TWord::OtherBlip}},
      {"wbitmap", {TWord::OtherBlip}},
      {"macpict", {TWord::OtherBlip}},
      {"pmmetafile", {TWord::OtherBlip}},
      {"picw", {TWord::PicW}},
      {"pich", {TWord::PicH}},
      {"picwgoal", {TWord::PicWGoal}},
      {"pichgoal", {TWord::PicHGoal}},
      {"picscalex", {TWord::PicScaleX}},
      {"picscaley", {TWord::PicScaleY}},
      {"fonttbl", {TWord::FontTbl}},
      {"colortbl", {TWord::ColorTbl}},
      {"pict", {TWord::Pict}},
      {"pn", {TWord::Numbering}},
      {"pnlvlblt", {TWord::BulletLevel}},
      {"pntext", {TWord::ToMark}},
      {"listtext", {TWord::ToMark}},
      // Containers: pictures of shapes and objects are shown, their
      // fallbacks and the fields' instructions are not. Of a shape's
      // properties only its picture is.
      {"shppict", {TWord::ToText}},
      {"fldrslt", {TWord::ToText}},
      {"result", {TWord::ToText}},
      {"shp", {TWord::ToNoText}},
      {"shpinst", {TWord::ToNoText}},
      {"sp", {TWord::ToNoText}},
      {"sv", {TWord::ToShapeValue}},
      {"object", {TWord::ToNoText}},
      {"nonshppict", {TWord::ToSkip}},
      {"shprslt", {TWord::ToSkip}},
      {"shptxt", {TWord::ToSkip}},
      {"sn", {TWord::ToShapeName}},
      {"fldinst", {TWord::ToSkip}},
      {"stylesheet", {TWord::ToSkip}},
      {"info", {TWord::ToSkip}},
      {"header", {TWord::ToSkip}},
      {"headerl", {TWord::ToSkip}},
      {"headerr", {TWord::ToSkip}},
      {"headerf", {TWord::ToSkip}},
      {"footer", {TWord::ToSkip}},
      {"footerl", {TWord::ToSkip}},
      {"footerr", {TWord::ToSkip}},
      {"footerf", {TWord::ToSkip}},
      {"footnote", {TWord::ToSkip}},
      {"annotation", {TWord::ToSkip}},
      {"pntxta", {TWord::ToSkip}},
      {"pntxtb", {TWord::ToSkip}},
      {"xe", {TWord::ToSkip}},
      {"tc", {TWord::ToSkip}},
      {"template", {TWord::ToSkip}},
      {"revtbl", {TWord::ToSkip}},
      {"ftnsep", {TWord::ToSkip}},
      {"ftnsepc", {TWord::ToSkip}},
      {"ftncn", {TWord::ToSkip}},
      {"aftnsep", {TWord::ToSkip}},
      {"aftnsepc", {TWord::ToSkip}},
      {"aftncn", {TWord::ToSkip}},
      {"private", {TWord::ToSkip}},
      {"listtable", {TWord::ToSkip}},
      {"listoverridetable", {TWord::ToSkip}},
      {"objdata", {TWord::ToSkip}},
      {"nonesttables", {TWord::ToSkip}},
      {"picprop", {TWord::ToSkip}},
      {"emdash", {TWord::Char, u'\u2014'}},
      {"endash", {TWord::Char, u'\u2013'}},
      {"bullet", {TWord::Char, u'\u2022'}},
      {"lquote", {TWord::Char, u'\u2018'}},
      {"rquote", {TWord::Char, u'\u2019'}},
      {"ldblquote", {TWord::Char, u'\u201C'}},
      {"rdblquote", {TWord::Char, u'\u201D'}},
      {"emspace", {TWord::Char, u'\u2003'}},
      {"enspace", {TWord::Char, u'\u2002'}},
      {"qmspace", {TWord::Char, u'\u2005'}},
      {"zwj", {TWord::Char, u'\u200D'}},
      {"zwnj", {TWord::Char, u'\u200C'}},
  };
  return words;
}

// Bytes of the Western Windows code page; the undefined ones are no
// character.
char16_t FromCodePage(unsigned char Byte) {
  const char16_t c = Windows1252::ToUnicode(Byte);
  return c != 0 || Byte == 0 ? c : u'\uFFFD';
}

int HexValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

bool IsLetter(char C) {
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

bool IsDigit(char C) {
  return C >= '0' && C <= '9';
}

// A written bullet is one character other than a digit before its tab;
// written numbers carry digits or a "." or ")".
bool IsBulletMark(const QString& Mark) {
  qsizetype shown = 0;
  QChar last;
  for (const QChar c : Mark) {
    if (c.isSpace()) continue;
    ++shown;
    last = c;
  }
  return shown == 1 && !last.isDigit();
}

struct TGroupState {
  TDest Dest = TDest::Text;
  bool OwnsPicture = false;  // this group started the picture being read
  bool OwnsMark = false;     // this group started the written bullet or number
  int Font = -1;             // -1: the default font
  int HalfPoints = DefaultHalfPoints;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strike = false;
  int Color = 0;
  int UnicodeSkip = 1;
  Qt::Alignment Align = Qt::AlignLeft;
  bool Bullet = false;   // paragraph numbering of the bullet level, until \pard
  bool InTable = false;  // the paragraph belongs in a table cell, until \pard
};

// What the reader sets of a paragraph's format.
struct TParagraphFormat {
  Qt::Alignment Align = Qt::AlignLeft;
  bool Bullet = false;
  bool operator==(const TParagraphFormat&) const = default;
};

struct TFontEntry {
  QString Name;
  bool FixedPitch = false;
};

struct TPicture {
  TPictureKind Kind = TPictureKind::Unknown;
  int GoalWidth = 0;   // twips
  int GoalHeight = 0;  // twips
  int ScaleX = 100;    // percent
  int ScaleY = 100;
  QByteArray Bytes;
  int HighNibble = -1;
};

// A BMP file around a device-independent bitmap (header, colour table,
// pixels), so the image reader can decode it.
QByteArray BmpFromDib(const QByteArray& Dib) {
  if (Dib.size() < 40) return QByteArray();
  auto le32 = [&](int at) {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(Dib[at + i]);
    return v;
  };
  const quint32 headerSize = le32(0);
  if (headerSize < 40 || headerSize > static_cast<quint32>(Dib.size())) return QByteArray();
  const quint32 bitCount = static_cast<unsigned char>(Dib[14]) |
                           (static_cast<quint32>(static_cast<unsigned char>(Dib[15])) << 8);
  const quint32 compression = le32(16);
  quint32 colours = le32(32);
  if (colours == 0 && bitCount <= 8) colours = 1u << bitCount;
  if (colours > 256) return QByteArray();
  quint32 masks = (headerSize == 40 && compression == 3) ? 12 : 0;
  const quint64 offset = 14ull + headerSize + masks + 4ull * colours;
  const quint64 total = 14ull + static_cast<quint64>(Dib.size());
  if (offset > total) return QByteArray();
  QByteArray bmp("BM");
  auto put32 = [&](quint64 v) {
    for (int i = 0; i < 4; ++i) bmp.append(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  put32(total);
  put32(0);
  put32(offset);
  bmp.append(Dib);
  return bmp;
}

class Parser {
 public:
  Parser(const QByteArray& AData, QTextCursor& ACursor) : FData(AData), FCursor(ACursor) {}

  void Run();

 private:
  TGroupState& Top() { return FStack.back(); }
  void PushGroup();
  void PopGroup();
  void Control();
  void Symbol(char C);
  void Word(std::string_view Name, bool HasParam, int Param);
  void Destination(TWord Word);
  void BulletLevel();
  void Formatting(TWord Word, bool HasParam, int Param);
  void PictureWord(TWord Word, int Param);
  void Binary(int Count);
  void Character(char16_t C);
  void TakePlainText();
  void TextChar(char16_t C);
  void AppendText(char16_t C);
  void FlushSurrogate();
  void EndCell();
  void EndRow();
  void PlaceParagraph();
  void CountCells(int Cells);
  void MarkChar(char16_t C);
  void EndMark();
  void Paragraph();
  void StartContent();
  void FlushRun();
  TParagraphFormat CurrentParagraph() const;
  bool ContinuesParagraphFormat() const;
  void ApplyParagraph();
  void ApplyBullet(bool Bullet);
  QTextCharFormat CurrentFormat() const;
  void FinishPicture();
  QImage DecodePicture(const TPicture& Picture);
  QImage ReadImage(const QByteArray& Bytes, const char* Format);
  void CheckSize(QSize Size);
  void CommitFont();
  void CommitColor();

  const QByteArray& FData;
  QTextCursor& FCursor;
  qsizetype FPos = 0;
  std::vector<TGroupState> FStack;
  bool FStar = false;  // "\*" seen: the next word names an optional destination
  int FSkip = 0;       // fallback characters after \u still to drop
  bool FPendingBreak = false;
  bool FBlockHasContent = false;
  // The format given to the cursor's paragraph; none for a paragraph the
  // cursor has just moved to.
  std::optional<TParagraphFormat> FApplied;
  int FParagraphs = 0;
  int FCells = 0;  // of tables
  int FPictures = 0;
  int FRuns = 0;
  long long FTotalPixels = 0;
  QString FMark;              // the current paragraph's written bullet or number
  bool FMarkBullet = false;   // the current paragraph wrote a bullet
  QPointer<QTextList> FList;  // the list of the last bulleted paragraph read
  QString FRun;
  QTextCharFormat FRunFormat;
  // Bumped whenever something the format of text depends on changes, so
  // the format is worked out once per change rather than per character.
  unsigned FStateVersion = 0;
  unsigned FRunVersion = ~0u;
  char16_t FHighSurrogate = 0;  // waiting for the low half of its pair
  RtfTableBuilder FTable;
  bool FCellEnded = false;  // "\cell" seen: what follows goes into the next cell
  std::map<int, TFontEntry> FFonts;
  int FDefaultFont = 0;
  int FFontId = 0;
  QString FFontName;
  bool FFontFixedPitch = false;
  QString FShapeProperty;  // the name of the shape property read last
  std::vector<QColor> FColors;
  int FRed = -1, FGreen = -1, FBlue = -1;
  TPicture FPicture;
};

void Parser::Run() {
  const qsizetype size = FData.size();
  while (FPos < size) {
    const char c = FData[FPos++];
    switch (c) {
      case '{': PushGroup(); break;
      case '}':
        if (FStack.size() == 1) {
          FlushRun();
          if (FBlockHasContent) ApplyParagraph();
          FTable.Finish();
          PopGroup();
          return;  // what follows the document's last brace is not part of it
        }
        PopGroup();
        break;
      case '\\': Control(); break;
      case '\r':
      case '\n': break;
      default: {
        if (FStack.empty()) throw RtfFault("Text outside the document's group");
        const bool skipped = FSkip > 0;
        Character(FromCodePage(static_cast<unsigned char>(c)));
        if (!skipped) TakePlainText();
      }
    }
  }
  throw RtfFault("The file ends before its last group is closed");
}

void Parser::PushGroup() {
  if (static_cast<int>(FStack.size()) >= RtfReader::MaxDepth)
    throw RtfFault("Groups are nested too deeply");
  FStack.push_back(FStack.empty() ? TGroupState() : Top());
  Top().OwnsPicture = false;
  Top().OwnsMark = false;
  FStar = false;
  FSkip = 0;
  ++FStateVersion;
}

void Parser::PopGroup() {
  if (FStack.empty()) throw RtfFault("A group is closed that was never opened");
  const TGroupState closed = Top();
  if (closed.OwnsPicture) FinishPicture();
  if (closed.OwnsMark) EndMark();
  if (closed.Dest == TDest::FontTable && !FFontName.trimmed().isEmpty()) CommitFont();
  FStack.pop_back();
  FStar = false;
  FSkip = 0;
  ++FStateVersion;
}

void Parser::Control() {
  if (FStack.empty()) throw RtfFault("Control word outside the document's group");
  if (FPos >= FData.size()) throw RtfFault("The file ends inside a control word");
  if (!IsLetter(FData[FPos])) {
    Symbol(FData[FPos++]);
    return;
  }
  const qsizetype start = FPos;
  while (FPos < FData.size() && IsLetter(FData[FPos])) {
    if (FPos - start >= MaxWordLength) throw RtfFault("A control word is too long");
    ++FPos;
  }
  const std::string_view name(FData.constData() + start, static_cast<size_t>(FPos - start));
  bool hasParam = false;
  bool negative = false;
  long long param = 0;
  if (FPos + 1 < FData.size() && FData[FPos] == '-' && IsDigit(FData[FPos + 1])) {
    negative = true;
    ++FPos;
  }
  while (FPos < FData.size() && IsDigit(FData[FPos])) {
    hasParam = true;
    param = std::min<long long>(param * 10 + (FData[FPos++] - '0'), 1ll << 40);
  }
  if (FPos < FData.size() && FData[FPos] == ' ') ++FPos;
  param = std::clamp<long long>(negative ? -param : param, std::numeric_limits<int>::min(),
                                std::numeric_limits<int>::max());
  Word(name, hasParam, static_cast<int>(param));
}

void Parser::Symbol(char C) {
  switch (C) {
    case '\\':
    case '{':
    case '}': Character(char16_t(static_cast<unsigned char>(C))); break;
    case '~': Character(u'\u00A0'); break;
    case '_': Character(u'\u2011'); break;
    case '\r':
    case '\n':
      if (FSkip > 0) {
        --FSkip;
      } else if (Top().Dest == TDest::Text) {
        Paragraph();
      }
      break;
    case '\'': {
      const int high = FPos < FData.size() ? HexValue(FData[FPos]) : -1;
      const int low = FPos + 1 < FData.size() ? HexValue(FData[FPos + 1]) : -1;
      if (high < 0 || low < 0) throw RtfFault("A \\' escape needs two hexadecimal digits");
      FPos += 2;
      Character(FromCodePage(static_cast<unsigned char>(high * 16 + low)));
      break;
    }
    default:
      // Optional hyphens, index and formula marks show nothing, but each,
      // as every control symbol, counts as one character of a \u word's
      // fallback.
      if (FSkip > 0)
        --FSkip;
      else if (C == '*')
        FStar = true;
      break;
  }
}

void Parser::Word(std::string_view Name, bool HasParam, int Param) {
  const bool star = std::exchange(FStar, false);
  const auto found = Words().find(Name);
  if (found != Words().end() && found->second.Word == TWord::Bin) {
    Binary(HasParam ? Param : 0);
    return;
  }
  if (FSkip > 0) {
    --FSkip;
    return;
  }
  if (Top().Dest == TDest::Skip) return;
  if (found == Words().end()) {
    // An optional destination this reader does not know: leave it out.
    if (star) Top().Dest = TDest::Skip;
    return;
  }
  const TWordInfo& info = found->second;
  switch (info.Word) {
    case TWord::FontTbl:
    case TWord::ColorTbl:
    case TWord::Pict:
    case TWord::ToText:
    case TWord::ToNoText:
    case TWord::ToSkip:
    case TWord::Numbering:
    case TWord::ToMark:
    case TWord::ToShapeName:
    case TWord::ToShapeValue: Destination(info.Word); return;
    case TWord::BulletLevel: BulletLevel(); return;
    case TWord::PngBlip:
    case TWord::JpegBlip:
    case TWord::DibBitmap:
    case TWord::OtherBlip:
    case TWord::PicW:
    case TWord::PicH:
    case TWord::PicWGoal:
    case TWord::PicHGoal:
    case TWord::PicScaleX:
    case TWord::PicScaleY:
      if (Top().Dest == TDest::Picture) PictureWord(info.Word, Param);
      return;
    case TWord::Red: FRed = std::clamp(Param, 0, 255); return;
    case TWord::Green: FGreen = std::clamp(Param, 0, 255); return;
    case TWord::Blue: FBlue = std::clamp(Param, 0, 255); return;
    case TWord::Char: TextChar(info.Char); return;
    case TWord::Tab: TextChar(u'\t'); return;
    case TWord::Cell:
      // Outside a table paragraph a cell mark only separates text.
      if (Top().Dest == TDest::Text && Top().InTable)
        EndCell();
      else
        TextChar(u'\t');
      return;
    case TWord::Row:
      if (Top().Dest != TDest::Text) return;
      if (FTable.RowOpen())
        EndRow();
      else
        Paragraph();
      return;
    case TWord::RowDefinition: FTable.StartRowDefinition(); return;
    case TWord::CellEdge:
      if (!FTable.AddCellEdge(Param)) throw RtfFault("A table has too many columns");
      return;
    case TWord::Line: TextChar(u'\u2028'); return;
    case TWord::U: {
      // A signed 16-bit unit; anything beyond is no character at all.
      const bool unit = HasParam && Param >= -32768 && Param <= 65535;
      Character(unit ? char16_t(Param < 0 ? Param + 65536 : Param) : u'\uFFFD');
      FSkip = Top().UnicodeSkip;
      return;
    }
    case TWord::Par:
      if (Top().Dest == TDest::Text) Paragraph();
      return;
    default: Formatting(info.Word, HasParam, Param);
  }
}

void Parser::Destination(TWord Word) {
  TGroupState& state = Top();
  // Nothing inside a numbering definition or a written mark is shown.
  if (state.Dest == TDest::Numbering || state.Dest == TDest::Mark) {
    state.Dest = TDest::Skip;
    return;
  }
  switch (Word) {
    case TWord::FontTbl: state.Dest = TDest::FontTable; break;
    case TWord::ColorTbl: state.Dest = TDest::ColorTable; break;
    case TWord::Pict:
      if (state.Dest == TDest::Picture) break;
      state.Dest = TDest::Picture;
      state.OwnsPicture = true;
      FPicture = TPicture();
      break;
    case TWord::ToText:
      if (state.Dest != TDest::Picture) state.Dest = TDest::Text;
      break;
    case TWord::ToNoText:
      if (state.Dest != TDest::Picture) state.Dest = TDest::NoText;
      break;
    case TWord::Numbering:
      state.Dest = state.Dest == TDest::Text ? TDest::Numbering : TDest::Skip;
      break;
    case TWord::ToShapeName:
      state.Dest = TDest::ShapeName;
      FShapeProperty.clear();
      break;
    case TWord::ToShapeValue:
      // A picture shape may hold its picture again, as its fill: one is shown.
      if (state.Dest != TDest::Picture)
        state.Dest = FShapeProperty == QLatin1String("pib") ? TDest::NoText : TDest::Skip;
      break;
    case TWord::ToMark:
      if (state.Dest != TDest::Text) {
        state.Dest = TDest::Skip;
        break;
      }
      state.Dest = TDest::Mark;
      state.OwnsMark = true;
      FMark.clear();
      break;
    default: state.Dest = TDest::Skip;
  }
}

void Parser::BulletLevel() {
  if (Top().Dest != TDest::Numbering) return;
  // The definition is a group inside the paragraph's group, whose state
  // carries the paragraph's properties.
  for (auto it = FStack.rbegin(); it != FStack.rend(); ++it) {
    if (it->Dest != TDest::Numbering) {
      it->Bullet = true;
      return;
    }
  }
}

void Parser::Formatting(TWord Word, bool HasParam, int Param) {
  TGroupState& state = Top();
  const bool on = !HasParam || Param != 0;
  ++FStateVersion;
  switch (Word) {
    case TWord::Pard:
      state.Align = Qt::AlignLeft;
      state.Bullet = false;
      state.InTable = false;
      break;
    case TWord::InTable: state.InTable = true; break;
    case TWord::Plain: {
      const TGroupState reset;
      state.Font = reset.Font;
      state.HalfPoints = reset.HalfPoints;
      state.Bold = state.Italic = state.Underline = state.Strike = false;
      state.Color = 0;
      break;
    }
    case TWord::Ql: state.Align = Qt::AlignLeft; break;
    case TWord::Qc: state.Align = Qt::AlignHCenter; break;
    case TWord::Qr: state.Align = Qt::AlignRight; break;
    case TWord::Qj: state.Align = Qt::AlignJustify; break;
    case TWord::Bold: state.Bold = on; break;
    case TWord::Italic: state.Italic = on; break;
    case TWord::Underline: state.Underline = on; break;
    case TWord::UlNone: state.Underline = false; break;
    case TWord::Strike: state.Strike = on; break;
    case TWord::Font:
      if (state.Dest == TDest::FontTable) {
        if (!FFontName.trimmed().isEmpty()) CommitFont();
        FFontId = Param;
        FFontFixedPitch = false;
      } else {
        state.Font = Param;
      }
      break;
    case TWord::FontPitch:
      if (state.Dest == TDest::FontTable) FFontFixedPitch = Param == 1;
      break;
    case TWord::FontSize:
      state.HalfPoints = Param > 0 ? std::min(Param, 3276) : DefaultHalfPoints;
      break;
    case TWord::Color: state.Color = Param; break;
    case TWord::Deff: FDefaultFont = Param; break;
    case TWord::Uc: state.UnicodeSkip = std::max(Param, 0); break;
    default: break;
  }
}

void Parser::PictureWord(TWord Word, int Param) {
  switch (Word) {
    case TWord::PngBlip: FPicture.Kind = TPictureKind::Png; break;
    case TWord::JpegBlip: FPicture.Kind = TPictureKind::Jpeg; break;
    case TWord::DibBitmap: FPicture.Kind = TPictureKind::Dib; break;
    case TWord::OtherBlip: FPicture.Kind = TPictureKind::Unknown; break;
    case TWord::PicWGoal: FPicture.GoalWidth = Param; break;
    case TWord::PicHGoal: FPicture.GoalHeight = Param; break;
    case TWord::PicScaleX: FPicture.ScaleX = Param; break;
    case TWord::PicScaleY: FPicture.ScaleY = Param; break;
    default: break;  // sizes in pixels: the picture's own size is used
  }
}

void Parser::Binary(int Count) {
  if (Count < 0 || Count > FData.size() - FPos) throw RtfFault("Binary data runs past the end");
  if (FSkip > 0) {
    --FSkip;
  } else if (Top().Dest == TDest::Picture) {
    FPicture.Bytes.append(FData.constData() + FPos, Count);
  }
  FPos += Count;
}

void Parser::Character(char16_t C) {
  if (FSkip > 0) {
    --FSkip;
    return;
  }
  switch (Top().Dest) {
    case TDest::Text:
    case TDest::Mark: TextChar(C); break;
    case TDest::FontTable:
      if (C == u';') {
        CommitFont();
      } else if (FFontName.size() < MaxFontNameLength) {
        FFontName.append(QChar::isSurrogate(C) ? QChar(QChar::ReplacementCharacter) : QChar(C));
      }
      break;
    case TDest::ColorTable:
      if (C == u';') CommitColor();
      break;
    case TDest::ShapeName:
      if (FShapeProperty.size() < MaxShapePropertyLength) FShapeProperty.append(QChar(C));
      break;
    case TDest::Picture: {
      const int nibble = C < 128 ? HexValue(static_cast<char>(C)) : -1;
      if (nibble < 0) break;  // line breaks and blanks between the digits
      if (FPicture.HighNibble < 0) {
        FPicture.HighNibble = nibble;
      } else {
        FPicture.Bytes.append(static_cast<char>(FPicture.HighNibble * 16 + nibble));
        FPicture.HighNibble = -1;
      }
      break;
    }
    default: break;
  }
}

// After a character of the input that was not skipped: plain printable
// ASCII after one that went into the text goes the same way, with nothing
// to decide in between, so it is taken at once, at a fraction of the cost
// of a character at a time.
void Parser::TakePlainText() {
  auto plain = [](char c) { return c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}'; };
  if (Top().Dest != TDest::Text || !plain(FData[FPos - 1])) return;
  const qsizetype start = FPos;
  while (FPos < FData.size() && plain(FData[FPos])) ++FPos;
  FRun.append(QLatin1StringView(FData.constData() + start, FPos - start));
}

void Parser::TextChar(char16_t C) {
  if (Top().Dest == TDest::Mark) {
    MarkChar(C);
    return;
  }
  if (Top().Dest != TDest::Text) return;
  // Control characters, paragraph separators and the characters the text
  // document keeps for objects and frames would corrupt its structure.
  if ((C < 0x20 && C != u'\t') || C == u'\u2029' || C == u'\uFFFC') return;
  StartContent();
  if (FRunVersion != FStateVersion) {
    const QTextCharFormat format = CurrentFormat();
    if (format != FRunFormat) {
      FlushRun();
      FRunFormat = format;
    }
    FRunVersion = FStateVersion;
  }
  AppendText(C);
}

void Parser::AppendText(char16_t C) {
  // A surrogate stays only as half of a pair; what is not a character
  // (a lone half, a noncharacter) becomes the replacement character.
  if (QChar::isHighSurrogate(C)) {
    FlushSurrogate();
    FHighSurrogate = C;
    return;
  }
  if (QChar::isLowSurrogate(C) && FHighSurrogate != 0) {
    FRun.append(QChar(std::exchange(FHighSurrogate, char16_t(0))));
    FRun.append(QChar(C));
    return;
  }
  FlushSurrogate();
  const bool character = !QChar::isLowSurrogate(C) && !QChar::isNonCharacter(C);
  FRun.append(character ? QChar(C) : QChar(QChar::ReplacementCharacter));
}

void Parser::FlushSurrogate() {
  if (std::exchange(FHighSurrogate, char16_t(0)) != 0)
    FRun.append(QChar(QChar::ReplacementCharacter));
}

void Parser::MarkChar(char16_t C) {
  if (FMark.size() < MaxMarkLength) FMark.append(QChar(C));
}

void Parser::EndMark() {
  // Readers that know numbering use the mark only to tell a bullet from a
  // number; its text never reaches the document.
  if (IsBulletMark(FMark)) FMarkBullet = true;
  FMark.clear();
}

void Parser::StartContent() {
  PlaceParagraph();
  if (FPendingBreak) {
    FPendingBreak = false;
    if (ContinuesParagraphFormat()) {
      // The document splits the text at the separator into paragraphs of
      // the one's format; the separator takes the format of the text before
      // it, as an inserted paragraph would.
      if (FRun.size() >= MaxRunLength) FlushRun();
      AppendText(u'\u2029');
      FBlockHasContent = true;
    } else {
      FlushRun();
      FCursor.insertBlock();
      FApplied.reset();
    }
  }
  if (!FBlockHasContent) {
    FBlockHasContent = true;
    ApplyParagraph();
  }
}

void Parser::Paragraph() {
  if (++FParagraphs > RtfReader::MaxParagraphs) throw RtfFault("Too many paragraphs");
  PlaceParagraph();
  if (FPendingBreak) StartContent();
  // A paragraph has the format in force at its mark.
  if (FApplied != CurrentParagraph()) {
    FlushRun();
    ApplyParagraph();
  }
  FPendingBreak = true;
  FBlockHasContent = false;
  FMarkBullet = false;
}

void Parser::PlaceParagraph() {
  // A picture's group carries the paragraph's properties on.
  if (!Top().InTable) {
    if (!FTable.InTable()) return;
    FlushRun();
    FTable.LeaveTable(FCursor);
  } else if (!FTable.RowOpen()) {
    FlushRun();
    CountCells(FTable.OpenRow(FCursor));
  } else if (FCellEnded) {
    FlushRun();
    CountCells(FTable.NextCell(FCursor));
  } else {
    return;
  }
  // A table begins, as a cell does, without a paragraph of its own before.
  FCellEnded = false;
  FPendingBreak = false;
  FBlockHasContent = false;
  FMarkBullet = false;
  FApplied.reset();
}

void Parser::CountCells(int Cells) {
  if (Cells < 0) throw RtfFault("A table has too many columns");
  FCells += Cells;
  if (FCells > RtfReader::MaxTableCells) throw RtfFault("The tables have too many cells");
  // Every cell is a paragraph of the document.
  FParagraphs += Cells;
  if (FParagraphs > RtfReader::MaxParagraphs) throw RtfFault("Too many paragraphs");
}

void Parser::EndCell() {
  PlaceParagraph();
  // The cell's last paragraph, also an empty one after a paragraph mark.
  if (FPendingBreak) StartContent();
  FlushRun();
  if (FBlockHasContent) ApplyParagraph();
  FCellEnded = true;
}

void Parser::EndRow() {
  if (!FCellEnded) EndCell();
  FTable.CloseRow();
  FCellEnded = false;
}

void Parser::FlushRun() {
  FlushSurrogate();
  if (FRun.isEmpty()) return;
  // Every run is a fragment of the document; alternating formats must not
  // multiply the input into millions of them.
  if (++FRuns > RtfReader::MaxRuns) throw RtfFault("Too many changes of format");
  FCursor.insertText(FRun, FRunFormat);
  FRun.clear();
}

TParagraphFormat Parser::CurrentParagraph() const {
  const TGroupState& state = FStack.back();
  return TParagraphFormat{state.Align, state.Bullet || FMarkBullet};
}

// Whether the paragraph to come has the format of the one before, which
// it then takes along with the text before it (a list's paragraphs and
// those of tables go in one by one).
bool Parser::ContinuesParagraphFormat() const {
  const TParagraphFormat format = CurrentParagraph();
  return !FRun.isEmpty() && FApplied == format && !format.Bullet && !FTable.InTable();
}

void Parser::ApplyParagraph() {
  const TParagraphFormat paragraph = CurrentParagraph();
  QTextBlockFormat format;
  format.setAlignment(paragraph.Align);
  FCursor.mergeBlockFormat(format);
  ApplyBullet(paragraph.Bullet);
  FApplied = paragraph;
}

void Parser::ApplyBullet(bool Bullet) {
  // A new paragraph joins the list of the one before it. Only lists made
  // here are changed, so that text read into a list of the document keeps
  // its place in that list.
  QTextList* list = FCursor.currentList();
  if (Bullet) {
    if (list == nullptr) FList = FCursor.createList(QTextListFormat::ListDisc);
    return;
  }
  if (list == nullptr || list != FList) return;
  // Leaving a list adds the list's indent to the paragraph; a plain
  // paragraph keeps the indent it had.
  const int indent = FCursor.blockFormat().indent();
  list->remove(FCursor.block());
  QTextBlockFormat format = FCursor.blockFormat();
  format.setIndent(indent);
  FCursor.setBlockFormat(format);
}

QTextCharFormat Parser::CurrentFormat() const {
  const TGroupState& state = FStack.back();
  QTextCharFormat format;
  const auto font = FFonts.find(state.Font < 0 ? FDefaultFont : state.Font);
  if (font != FFonts.end()) {
    format.setFontFamilies(QStringList{font->second.Name});
    if (font->second.FixedPitch) format.setFontFixedPitch(true);
  }
  format.setFontPointSize(state.HalfPoints / 2.0);
  format.setFontWeight(state.Bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(state.Italic);
  format.setFontUnderline(state.Underline);
  format.setFontStrikeOut(state.Strike);
  if (state.Color > 0 && state.Color < static_cast<int>(FColors.size()) &&
      FColors[state.Color].isValid())
    format.setForeground(FColors[state.Color]);
  return format;
}

void Parser::CommitFont() {
  if (static_cast<int>(FFonts.size()) >= RtfReader::MaxFonts) throw RtfFault("Too many fonts");
  QString name = FFontName.trimmed();
  FFontName.clear();
  if (!name.isEmpty()) FFonts[FFontId] = TFontEntry{name, FFontFixedPitch};
  FFontFixedPitch = false;
  ++FStateVersion;
}

void Parser::CommitColor() {
  if (static_cast<int>(FColors.size()) >= RtfReader::MaxColors) throw RtfFault("Too many colours");
  // An entry without components is the automatic colour.
  if (FRed < 0 && FGreen < 0 && FBlue < 0)
    FColors.emplace_back();
  else
    FColors.emplace_back(std::max(FRed, 0), std::max(FGreen, 0), std::max(FBlue, 0));
  FRed = FGreen = FBlue = -1;
  ++FStateVersion;
}

void Parser::FinishPicture() {
  const TPicture picture = std::exchange(FPicture, TPicture());
  if (FStack.size() < 2 || FStack[FStack.size() - 2].Dest == TDest::Skip) return;
  if (++FPictures > RtfReader::MaxPictures) throw RtfFault("Too many pictures");
  const QImage image = DecodePicture(picture);
  if (image.isNull()) return;  // a kind we cannot show, or damaged data
  auto displayed = [](int Goal, int Own, int Scale) {
    const double base = Goal > 0 ? Goal / TwipsPerPixel : Own;
    const double scaled = base * (Scale > 0 ? Scale : 100) / 100.0;
    return std::clamp(scaled, 1.0, MaxDisplayPixels);
  };
  const QSizeF size(displayed(picture.GoalWidth, image.width(), picture.ScaleX),
                    displayed(picture.GoalHeight, image.height(), picture.ScaleY));
  // The picture belongs where the enclosing group's text would go.
  StartContent();
  FlushRun();
  InsertReportPicture(FCursor, image, size);
}

QImage Parser::DecodePicture(const TPicture& Picture) {
  switch (Picture.Kind) {
    case TPictureKind::Png: return ReadImage(Picture.Bytes, "png");
    case TPictureKind::Dib: return ReadImage(BmpFromDib(Picture.Bytes), "bmp");
    case TPictureKind::Jpeg: {
      TJPEGImage jpeg;
      try {
        jpeg.LoadFromBytes(Picture.Bytes);
      } catch (const EInvalidGraphic&) {
        return QImage();
      }
      CheckSize(QSize(jpeg.GetWidth(), jpeg.GetHeight()));
      return jpeg.ToImage();
    }
    default: return QImage();
  }
}

QImage Parser::ReadImage(const QByteArray& Bytes, const char* Format) {
  if (Bytes.isEmpty()) return QImage();
  QBuffer buffer;
  buffer.setData(Bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, Format);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) return QImage();
  CheckSize(size);
  return reader.read();
}

void Parser::CheckSize(QSize Size) {
  // A side beyond what the picture formats and painting handle would read
  // but could never be written back.
  const qint64 pixels = static_cast<qint64>(Size.width()) * Size.height();
  if (pixels > RtfReader::MaxPicturePixels || Size.width() > RtfReader::MaxPictureSide ||
      Size.height() > RtfReader::MaxPictureSide)
    throw RtfFault("A picture is too large");
  FTotalPixels += pixels;
  if (FTotalPixels > RtfReader::MaxTotalPixels) throw RtfFault("The pictures are too large");
}

}  // namespace

bool RtfReader::Read(const QByteArray& Data, QTextCursor& Cursor) {
  FErrorText.clear();
  if (Data.size() > MaxInputSize) {
    FErrorText = QStringLiteral("The file is too large");
    return false;
  }
  if (!LooksLikeRtf(Data)) {
    FErrorText = QStringLiteral("The file is not rich text");
    return false;
  }
  Cursor.beginEditBlock();
  try {
    Parser(Data, Cursor).Run();
  } catch (const RtfFault& fault) {
    FErrorText = QString::fromUtf8(fault.what());
  } catch (const std::bad_alloc&) {
    FErrorText = QStringLiteral("Not enough memory to read the file");
  }
  Cursor.endEditBlock();
  return FErrorText.isEmpty();
}

bool RtfReader::LooksLikeRtf(const QByteArray& Data) {
  qsizetype at = 0;
  while (at < Data.size() &&
         (Data[at] == ' ' || Data[at] == '\t' || Data[at] == '\r' || Data[at] == '\n'))
    ++at;
  return Data.mid(at, 5) == "{\\rtf";
}
