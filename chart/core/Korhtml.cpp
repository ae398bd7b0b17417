#include "chart/core/Korhtml.h"

#include "chart/core/TKorCanvas.h"

#include "platform/NumberText.h"
#include "platform/TBrush.h"
#include "platform/TColor.h"
#include "platform/TFont.h"
#include "platform/TGraphic.h"
#include "platform/TPen.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

TGraphicFileExtensionHook GraphicFileExtension;
TGraphicDownloadHook GraphicDownload = &LocalGraphicDownload;

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Chart texts come from streams: sizes are kept within what a font and a
// picture can sensibly have, and positions never overflow.
constexpr int MaxFontSize = 1000;  // points
constexpr int MaxPictureSide = 32768;
constexpr int MissingPictureSide = 40;
constexpr qint64 MaxPictureFileBytes = qint64(64) * 1024 * 1024;
constexpr int RuleLength = 100;
constexpr TColor RuleColor = 0x808080;
constexpr long long PositionLimit = 1 << 30;

int LiveStackEntries = 0;

int AddClamped(int A, long long B) {
  return static_cast<int>(std::clamp(A + B, -PositionLimit, PositionLimit));
}

// A stack of one call whose entries are counted while they exist.
template <class T>
class TCountedStack {
 public:
  TCountedStack() = default;
  ~TCountedStack() { LiveStackEntries -= static_cast<int>(FItems.size()); }
  TCountedStack(const TCountedStack&) = delete;
  TCountedStack& operator=(const TCountedStack&) = delete;

  void Push(T Value) {
    FItems.push_back(std::move(Value));
    ++LiveStackEntries;
  }
  // False, leaving Value, when empty.
  bool Pop(T& Value) {
    if (FItems.empty()) return false;
    Value = std::move(FItems.back());
    FItems.pop_back();
    --LiveStackEntries;
    return true;
  }

 private:
  std::vector<T> FItems;
};

// Everything a tag can change about the font, plus the vertical shift of
// <SUB> and <SUPER>, so that restoring brings back exactly what was saved.
// The height is kept in device units: a point size would round on devices
// that are not 72 pixels per inch.
struct TFontState {
  QString Name;
  int Height = 0;
  TColor Color = clBlack;
  TFontStyles Style;
  int Shift = 0;
};

TFontState CurrentFont(const TKorCanvas& Canvas, int Shift = 0) {
  const TFont& F = Canvas.GetFont();
  return TFontState{F.GetName(), F.GetHeight(), F.GetColor(), F.GetStyle(), Shift};
}

void ApplyFont(TKorCanvas& Canvas, const TFontState& State) {
  TFont& F = Canvas.GetFont();
  F.SetName(State.Name);
  F.SetHeight(State.Height);
  F.SetColor(State.Color);
  F.SetStyle(State.Style);
}

// Puts the canvas font back when the scope ends.
class TFontKeeper {
 public:
  explicit TFontKeeper(TKorCanvas& Canvas) : FCanvas(Canvas), FState(CurrentFont(Canvas)) {}
  ~TFontKeeper() { ApplyFont(FCanvas, FState); }
  TFontKeeper(const TFontKeeper&) = delete;
  TFontKeeper& operator=(const TFontKeeper&) = delete;

 private:
  TKorCanvas& FCanvas;
  TFontState FState;
};

// Rules and missing-picture marks set their own pen and brush; the
// caller's come back afterwards.
class TPenBrushKeeper {
 public:
  explicit TPenBrushKeeper(TKorCanvas& Canvas) : FCanvas(Canvas) {
    FPen.Assign(Canvas.GetPen());
    FBrush.Assign(Canvas.GetBrush());
  }
  ~TPenBrushKeeper() {
    FCanvas.GetPen().Assign(FPen);
    FCanvas.GetBrush().Assign(FBrush);
  }
  TPenBrushKeeper(const TPenBrushKeeper&) = delete;
  TPenBrushKeeper& operator=(const TPenBrushKeeper&) = delete;

 private:
  TKorCanvas& FCanvas;
  TPen FPen;
  TBrush FBrush;
};

struct TAttribute {
  QString Name;
  QString Value;
};

int LastBlankBefore(const QString& Text, int From, int Before) {
  for (int I = Before - 1; I >= From; --I)
    if (Text[I].isSpace()) return I;
  return -1;
}

// "name=value name=value ...": there are as many attributes as "=" signs;
// a value runs to the last blank before the next name, the last one to the
// end. Names and values are trimmed.
std::vector<TAttribute> ParseAttributes(const QString& Text) {
  std::vector<TAttribute> Result;
  int Pos = 0;
  int Equal = Text.indexOf(u'=');
  while (Equal >= 0) {
    TAttribute A;
    A.Name = Text.mid(Pos, Equal - Pos).trimmed();
    const int ValueStart = Equal + 1;
    const int NextEqual = Text.indexOf(u'=', ValueStart);
    if (NextEqual < 0) {
      A.Value = Text.mid(ValueStart).trimmed();
      Result.push_back(std::move(A));
      break;
    }
    const int Blank = LastBlankBefore(Text, ValueStart, NextEqual);
    // Without a blank the next name swallows the value.
    Pos = Blank < 0 ? ValueStart : Blank + 1;
    if (Blank >= 0) A.Value = Text.mid(ValueStart, Blank - ValueStart).trimmed();
    Result.push_back(std::move(A));
    Equal = NextEqual;
  }
  return Result;
}

// One leading and one trailing double quote go.
QString StripQuotes(QString Value) {
  if (Value.startsWith(u'"')) Value.remove(0, 1);
  if (Value.endsWith(u'"')) Value.chop(1);
  return Value;
}

bool ScanWholeInt(const QString& Text, int& Value) {
  const std::string Utf8 = Text.toStdString();
  return TextToInt(Utf8, Value);
}

TColor HtmlColor(const QString& Value) {
  static const std::pair<const char*, TColor> Names[] = {
      {"BLACK", 0x000000}, {"RED", 0x0000FF},   {"BLUE", 0xFF0000}, {"YELLOW", 0x00FFFF},
      {"WHITE", 0xFFFFFF}, {"GREEN", 0x008000}, {"LIME", 0x00FF00}};
  const QString Trimmed = Value.trimmed();
  const QString Upper = Trimmed.toUpper();
  for (const auto& [Name, Color] : Names)
    if (Upper == QLatin1String(Name)) return Color;
  static const QRegularExpression HexRgb(QStringLiteral("^#[0-9A-F]{6}$"));
  if (HexRgb.match(Upper).hasMatch()) {
    auto Channel = [&](int At) { return Upper.mid(At, 2).toInt(nullptr, 16); };
    return RGB(Channel(1), Channel(3), Channel(5));
  }
  return StringToColor(Trimmed);  // colour names and numbers, or EConvertError
}

TFontStyles SingleWeight(const QString& Value) {
  const QString Upper = Value.trimmed().toUpper();
  if (Upper == QLatin1String("NORMAL")) return TFontStyles();
  if (Upper == QLatin1String("BOLD")) return TFontStyles{fsBold};
  if (Upper == QLatin1String("ITALIC")) return TFontStyles{fsItalic};
  if (Upper == QLatin1String("UNDERLINE")) return TFontStyles{fsUnderline};
  if (Upper == QLatin1String("STRIKE")) return TFontStyles{fsStrikeOut};
  throw Exception(QStringLiteral("Unknown field in FONT WEIGHT=") + Value);
}

// The style an opening or closing style tag names ("<B>", "</STRONG>", ...).
bool StyleOfTag(QString Upper, TFontStyle& Style) {
  if (Upper.startsWith(QLatin1String("</"))) Upper.remove(1, 1);
  if (Upper == QLatin1String("<B>") || Upper == QLatin1String("<BOLD>") ||
      Upper == QLatin1String("<STRONG>"))
    Style = fsBold;
  else if (Upper == QLatin1String("<I>"))
    Style = fsItalic;
  else if (Upper == QLatin1String("<U>"))
    Style = fsUnderline;
  else if (Upper == QLatin1String("<STRIKE>"))
    Style = fsStrikeOut;
  else
    return false;
  return true;
}

int HeadingSize(const QString& Upper) {
  static const QString Headings[] = {"<H1>", "<H2>", "<H3>", "<H4>", "<H5>", "<H6>"};
  static const int Sizes[] = {48, 36, 24, 18, 12, 8};
  for (int I = 0; I < 6; ++I)
    if (Upper == Headings[I]) return Sizes[I];
  return 0;
}

// Everything after the last dot of the file name, upper-cased, with the dot.
QString UpperExtension(const QString& Source) {
  const int Dot = Source.lastIndexOf(u'.');
  const int Separator = std::max(Source.lastIndexOf(u'/'), Source.lastIndexOf(u'\\'));
  return Dot > Separator ? Source.mid(Dot).toUpper() : QString();
}

// A path, or a file: URL without a host. A single letter before the colon
// is a drive, not a scheme.
bool NamesLocalFile(const QString& Source) {
  if (Source.startsWith(QStringLiteral("//")) || Source.startsWith(QStringLiteral("\\\\")))
    return false;
  static const QRegularExpression Scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+):"));
  const QRegularExpressionMatch M = Scheme.match(Source);
  if (!M.hasMatch()) return true;
  if (M.captured(1).compare(QLatin1String("file"), Qt::CaseInsensitive) != 0) return false;
  const QUrl Url(Source);
  return Url.isValid() && Url.host().isEmpty();
}

// The picture Source names, or nullptr when it cannot be had.
std::unique_ptr<TGraphic> LoadPicture(const QString& Source) {
  if (Source.isEmpty() || !NamesLocalFile(Source) || !GraphicFileExtension || !GraphicDownload)
    return nullptr;
  std::unique_ptr<TGraphic> Graphic = GraphicFileExtension(UpperExtension(Source));
  if (!Graphic) return nullptr;
  try {
    QBuffer Data;
    Data.open(QIODevice::ReadWrite);
    if (GraphicDownload(Source, Data) != 0 || Data.size() <= 0) return nullptr;
    Data.seek(0);
    Graphic->LoadFromStream(Data);
  } catch (const std::exception&) {
    return nullptr;  // drawn as a missing picture, which is no error
  }
  if (Graphic->GetEmpty()) return nullptr;
  return Graphic;
}

// One line of the layout, as the measuring pass found it.
struct TLineBox {
  int Height = 0;  // tallest token
  int Below = 0;   // deepest <SUB> shift
  bool Used = false;
};

// What the measuring pass hands to the drawing pass: final line heights,
// so tokens drawn before a taller one still share the line's bottom, and
// the pictures, loaded once.
struct TLayout {
  std::vector<TLineBox> Lines;
  std::vector<std::unique_ptr<TGraphic>> Pictures;  // nullptr: missing
};

// Walks one text once, measuring (and recording the layout) or drawing
// (with the recorded layout).
class THtmlWalker {
 public:
  THtmlWalker(TKorCanvas& Canvas, int Left, int Top, TLayout& Layout, bool Drawing)
      : FCanvas(Canvas),
        FLayout(Layout),
        FDrawing(Drawing),
        FLeft(Left),
        FTop(Top),
        FX(Left),
        FLineTop(Top),
        FExtentBottom(Top) {}

  void Run(const QString& Text) {
    int Pos = 0;
    while (Pos < Text.size()) {
      int End;
      if (Text[Pos] == u'<') {
        End = Text.indexOf(u'>', Pos);
        if (End < 0) throw HtmlParserException(QStringLiteral("Missing > at ") + Text.mid(Pos));
        ++End;
      } else {
        End = Text.indexOf(u'<', Pos);
        if (End < 0) End = Text.size();
      }
      Handle(Text.mid(Pos, End - Pos));
      Pos = End;
    }
    CloseLine();
  }

  TSize Extent() const { return TSize(FExtentWidth, FExtentBottom - FTop); }

 private:
  void Handle(QString Token) {
    FFontPushed = false;
    if (Token.startsWith(CrLf)) {
      NewLine();
      Token.remove(0, 2);
      if (Token.isEmpty()) return;
    }
    const QString Upper = Token.toUpper();
    if (HandleTag(Token, Upper))
      FPreviousFontPushed = FFontPushed;
    else
      OutputText(Token);  // text leaves the previous-token flag as it was
  }

  // False when the token is text (unknown tags included).
  bool HandleTag(const QString& Token, const QString& Upper) {
    TFontStyle Style;
    if (Upper == QLatin1String("<BR>") || Upper == QLatin1String("<P>")) {
      NewLine();
    } else if (Upper == QLatin1String("<BIG>")) {
      SaveFont();
      SetSize(Size() + 2);
    } else if (Upper == QLatin1String("<SMALL>")) {
      SaveFont();
      SetSize(Size() - 2);
    } else if (Upper == QLatin1String("<SUB>")) {
      SaveFont();
      SetSize(Size() / 2);
      FShift = AddClamped(FShift, FCanvas.GetFontHeight());
    } else if (Upper == QLatin1String("<SUPER>")) {
      SaveFont();
      SetSize(Size() / 2);
      FShift = AddClamped(FShift, -(FCanvas.GetFontHeight() / 2));
    } else if (Upper == QLatin1String("</SUB>") || Upper == QLatin1String("</SUPER>") ||
               Upper == QLatin1String("</PRE>") || Upper.startsWith(QLatin1String("</FONT"))) {
      RestoreFont();
    } else if (const int Heading = HeadingSize(Upper); Heading > 0) {
      SaveFont();
      SetSize(Heading);
    } else if (Upper == QLatin1String("<PRE>")) {
      SaveFont();
      ApplyFontTag(QStringLiteral("<FONT NAME=\"COURIER NEW\">"));
    } else if (Upper == QLatin1String("<CENTER>") || Upper == QLatin1String("</CENTER>")) {
      FCentre = Upper == QLatin1String("<CENTER>");
    } else if (StyleOfTag(Upper, Style)) {
      const bool Closing = Upper.startsWith(QLatin1String("</"));
      SetStyle(Style, !Closing);
      if (!Closing) FTags.Push(Upper);
    } else if (Upper.startsWith(QLatin1String("<IMG "))) {
      Picture(Token);
    } else if (Upper.startsWith(QLatin1String("<FONT "))) {
      SaveFont();
      ApplyFontTag(Token);
    } else if (Upper == QLatin1String("</>")) {
      CloseLast();
    } else if (Upper == QLatin1String("<HR>")) {
      Rule();
    } else {
      return false;
    }
    return true;
  }

  TFont& Font() { return FCanvas.GetFont(); }
  // A font given by its cell height reports a negative point size.
  long long Size() { return std::abs(Font().GetSize()); }

  void SetSize(long long Size) {
    Font().SetSize(static_cast<int>(std::clamp(Size, 1LL, static_cast<long long>(MaxFontSize))));
  }

  void SetStyle(TFontStyle Style, bool On) {
    TFontStyles Styles = Font().GetStyle();
    if (On)
      Styles.Include(Style);
    else
      Styles.Exclude(Style);
    Font().SetStyle(Styles);
  }

  void SaveFont() {
    FFonts.Push(CurrentFont(FCanvas, FShift));
    FFontPushed = true;
  }

  void RestoreFont() {
    TFontState Saved;
    if (!FFonts.Pop(Saved)) return;
    ApplyFont(FCanvas, Saved);
    FShift = Saved.Shift;
  }

  // "</>": the font the previous tag saved, else the last style opened.
  void CloseLast() {
    if (FPreviousFontPushed) {
      RestoreFont();
      return;
    }
    QString Tag;
    TFontStyle Style;
    if (FTags.Pop(Tag) && StyleOfTag(Tag, Style)) SetStyle(Style, false);
  }

  void ApplyFontTag(const QString& Token) {
    QString Body = Token.mid(6);
    if (Body.endsWith(u'>')) Body.chop(1);
    for (const TAttribute& A : ParseAttributes(Body)) ApplyFontAttribute(A);
  }

  void ApplyFontAttribute(const TAttribute& A) {
    const QString Name = A.Name.toUpper();
    if (Name == QLatin1String("NAME") || Name == QLatin1String("FAMILY")) {
      Font().SetName(StripQuotes(A.Value));
    } else if (Name == QLatin1String("SIZE")) {
      int Value = 0;
      if (!ScanWholeInt(A.Value, Value))
        throw HtmlParserException(QStringLiteral("Unknown field in FONT SIZE=") + A.Value);
      const bool Relative = A.Value.startsWith(u'+') || A.Value.startsWith(u'-');
      SetSize(Relative ? Size() + Value : Value);
    } else if (Name == QLatin1String("COLOR")) {
      Font().SetColor(HtmlColor(A.Value));
    } else if (Name == QLatin1String("WEIGHT")) {
      Font().SetStyle(SingleWeight(A.Value));
    } else {
      throw Exception(QStringLiteral("Unknown field in FONT: ") + A.Name);
    }
  }

  TLineBox& Line() {
    if (FLineIndex >= FLayout.Lines.size()) FLayout.Lines.resize(FLineIndex + 1);
    return FLayout.Lines[FLineIndex];
  }

  // Top of a token of Height on the current line.
  int Place(int Height) {
    TLineBox& L = Line();
    if (!FDrawing) {
      L.Height = std::max(L.Height, Height);
      L.Below = std::max(L.Below, FShift);
      L.Used = true;
    }
    return AddClamped(FLineTop, static_cast<long long>(L.Height) - Height + FShift);
  }

  void Advance(int Width) {
    FX = AddClamped(FX, Width);
    FExtentWidth = std::max(FExtentWidth, FX);
  }

  void CloseLine() {
    const TLineBox& L = Line();
    if (L.Used)
      FExtentBottom =
          std::max(FExtentBottom, AddClamped(FLineTop, static_cast<long long>(L.Height) + L.Below));
  }

  void NewLine() {
    CloseLine();
    const TLineBox& L = Line();
    FLineTop = AddClamped(
        FLineTop, L.Used ? static_cast<long long>(L.Height) + L.Below : FCanvas.GetFontHeight());
    ++FLineIndex;
    FX = FLeft;
  }

  void OutputText(const QString& Token) {
    QString Text = Token;
    Text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    Text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    Text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    Text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    const bool LineEnd = Text.endsWith(CrLf);
    if (LineEnd) Text.chop(2);
    if (!Text.isEmpty()) {
      const int Width = FCanvas.TextWidth(Text);
      if (FCentre) {
        const TRect& B = FCanvas.GetBounds();
        FX = (B.Left + B.Right) / 2 - Width / 2;
      }
      const int Top = Place(FCanvas.TextHeight(Text));
      if (FDrawing) FCanvas.TextOut(FX, Top, Text);
      Advance(Width);
    }
    if (LineEnd) NewLine();
  }

  // A grey rule on a line of its own, one font height high.
  void Rule() {
    if (Line().Used) NewLine();
    FX = FLeft;
    const int Height = FCanvas.GetFontHeight();
    const int Top = Place(Height);
    if (FDrawing) {
      TPenBrushKeeper Keep(FCanvas);
      TPen& Pen = FCanvas.GetPen();
      Pen.SetStyle(psSolid);
      Pen.SetWidth(1);
      Pen.SetColor(RuleColor);
      const int Y = AddClamped(Top, Height / 2);
      FCanvas.DoHorizLine(FX, AddClamped(FX, RuleLength), Y);
    }
    FExtentWidth = std::max(FExtentWidth, AddClamped(FX, RuleLength));
    NewLine();
  }

  static int PictureSide(const TAttribute& A) {
    int Value = 0;
    if (!ScanWholeInt(A.Value, Value))
      throw HtmlParserException(QStringLiteral("Unknown field in IMG ") + A.Name.toUpper() +
                                QStringLiteral("=") + A.Value);
    return std::clamp(Value, 0, MaxPictureSide);
  }

  // Loaded while measuring, reused while drawing.
  const TGraphic* PictureFor(const QString& Source) {
    if (!FDrawing) FLayout.Pictures.push_back(LoadPicture(Source));
    const size_t Index = FPictureIndex++;
    return Index < FLayout.Pictures.size() ? FLayout.Pictures[Index].get() : nullptr;
  }

  void Picture(const QString& Token) {
    QString Body = Token.mid(5);
    if (Body.startsWith(CrLf)) Body.remove(0, 2);
    if (Body.endsWith(u'>')) Body.chop(1);
    int Width = -1;
    int Height = -1;
    QString Source;
    for (const TAttribute& A : ParseAttributes(Body)) {
      const QString Name = A.Name.toUpper();
      if (Name == QLatin1String("WIDTH"))
        Width = PictureSide(A);
      else if (Name == QLatin1String("HEIGHT"))
        Height = PictureSide(A);
      else if (Name == QLatin1String("SRC"))
        Source = StripQuotes(A.Value.trimmed());
    }
    const TGraphic* Graphic = PictureFor(Source);
    const int Default = MissingPictureSide;
    if (Width < 0)
      Width = Graphic != nullptr ? std::min(Graphic->GetWidth(), MaxPictureSide) : Default;
    if (Height < 0)
      Height = Graphic != nullptr ? std::min(Graphic->GetHeight(), MaxPictureSide) : Default;
    const int Top = Place(Height);
    if (FDrawing) DrawPicture(Graphic, TRect(FX, Top, FX + Width, Top + Height));
    Advance(Width);
  }

  void DrawPicture(const TGraphic* Graphic, const TRect& R) {
    if (Graphic == nullptr) {
      DrawMissingPicture(R);
    } else if (R.Width() == Graphic->GetWidth() && R.Height() == Graphic->GetHeight()) {
      FCanvas.Draw(R.Left, R.Top, Graphic);
    } else {
      FCanvas.StretchDraw(R, Graphic);
    }
  }

  // A white box with a red frame and both diagonals.
  void DrawMissingPicture(const TRect& R) {
    TPenBrushKeeper Keep(FCanvas);
    TPen& Pen = FCanvas.GetPen();
    Pen.SetStyle(psSolid);
    Pen.SetWidth(1);
    Pen.SetColor(clRed);
    FCanvas.GetBrush().SetStyle(bsSolid);
    FCanvas.GetBrush().SetColor(clWhite);
    FCanvas.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    FCanvas.Line(R.Left, R.Top, R.Right, R.Bottom);
    FCanvas.Line(R.Right - 1, R.Top, R.Left - 1, R.Bottom);
  }

  TKorCanvas& FCanvas;
  TLayout& FLayout;
  const bool FDrawing;
  const int FLeft;
  const int FTop;
  int FX;
  int FLineTop;
  size_t FLineIndex = 0;
  size_t FPictureIndex = 0;
  int FShift = 0;  // pixels down (<SUB>) or up (<SUPER>) from the line's bottom
  bool FCentre = false;
  bool FFontPushed = false;
  bool FPreviousFontPushed = false;
  int FExtentWidth = 0;
  int FExtentBottom;
  TCountedStack<TFontState> FFonts;
  TCountedStack<QString> FTags;
};

}  // namespace

int LocalGraphicDownload(const QString& Source, QIODevice& Stream) {
  if (!NamesLocalFile(Source)) return 1;
  const QString Path = Source.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)
                           ? QUrl(Source).toLocalFile()
                           : Source;
  std::error_code Error;
  const std::filesystem::path File(Path.toStdU16String());
  if (!std::filesystem::is_regular_file(File, Error)) return 1;
  const auto Size = std::filesystem::file_size(File, Error);
  if (Error || Size > static_cast<std::uintmax_t>(MaxPictureFileBytes)) return 1;
  QFile In(Path);
  if (!In.open(QIODevice::ReadOnly)) return 1;
  const QByteArray Bytes = In.read(MaxPictureFileBytes);
  if (Bytes.isEmpty()) return 1;
  return Stream.write(Bytes) == Bytes.size() ? 0 : 1;
}

void HtmlTextOut(TKorCanvas& Canvas, int X, int Y, const QString& Text) {
  TLayout Layout;
  {
    TFontKeeper Keep(Canvas);
    THtmlWalker(Canvas, X, Y, Layout, false).Run(Text);
  }
  THtmlWalker(Canvas, X, Y, Layout, true).Run(Text);
}

TSize HtmlTextExtent(TKorCanvas& Canvas, const QString& Text) {
  TLayout Layout;
  THtmlWalker Walker(Canvas, 0, 0, Layout, false);
  Walker.Run(Text);
  return Walker.Extent();
}

int HtmlLiveStackEntries() {
  return LiveStackEntries;
}
