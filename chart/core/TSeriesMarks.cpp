#include "chart/core/TSeriesMarks.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorEngine.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korhtml.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TMarksItem.h"
#include "chart/core/TMarksItems.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarksGradient.h"
#include "chart/core/TSeriesMarksPositions.h"
#include "chart/core/TSeriesMarksSymbol.h"

#include "platform/Rounding.h"
#include "platform/TCanvas.h"
#include "platform/TReader.h"
#include "platform/TStream.h"
#include "platform/TWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int MarksShadowSize = 1;

}  // namespace

// Set up before the parent is known, so that building the marks repaints
// nothing.
TSeriesMarks::TSeriesMarks(TChartSeries* ASeries)
    : TKorCustomShape(nullptr),
      FSeries(ASeries),
      FItems(std::make_unique<TMarksItems>(this)),
      FPositions(std::make_unique<TSeriesMarksPositions>()) {
  SetVisible(false);
  SetColor(clInfoBk);
  InitShadow(GetShadow());
  if (ASeries != nullptr) SetParent(ASeries->GetParentChart());
}

TSeriesMarks::~TSeriesMarks() = default;

void TSeriesMarks::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TSeriesMarks*>(&Source);
  if (Other != nullptr && Other != this) {
    SetAngle(Other->FAngle);
    SetCallout(Other->FCallout.get());
    SetClip(Other->FClip);
    SetDrawEvery(Other->FDrawEvery);
    SetMultiLine(Other->FMultiLine);
    SetStyle(Other->FStyle);
    SetSymbol(Other->FSymbol.get());
  }
  TKorCustomShape::Assign(Source);
}

const TPropertyList& TSeriesMarks::Properties() const {
  namespace PP = PublishedProperty;
  using C = TSeriesMarks;
  using B = TKorCustomShapeBrushPen;
  static const TPropertyList List = [this] {
    const TPropertyList& Base = TKorCustomShape::Properties();
    auto Inherited = [&Base](const char* Name) { return *Base.Find(QString::fromLatin1(Name)); };
    auto CalloutExists = [](const TPersistent& P) {
      return PP::As<C>(P).ExistingCallout() != nullptr;
    };
    TPublishedProperty Arrow = PP::Object<C, TChartPen>(QStringLiteral("Arrow"), &C::ArrowObject);
    Arrow.Stored = CalloutExists;
    TPublishedProperty ArrowLength =
        PP::Integer<C>(QStringLiteral("ArrowLength"), &C::GetArrowLength, &C::SetArrowLength);
    ArrowLength.Stored = [](const TPersistent& P) {
      const C& Marks = PP::As<C>(P);
      return Marks.ExistingCallout() != nullptr &&
             Marks.GetArrowLength() != TMarksCallout::DefaultLength;
    };
    TPublishedProperty Callout =
        PP::Object<C, TMarksCallout>(QStringLiteral("Callout"), &C::GetCallout);
    Callout.Stored = CalloutExists;
    TPublishedProperty Symbol =
        PP::Object<C, TSeriesMarksSymbol>(QStringLiteral("Symbol"), &C::GetSymbol);
    Symbol.Stored = [](const TPersistent& P) { return PP::As<C>(P).ExistingSymbol() != nullptr; };
    TPublishedProperty Items;
    Items.Name = QStringLiteral("Items");
    Items.Kind = TPropertyKind::pkBinary;
    Items.Get = [](const TPersistent& P) { return TPropertyValue(PP::As<C>(P).ItemsBytes()); };
    Items.Set = [](TPersistent& P, const TPropertyValue& V) {
      PP::As<C>(P).SetItemsBytes(std::get<QByteArray>(V));
    };
    Items.Stored = [](const TPersistent& P) { return PP::As<C>(P).HasCustomItems(); };
    // The shape's text format is left out: marks take it from code only.
    return TPropertyList{
        PP::Integer<C>(QStringLiteral("Angle"), &C::GetAngle, &C::SetAngle, 0),
        Arrow,
        ArrowLength,
        Callout,
        PP::Color<C>(QStringLiteral("BackColor"), &C::GetBackColor, &C::SetBackColor, clInfoBk),
        Inherited("Bevel"),
        Inherited("BevelWidth"),
        Inherited("Brush"),
        PP::Boolean<C>(QStringLiteral("Clip"), &C::GetClip, &C::SetClip, false),
        PP::Color<TKorCustomShape>(QStringLiteral("Color"), &TKorCustomShape::GetColor,
                                   &TKorCustomShape::SetColor, clInfoBk),
        PP::Integer<C>(QStringLiteral("DrawEvery"), &C::GetDrawEvery, &C::SetDrawEvery, 1),
        Inherited("Font"),
        Inherited("Frame"),
        Inherited("Gradient"),
        PP::Boolean<C>(QStringLiteral("MultiLine"), &C::GetMultiLine, &C::SetMultiLine, false),
        Inherited("Shadow"),
        Inherited("ShapeStyle"),
        PP::Enum<C, TSeriesMarksStyle>(
            QStringLiteral("Style"), &C::GetStyle, &C::SetStyle,
            {"smsValue", "smsPercent", "smsLabel", "smsLabelPercent", "smsLabelValue", "smsLegend",
             "smsPercentTotal", "smsLabelPercentTotal", "smsXValue", "smsXY"},
            smsLabel),
        Symbol,
        Inherited("Transparency"),
        Inherited("Transparent"),
        PP::Boolean<B>(QStringLiteral("Visible"), &B::GetVisible, &B::SetVisible, false),
        Items,
    };
  }();
  return List;
}

TKorGradientClass TSeriesMarks::GetGradientClass() const {
  return [](TNotifyEvent ChangeHandler) -> std::unique_ptr<TKorGradient> {
    return std::make_unique<TSeriesMarksGradient>(std::move(ChangeHandler));
  };
}

void TSeriesMarks::RepaintSeries() {
  if (FSeries != nullptr)
    FSeries->Repaint();
  else
    Repaint();
}

void TSeriesMarks::SetSeriesBoolean(bool& Field, bool Value) {
  if (FSeries != nullptr)
    FSeries->SetBooleanProperty(Field, Value);
  else
    SetShapeField(Field, Value);
}

void TSeriesMarks::SetSeriesInteger(int& Field, int Value) {
  if (FSeries != nullptr)
    FSeries->SetIntegerProperty(Field, Value);
  else
    SetShapeField(Field, Value);
}

void TSeriesMarks::SetAngle(int Value) {
  SetSeriesInteger(FAngle, Value);
}

TChartPen& TSeriesMarks::GetArrow() {
  return GetCallout()->GetArrow();
}

void TSeriesMarks::SetArrow(const TChartPen& Value) {
  GetCallout()->SetArrow(Value);
}

int TSeriesMarks::GetArrowLength() const {
  return FCallout ? FCallout->GetLength() : TMarksCallout::DefaultLength;
}

void TSeriesMarks::SetArrowLength(int Value) {
  GetCallout()->SetLength(Value);
}

TMarksCallout* TSeriesMarks::GetCallout() {
  if (!FCallout) {
    FCallout = std::make_unique<TMarksCallout>(FSeries);
    FCallout->SetParent(GetParent());
  }
  return FCallout.get();
}

void TSeriesMarks::SetCallout(const TMarksCallout* Value) {
  if (Value != nullptr) {
    GetCallout()->Assign(*Value);
  } else if (FCallout) {
    FCallout.reset();
    Repaint();
  }
}

void TSeriesMarks::SetClip(bool Value) {
  SetSeriesBoolean(FClip, Value);
}

void TSeriesMarks::SetDrawEvery(int Value) {
  SetSeriesInteger(FDrawEvery, Value);
}

int TSeriesMarks::EffectiveDrawEvery() const {
  // 0 would divide by zero when marks are picked, and a negative step would
  // pick no sensible points.
  return std::max(1, FDrawEvery);
}

void TSeriesMarks::SetMultiLine(bool Value) {
  SetSeriesBoolean(FMultiLine, Value);
}

void TSeriesMarks::SetStyle(TSeriesMarksStyle Value) {
  if (SetIfChanged(FStyle, Value)) RepaintSeries();
}

TSeriesMarksSymbol* TSeriesMarks::GetSymbol() {
  if (!FSymbol) FSymbol = std::make_unique<TSeriesMarksSymbol>(GetParent());
  return FSymbol.get();
}

void TSeriesMarks::SetSymbol(const TSeriesMarksSymbol* Value) {
  if (Value != nullptr) {
    GetSymbol()->Assign(*Value);
  } else if (FSymbol) {
    FSymbol.reset();
    Repaint();
  }
}

bool TSeriesMarks::GetLoadingItems() const {
  return FItems->GetLoadingCustom();
}

void TSeriesMarks::SetLoadingItems(bool Value) {
  FItems->SetLoadingCustom(Value);
}

bool TSeriesMarks::HasCustomItems() const {
  for (int I = 0; I < FItems->Count(); ++I)
    if (FItems->Existing(I) != nullptr) return true;
  return false;
}

QByteArray TSeriesMarks::ItemsBytes() const {
  TMemoryStream Stream;
  const int Count = FItems->Count();
  Stream.WriteInt32(Count);
  TWriter Writer(Stream);
  for (int I = 0; I < Count; ++I) {
    Writer.WriteListBegin();
    Writer.WriteProperties(FItems->Get(I));
    Writer.WriteListEnd();
  }
  return Stream.Bytes();
}

void TSeriesMarks::SetItemsBytes(const QByteArray& Value) {
  TMemoryStream Stream(Value);
  const std::int32_t Count = Stream.ReadInt32();
  // Every group holds at least its list begin and end tags: a larger count
  // is a broken stream, refused before a single item is made for it.
  if (Count < 0 || Count > Stream.Remaining() / 2)
    throw EReadError(QStringLiteral("Invalid component stream: %1 custom mark items in %2 bytes")
                         .arg(Count)
                         .arg(Stream.Remaining()));
  // Reading the series' points clears the series; the items just read
  // must survive that.
  if (Count > 0) FItems->SetLoadingCustom(true);
  TReader Reader(Stream);
  for (int I = 0; I < Count; ++I) {
    Reader.ReadListBegin();
    Reader.ReadProperties(FItems->Get(I));
    Reader.ReadListEnd();
  }
}

TKorCustomShape& TSeriesMarks::MarkItem(int ValueIndex) {
  if (TMarksItem* Item = FItems->Existing(ValueIndex)) return *Item;
  return *this;
}

TMarksItem& TSeriesMarks::GetItem(int ValueIndex) {
  return FItems->Get(ValueIndex);
}

void TSeriesMarks::Clear() {
  FPositions->Clear();
  if (!FItems->GetLoadingCustom()) FItems->Clear();
}

void TSeriesMarks::ResetPositions() {
  for (int I = 0; I < FPositions->Count(); ++I) FPositions->Automatic(I);
  RepaintSeries();
}

void TSeriesMarks::UsePosition(int Index, TSeriesMarkPosition& APosition) {
  TSeriesMarkPosition& Stored = FPositions->Ensure(Index);
  if (!Stored.Custom) {
    Stored.Assign(APosition);
    return;
  }
  const TPoint OwnStart = APosition.ArrowFrom;
  APosition.Assign(Stored);
  if (APosition.ArrowFix) APosition.ArrowFrom = OwnStart;
}

void TSeriesMarks::ApplyArrowLength(TSeriesMarkPosition& APosition) const {
  if (FCallout) FCallout->ApplyArrowLength(APosition);
}

void TSeriesMarks::InitShadow(TKorShadow& AShadow) {
  AShadow.SetColor(clGray);
  AShadow.SetSize(MarksShadowSize);
  AShadow.SetDefaultColor(clGray);
  AShadow.SetDefaultSize(MarksShadowSize);
}

void TSeriesMarks::SetParent(TCustomKorPanel* Value) {
  TKorCustomShape::SetParent(Value);
  if (FCallout) FCallout->SetParent(Value);
  if (FSymbol) FSymbol->SetParent(Value);
  FItems->SetParent(Value);
}

QStringList MarkTextLines(const QString& Text) {
  QStringList Lines = Text.split(KorLineSeparator);
  for (QString& Line : Lines)
    if (Line.startsWith(u'\n')) Line.remove(0, 1);
  return Lines;
}

// -- drawing and hit tests

void TSeriesMarks::InternalDraw(int Index, TColor AColor, const QString& St,
                                TSeriesMarkPosition& APosition) {
  UsePosition(Index, APosition);
  if (GetParent() == nullptr) return;
  TCanvas3D& C = GetParent()->GetPanelCanvas();
  TKorCustomShape& Shape = MarkItem(Index);
  if (FCallout && (FCallout->GetVisible() || FCallout->GetArrow().GetVisible()))
    FCallout->Draw(AColor, APosition.ArrowFrom, APosition.ArrowTo, FZPosition);
  if (Shape.GetTransparent()) {
    C.GetBrush().SetStyle(bsClear);
    C.SetBackMode(cbmTransparent);
  } else {
    C.AssignBrush(Shape.GetBrush(), Shape.GetColor());
  }
  C.AssignVisiblePen(Shape.GetPen());
  APosition.LeftTop = ConvertTo2D(APosition.ArrowTo, APosition.LeftTop);
  TRect R = APosition.Bounds();
  const int Angle = FAngle % 360;
  Shape.DrawRectRotated(R, Angle, FZPosition + 1);
  const bool WithSymbol = FSymbol && FSymbol->ShouldDraw();
  if (WithSymbol) DrawSymbol(R, AColor, Angle);
  C.GetBrush().SetStyle(bsClear);
  C.SetBackMode(cbmTransparent);
  C.SetTextAlign(TA_CENTER);
  R.Left += 2;
  if (WithSymbol) R.Left += FSymbol->GetWidth() + 4;
  DrawText(Shape, R, St);
}

void TSeriesMarks::DrawSymbol(const TRect& R, TColor AColor, int Angle) {
  const int H = GetParent()->GetPanelCanvas().TextHeight(QStringLiteral("W"));
  FSymbol->SetColor(AColor);
  FSymbol->SetTransparent(false);
  FSymbol->SetShapeBounds(TRect(R.Left + 4, R.Top + 3, R.Left + H - 1, R.Top + H - 2));
  FSymbol->DrawRectRotated(FSymbol->GetShapeBounds(), Angle, FZPosition + 1);
}

void TSeriesMarks::DrawText(const TRect& R, const QString& St) {
  DrawText(*this, R, St);
}

void TSeriesMarks::DrawText(const TKorCustomShape& Shape, const TRect& R, const QString& St) {
  if (GetParent() == nullptr) return;
  TCanvas3D& C = GetParent()->GetPanelCanvas();
  const int CentreX = (R.Left + R.Right) / 2;
  if (Shape.GetTextFormat() == ttfHtml) {
    // The HTML writer places each piece itself from a top-left corner.
    const int OldAlign = C.GetTextAlign();
    C.SetTextAlign(TA_LEFT | TA_TOP);
    HtmlTextOut(C, CentreX - HtmlTextExtent(C, St).cx / 2, R.Top, St);
    C.SetTextAlign(OldAlign);
    return;
  }
  const bool Text3D = C.GetSupports3DText();
  const int H = C.TextHeight(QStringLiteral("W"));
  const int Angle = FAngle % 360;
  const int FrameWidth = Shape.GetPen().GetVisible() ? Shape.GetPen().GetWidth() : 0;
  const int CentreY = (R.Top + R.Bottom) / 2;
  const double Radians = Angle * KorPiStep;
  const QStringList Lines = MarkTextLines(St);
  for (int K = 0; K < Lines.size(); ++K) {
    if (Angle == 0) {
      const int Y = R.Top + K * H + FrameWidth;
      if (Text3D)
        C.TextOut3D(CentreX, Y, FZPosition, Lines[K]);
      else
        C.TextOut(CentreX, Y, Lines[K]);
      continue;
    }
    // Line K lies K lines below the box's top edge, turned about the
    // box's centre.
    const double Across = K * H + CentreY - R.Bottom;
    const int X = CentreX + Round(std::sin(Radians) * Across) + (Angle == 90 ? 1 : 0);
    const int Y = CentreY + Round(std::cos(Radians) * Across);
    if (Text3D)
      C.RotateLabel3D(X, Y, FZPosition, Lines[K], Angle);
    else
      C.RotateLabel(X, Y, Lines[K], Angle);
  }
}

TPoint TSeriesMarks::ConvertTo2D(const TPoint& ArrowEnd, const TPoint& LeftTop) const {
  const TCustomKorPanel* Panel = GetParent();
  if (Panel == nullptr || !Panel->GetView3D()) return LeftTop;
  const TCanvas3D& C = Panel->GetPanelCanvas();
  if (C.GetSupports3DText()) return LeftTop;
  const TPoint P = C.Calculate3DPosition(ArrowEnd, FZPosition);
  return TPoint(P.X + LeftTop.X - ArrowEnd.X, P.Y - (ArrowEnd.Y - LeftTop.Y));
}

int TSeriesMarks::Clicked(int X, int Y) const {
  const int Every = EffectiveDrawEvery();
  // Turned marks are hit inside their turned outline, whichever way they
  // turn.
  const int Angle = FAngle % 360;
  const TPoint P(X, Y);
  for (int N = FPositions->Count() - 1; N >= 0; --N) {
    if (N % Every != 0) continue;
    const TSeriesMarkPosition* Position = FPositions->Get(N);
    if (Position == nullptr) continue;
    const TPoint LeftTop = ConvertTo2D(Position->ArrowTo, Position->LeftTop);
    const TRect R = Bounds(LeftTop.X, LeftTop.Y, Position->Width, Position->Height);
    if (Angle != 0) {
      TFourPoints Outline;
      RectToFourPoints(R, Angle, Outline);
      if (PointInPolygon(P, Outline)) return N;
    } else if (PointInRect(R, P)) {
      return N;
    }
  }
  return -1;
}

const TKorCustomShape& TSeriesMarks::ShapeOf(int Index) const {
  if (const TMarksItem* Item = FItems->Existing(Index)) return *Item;
  return *this;
}

TRect TSeriesMarks::OverlapRect(const TSeriesMarkPosition& P, const TKorCustomShape& Shape) const {
  TRect R = P.Bounds();
  if (Shape.GetPen().GetVisible()) {
    R.Right += Shape.GetPen().GetWidth();
    R.Bottom += Shape.GetPen().GetWidth();
  }
  const int H = Shape.GetShadow().GetHorizSize();
  const int V = Shape.GetShadow().GetVertSize();
  (H > 0 ? R.Right : R.Left) += H;
  (V > 0 ? R.Bottom : R.Top) += V;
  const TPoint LeftTop = ConvertTo2D(P.ArrowTo, P.LeftTop);
  OffsetRect(R, LeftTop.X - P.LeftTop.X, LeftTop.Y - P.LeftTop.Y);
  return R;
}

void TSeriesMarks::AntiOverlap(int First, int ValueIndex, TSeriesMarkPosition& APosition) const {
  // Every overlap is measured against the box where it was asked to go.
  const TRect Own = OverlapRect(APosition, ShapeOf(ValueIndex));
  for (int J = std::max(0, First); J < ValueIndex; ++J) {
    const TSeriesMarkPosition* Other = FPositions->Get(J);
    if (Other == nullptr) continue;
    const TRect R = OverlapRect(*Other, ShapeOf(J));
    TRect Common;
    if (!IntersectRect(Common, Own, R)) continue;
    const int Shift = Own.Top < R.Top ? R.Top - Own.Bottom : R.Bottom - Own.Top;
    APosition.LeftTop.Y += Shift;
    APosition.ArrowTo.Y += Shift;
  }
}

int TSeriesMarks::TextWidth(int ValueIndex) {
  if (FSeries == nullptr || GetParent() == nullptr) return 0;
  const TCanvas3D& C = GetParent()->GetPanelCanvas();
  int Result = 0;
  for (const QString& Line : MarkTextLines(FSeries->GetMarkText(ValueIndex)))
    Result = std::max(Result, C.TextWidth(Line));
  return Result;
}
