#include "chart/core/KorProcs.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorTypePictures.h"
#include "chart/core/TCustomKorPanel.h"
#include "chart/core/TView3DOptions.h"

#include "platform/Exception.h"
#include "platform/FormatSettings.h"
#include "platform/OptionsStore.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TComponent.h"

#include <QCursor>
#include <QFile>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

namespace {

constexpr double SecondsPerDay = 86400.0;

const QString EditorKey = QStringLiteral("SOFTWARE\\Korvale\\KorChart Pro\\Editor");

// The date up to which KorRoundDate leaves dates alone: 1900-01-01.
const TDateTime FirstRoundedDate = EncodeDate(1900, 1, 1);

}  // namespace

std::vector<TColor> ColorPalette = DefaultColorPalette();
QString KorFieldsSeparator = QStringLiteral(";");
TKorTranslateHook KorTranslateHook;

// Cursors need the application object, which does not exist yet while
// units start; the first panel registers the cursor instead.
void KorRegisterHandCursor() {
  static const bool Registered = RegisterCursor(crKorHand, QCursor(Qt::PointingHandCursor));
  (void)Registered;
}

const std::array<double, 27> DateTimeStep = {0.000001 / SecondsPerDay,
                                             0.001 / SecondsPerDay,
                                             1 / SecondsPerDay,
                                             5 / SecondsPerDay,
                                             10 / SecondsPerDay,
                                             15 / SecondsPerDay,
                                             30 / SecondsPerDay,
                                             60 / SecondsPerDay,
                                             300 / SecondsPerDay,
                                             600 / SecondsPerDay,
                                             900 / SecondsPerDay,
                                             1800 / SecondsPerDay,
                                             3600 / SecondsPerDay,
                                             7200 / SecondsPerDay,
                                             0.25,
                                             0.5,
                                             1,
                                             2,
                                             3,
                                             7,
                                             15,
                                             30,
                                             60,
                                             90,
                                             120,
                                             182,
                                             365};

const std::vector<TColor>& DefaultColorPalette() {
  static const std::vector<TColor> Palette = {
      clRed,  clGreen, clYellow,     clBlue,    clWhite, clGray,   clFuchsia,
      clTeal, clNavy,  clMaroon,     clLime,    clOlive, clPurple, clSilver,
      clAqua, clBlack, clMoneyGreen, clSkyBlue, clCream, clMedGray};
  return Palette;
}

TColor GetDefaultColor(int Index) {
  const std::vector<TColor>& Palette = ColorPalette.empty() ? DefaultColorPalette() : ColorPalette;
  const int Count = static_cast<int>(Palette.size());
  return Palette[((Index % Count) + Count) % Count];
}

void SetDefaultColorPalette(const std::vector<TColor>& Colors) {
  ColorPalette = Colors.empty() ? DefaultColorPalette() : Colors;
}

QString KorStr(int Value) {
  return QString::number(Value);
}

QString DateTimeDefaultFormat(double Step) {
  const FormatSettings& Settings = CurrentFormatSettings();
  return Step > 1 ? Settings.ShortDateFormat : Settings.ShortTimeFormat;
}

double NextDateTimeStep(double Step) {
  for (int I = dtSixMonths; I >= 0; --I)
    if (Step >= DateTimeStep[I]) return DateTimeStep[I + 1];
  return DateTimeStep[dtOneYear];
}

TDateTimeStep FindDateTimeStep(double Step) {
  for (int I = dtOneYear; I >= 0; --I)
    if (std::fabs(DateTimeStep[I] - Step) < DateTimeStep[dtOneMicroSecond])
      return static_cast<TDateTimeStep>(I);
  return dtNone;
}

TDateTime KorRoundDate(TDateTime Date, TDateTimeStep Step) {
  if (!(Date > FirstRoundedDate)) return Date;
  int Year = 0;
  int Month = 0;
  int Day = 0;
  DecodeDate(Date, Year, Month, Day);
  if (Year == 0) return Date;
  switch (Step) {
    case dtHalfMonth: Day = Day < 15 ? 1 : 15; break;
    case dtOneMonth:
    case dtTwoMonths:
    case dtThreeMonths:
    case dtFourMonths:
    case dtSixMonths: Day = 1; break;
    case dtOneYear:
      Day = 1;
      Month = 1;
      break;
    default: break;
  }
  TDateTime Result = 0;
  return TryEncodeDate(Year, Month, Day, Result) ? Result : Date;
}

namespace {

int MonthsOf(TDateTimeStep Which) {
  switch (Which) {
    case dtOneMonth: return 1;
    case dtTwoMonths: return 2;
    case dtThreeMonths: return 3;
    case dtFourMonths: return 4;
    case dtSixMonths: return 6;
    default: return 0;
  }
}

// Half-month steps land on the 1st and the 15th: forward to the next of
// them, back to the previous one.
void StepHalfMonth(bool Increment, int& Month, int& Day) {
  if (Increment) {
    if (Day < 15) {
      Day = 15;
    } else {
      Day = 1;
      ++Month;
    }
  } else if (Day > 15) {
    Day = 15;
  } else if (Day > 1) {
    Day = 1;
  } else {
    Day = 15;
    --Month;
  }
}

}  // namespace

void KorDateTimeIncrement(bool IsDateTime, bool Increment, double& Value, double Step,
                          TDateTimeStep Which) {
  if (!IsDateTime || Which < dtHalfMonth || Which > dtOneYear) {
    Value = Increment ? Value + Step : Value - Step;
    return;
  }
  int Year = 0;
  int Month = 0;
  int Day = 0;
  DecodeDate(Value, Year, Month, Day);
  if (Year == 0) return;
  const int Sign = Increment ? 1 : -1;
  if (Which == dtHalfMonth) {
    StepHalfMonth(Increment, Month, Day);
  } else if (Which == dtOneYear) {
    Year += Sign;
  } else {
    Month += Sign * MonthsOf(Which);
    Day = 1;
  }
  while (Month > 12) {
    Month -= 12;
    ++Year;
  }
  while (Month < 1) {
    Month += 12;
    --Year;
  }
  // 29 February moves to the 28th in a year without it.
  Day = std::min(Day, DaysInMonth(Year, Month));
  TDateTime Result = 0;
  if (TryEncodeDate(Year, Month, Day, Result)) Value = Result;
}

void KorSort(int L, int R, const TKorCompareProc& Compare, const TKorSwapProc& Swap) {
  int I = L;
  int J = R;
  int M = L + (R - L) / 2;
  while (I < J) {
    while (Compare(I, M) < 0) ++I;
    while (Compare(M, J) < 0) --J;
    if (I < J) {
      Swap(I, J);
      if (I == M)
        M = J;
      else if (J == M)
        M = I;
    }
    if (I <= J) {
      ++I;
      --J;
    }
  }
  if (L < J) KorSort(L, J, Compare, Swap);
  if (I < R) KorSort(I, R, Compare, Swap);
}

QString KorGetUniqueName(const TComponent* Owner, const QString& Base) {
  if (Owner == nullptr) return Base + QStringLiteral("1");
  // The owner's names are gathered once: a chart that clones a series per
  // curve would otherwise search all its components for every number tried.
  std::unordered_set<std::string_view> taken;
  for (int I = 0; I < Owner->GetComponentCount(); ++I)
    taken.insert(Owner->GetComponent(I)->GetName());
  const std::string base = Base.toStdString();
  for (int N = 1;; ++N)
    if (!taken.contains(base + std::to_string(N))) return Base + QString::number(N);
}

int KorNumFields(const QString& Text) {
  return KorNumFields(Text, KorFieldsSeparator);
}

int KorNumFields(const QString& Text, const QString& Separator) {
  if (Text.isEmpty()) return 0;
  if (Separator.isEmpty()) return 1;
  return 1 + static_cast<int>(Text.count(Separator));
}

QString KorExtractField(const QString& Text, int Index) {
  return KorExtractField(Text, Index, KorFieldsSeparator);
}

QString KorExtractField(const QString& Text, int Index, const QString& Separator) {
  if (Text.isEmpty() || Index < 1) return QString();
  if (Separator.isEmpty()) return Text;
  qsizetype Start = 0;
  for (int Field = 1; Field < Index; ++Field) {
    const qsizetype Next = Text.indexOf(Separator, Start);
    if (Next < 0) break;
    Start = Next + Separator.size();
  }
  const qsizetype End = Text.indexOf(Separator, Start);
  return End < 0 ? Text.mid(Start) : Text.mid(Start, End - Start);
}

QString ReplaceChar(const QString& Text, QChar Old, QChar New) {
  QString Result;
  Result.reserve(Text.size());
  for (QChar C : Text) {
    if (C != Old)
      Result.append(C);
    else if (!New.isNull())
      Result.append(New);
  }
  return Result;
}

namespace {

// Each character is looked at once, so separators that trade places (a
// decimal comma with a thousands point) do not convert each other back.
QString MapSeparators(const QString& Format, QChar FromDecimal, QChar FromThousand, QChar ToDecimal,
                      QChar ToThousand) {
  QString Result = Format;
  for (QChar& C : Result) {
    if (C == FromDecimal)
      C = ToDecimal;
    else if (C == FromThousand)
      C = ToThousand;
  }
  return Result;
}

}  // namespace

QString DelphiToLocalFormat(const QString& Format) {
  const FormatSettings& S = CurrentFormatSettings();
  if (S.DecimalSeparator == S.ThousandSeparator) return Format;
  return MapSeparators(Format, u'.', u',', S.DecimalSeparator, S.ThousandSeparator);
}

QString LocalToDelphiFormat(const QString& Format) {
  const FormatSettings& S = CurrentFormatSettings();
  if (S.DecimalSeparator == S.ThousandSeparator) return Format;
  return MapSeparators(Format, S.DecimalSeparator, S.ThousandSeparator, u'.', u',');
}

void EnableControls(bool Enable, const std::vector<QWidget*>& Controls) {
  for (QWidget* Control : Controls)
    if (Control != nullptr) Control->setEnabled(Enable);
}

void KorTranslateControl(QWidget* Control, const std::vector<QWidget*>& Exclude) {
  if (KorTranslateHook) KorTranslateHook(Control, Exclude);
}

void KorDrawCheckBox(int X, int Y, TCanvas& Canvas, bool Checked, TColor, bool IsCheckBox) {
  TPen OldPen;
  OldPen.Assign(Canvas.GetPen());
  TBrush OldBrush;
  OldBrush.Assign(Canvas.GetBrush());
  Canvas.GetPen().SetStyle(psSolid);
  Canvas.GetPen().SetWidth(1);
  Canvas.GetPen().SetMode(pmCopy);
  Canvas.GetPen().SetColor(clBtnShadow);
  Canvas.GetBrush().SetStyle(bsSolid);
  Canvas.GetBrush().SetColor(clWindow);
  if (IsCheckBox) {
    Canvas.Rectangle(X, Y, X + 13, Y + 13);
    if (Checked) {
      // A tick three pixels thick.
      Canvas.GetPen().SetColor(clWindowText);
      for (int D = 0; D < 3; ++D) {
        Canvas.MoveTo(X + 3, Y + 5 + D);
        Canvas.LineTo(X + 5, Y + 7 + D);
        Canvas.LineTo(X + 10, Y + 2 + D);
      }
    }
  } else {
    Canvas.Ellipse(X, Y, X + 13, Y + 13);
    if (Checked) {
      Canvas.GetPen().SetColor(clWindowText);
      Canvas.GetBrush().SetColor(clWindowText);
      Canvas.Ellipse(X + 4, Y + 4, X + 9, Y + 9);
    }
  }
  Canvas.SetPen(OldPen);
  Canvas.SetBrush(OldBrush);
}

void KorLoadBitmap(TBitmap& Bitmap, const QString& Name, const QString& FallbackName) {
  for (const QString& Candidate : {Name, FallbackName}) {
    if (Candidate.isEmpty()) continue;
    for (const char* Suffix : {"", ".bmp", ".png"}) {
      const QString Resource = QStringLiteral(":/") + Candidate + QLatin1String(Suffix);
      if (!QFile::exists(Resource)) continue;
      try {
        Bitmap.LoadFromFile(Resource);
        return;
      } catch (const Exception&) {
        // An unreadable resource counts as missing.
      }
    }
  }
}

void KorGetBitmapEditor(const QString& ClassName, const QString& ParentClassName, TBitmap& Bitmap) {
  KorLoadBitmap(Bitmap, ClassName, ParentClassName);
  if (!Bitmap.GetEmpty()) return;
  // Without a resource the picture is drawn by the class's registered painter.
  if (!KorPaintPicture(ClassName, Bitmap)) KorPaintPicture(ParentClassName, Bitmap);
}

namespace {

// Restores the panel settings KorAntiAlias changes, on every exit path.
class TAntiAliasScope {
 public:
  explicit TAntiAliasScope(TCustomKorPanel& APanel)
      : FPanel(APanel),
        FRepaint(APanel.GetRepaintOnChange()),
        FFontZoom(APanel.GetView3DOptions().GetFontZoom()),
        FBuffered(APanel.GetBufferedDisplay()) {
    FPanel.SetRepaintOnChange(false);
    FPanel.GetView3DOptions().SetFontZoom(FFontZoom * 2);
  }
  ~TAntiAliasScope() {
    FPanel.GetView3DOptions().SetFontZoom(FFontZoom);
    FPanel.SetBufferedDisplay(FBuffered);
    FPanel.SetRepaintOnChange(FRepaint);
  }
  TAntiAliasScope(const TAntiAliasScope&) = delete;
  TAntiAliasScope& operator=(const TAntiAliasScope&) = delete;

 private:
  TCustomKorPanel& FPanel;
  bool FRepaint;
  int FFontZoom;
  bool FBuffered;
};

}  // namespace

std::unique_ptr<TBitmap> KorAntiAlias(TCustomKorPanel& Panel) {
  const TRect R = Panel.GetRectangle();
  const int W = std::max(0, R.Width());
  const int H = std::max(0, R.Height());
  std::unique_ptr<TBitmap> Large;
  {
    TAntiAliasScope Scope(Panel);
    Large = Panel.KorCreateBitmap(Panel.GetColor(), TRect(0, 0, 2 * W, 2 * H), pf24bit);
  }
  return KorAntiAliasBitmap(*Large);
}

bool KorReadBoolOption(const QString& Name, bool Default) {
  return OptionsStore::User().ReadBool(EditorKey, Name, Default);
}

int KorReadIntegerOption(const QString& Name, int Default) {
  return OptionsStore::User().ReadInteger(EditorKey, Name, Default);
}

void KorSaveBoolOption(const QString& Name, bool Value) {
  OptionsStore::User().WriteBool(EditorKey, Name, Value);
}

void KorSaveIntegerOption(const QString& Name, int Value) {
  OptionsStore::User().WriteInteger(EditorKey, Name, Value);
}

namespace {

double Distance(double X0, double Y0, double X1, double Y1) {
  return std::hypot(X1 - X0, Y1 - Y0);
}

double Cross(double AX, double AY, double BX, double BY) {
  return AX * BY - AY * BX;
}

}  // namespace

bool PointInLine(const TPoint& P, int X0, int Y0, int X1, int Y1, int Tolerance) {
  if ((P.X == X0 && P.Y == Y0) || (P.X == X1 && P.Y == Y1)) return true;
  const double DX = double(X1) - X0;
  const double DY = double(Y1) - Y0;
  const double Length2 = DX * DX + DY * DY;
  double D;
  if (Length2 == 0) {
    D = Distance(P.X, P.Y, X0, Y0);
  } else {
    const double T = ((P.X - double(X0)) * DX + (P.Y - double(Y0)) * DY) / Length2;
    if (T < 0)
      D = Distance(P.X, P.Y, X0, Y0);
    else if (T > 1)
      D = Distance(P.X, P.Y, X1, Y1);
    else
      D = std::fabs(Cross(DX, DY, P.X - double(X0), P.Y - double(Y0))) / std::sqrt(Length2);
  }
  return D <= Tolerance + 1.0;
}

bool PointInLine(const TPoint& P, int X0, int Y0, int X1, int Y1) {
  return PointInLine(P, X0, Y0, X1, Y1, 0);
}

bool PointInLine(const TPoint& P, const TPoint& P0, const TPoint& P1) {
  return PointInLine(P, P0.X, P0.Y, P1.X, P1.Y, 0);
}

bool PointInLine(const TPoint& P, const TPoint& P0, const TPoint& P1, int Tolerance) {
  return PointInLine(P, P0.X, P0.Y, P1.X, P1.Y, Tolerance);
}

bool PointInLineTolerance(const TPoint& P, int X0, int Y0, int X1, int Y1, int Tolerance) {
  return PointInLine(P, X0, Y0, X1, Y1, Tolerance);
}

bool PointInPolygon(const TPoint& P, std::span<const TPoint> Points) {
  bool Inside = false;
  const size_t N = Points.size();
  for (size_t I = 0, J = N - 1; I < N; J = I++) {
    const TPoint& A = Points[I];
    const TPoint& B = Points[J];
    const bool Spans = (A.Y <= P.Y && P.Y < B.Y) || (B.Y <= P.Y && P.Y < A.Y);
    if (Spans && P.X < double(B.X - A.X) * (P.Y - A.Y) / double(B.Y - A.Y) + A.X) Inside = !Inside;
  }
  return Inside;
}

bool PointInTriangle(const TPoint& P, const TPoint& P0, const TPoint& P1, const TPoint& P2) {
  const TPoint Points[3] = {P0, P1, P2};
  return PointInPolygon(P, Points);
}

bool PointInTriangle(const TPoint& P, int X0, int X1, int Y0, int Y1) {
  return PointInTriangle(P, TPoint(X0, Y1), TPoint((X0 + X1) / 2, Y0), TPoint(X1, Y1));
}

bool PointInHorizTriangle(const TPoint& P, int Y0, int Y1, int X0, int X1) {
  return PointInTriangle(P, TPoint(X1, Y0), TPoint(X0, (Y0 + Y1) / 2), TPoint(X1, Y1));
}

bool PointInEllipse(const TPoint& P, int Left, int Top, int Right, int Bottom) {
  const int CX = (Left + Right) / 2;
  const int CY = (Top + Bottom) / 2;
  const double A = double(CX) - Left;
  const double B = double(CY) - Top;
  if (A == 0 || B == 0) return false;
  const double X = P.X - double(CX);
  const double Y = P.Y - double(CY);
  return X * X / (A * A) + Y * Y / (B * B) <= 1.0;
}

bool PointInEllipse(const TPoint& P, const TRect& R) {
  return PointInEllipse(P, R.Left, R.Top, R.Right, R.Bottom);
}

bool CrossingLines(double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4,
                   double Y4, double& X, double& Y) {
  const double DX1 = X2 - X1;
  const double DY1 = Y2 - Y1;
  const double DX2 = X4 - X3;
  const double DY2 = Y4 - Y3;
  const double Denominator = Cross(DX1, DY1, DX2, DY2);
  if (Denominator == 0) return false;
  const double T = Cross(X3 - X1, Y3 - Y1, DX2, DY2) / Denominator;
  X = X1 + T * DX1;
  Y = Y1 + T * DY1;
  const double S3 = Cross(DX1, DY1, X3 - X1, Y3 - Y1);
  const double S4 = Cross(DX1, DY1, X4 - X1, Y4 - Y1);
  const double S1 = Cross(DX2, DY2, X1 - X3, Y1 - Y3);
  const double S2 = Cross(DX2, DY2, X2 - X3, Y2 - Y3);
  return ((S3 < 0 && S4 > 0) || (S3 > 0 && S4 < 0)) && ((S1 < 0 && S2 > 0) || (S1 > 0 && S2 < 0));
}
