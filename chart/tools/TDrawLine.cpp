#include "chart/tools/TDrawLine.h"

#include "chart/tools/TDrawLineTool.h"
#include "chart/tools/TDrawLines.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TChartPen.h"

#include <cstdlib>

TDrawLine::TDrawLine(TDrawLines* ACollection) : FCollection(ACollection) {}

TDrawLine::TDrawLine(TDrawLines* ACollection, double AX0, double AY0, double AX1, double AY1)
    : FCollection(ACollection), FStart{AX0, AY0}, FEnd{AX1, AY1} {
  Repaint();
}

TDrawLine::~TDrawLine() {
  if (TDrawLineTool* Tool = GetParent()) Tool->LineDestroyed(this);
}

const TPropertyList& TDrawLine::Properties() const {
  namespace PP = PublishedProperty;
  using C = TDrawLine;
  static const TPropertyList List = [] {
    TPublishedProperty Pen = PP::Object<C, TChartPen>(QStringLiteral("Pen"), &C::PenObject);
    Pen.Stored = [](const TPersistent& P) { return PP::As<C>(P).HasOwnPen(); };
    return TPropertyList({
        PP::Double<C>(QStringLiteral("X0"), &C::GetX0, &C::SetX0),
        PP::Double<C>(QStringLiteral("Y0"), &C::GetY0, &C::SetY0),
        PP::Double<C>(QStringLiteral("X1"), &C::GetX1, &C::SetX1),
        PP::Double<C>(QStringLiteral("Y1"), &C::GetY1, &C::SetY1),
        PP::Enum<C, TDrawLineStyle>(QStringLiteral("Style"), &C::GetStyle, &C::SetStyle,
                                    {QStringLiteral("dlLine"), QStringLiteral("dlHorizParallel"),
                                     QStringLiteral("dlVertParallel")},
                                    dlLine),
        Pen,
    });
  }();
  return List;
}

void TDrawLine::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TDrawLine*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FStart = Other->FStart;
  FEnd = Other->FEnd;
  FStyle = Other->FStyle;
  SetPen(Other->FPen.get());
}

TDrawLineTool* TDrawLine::GetParent() const {
  return FCollection != nullptr ? FCollection->GetOwner() : nullptr;
}

int TDrawLine::GetIndex() const {
  return FCollection != nullptr ? FCollection->IndexOf(this) : -1;
}

void TDrawLine::SetStartPos(const TFloatPoint& Value) {
  SetX0(Value.X);
  SetY0(Value.Y);
}

void TDrawLine::SetEndPos(const TFloatPoint& Value) {
  SetX1(Value.X);
  SetY1(Value.Y);
}

void TDrawLine::SetStyle(TDrawLineStyle Value) {
  if (SetIfChanged(FStyle, Value)) Repaint();
}

TChartPen& TDrawLine::GetPen() const {
  if (!FPen) {
    // Taking the tool's pen is no change of what is drawn, so the change
    // handler comes after it.
    FPen = std::make_unique<TChartPen>();
    if (const TDrawLineTool* Tool = GetParent()) FPen->Assign(Tool->GetPen());
    FPen->OnChange = [this](TPersistent*) { Repaint(); };
  }
  return *FPen;
}

void TDrawLine::SetPen(const TChartPen* Value) {
  if (Value == nullptr) {
    FPen.reset();
    Repaint();
  } else {
    GetPen().Assign(*Value);
  }
}

bool TDrawLine::Clicked(int X, int Y, int Tolerance, int Handle) const {
  const TDrawLineTool* Tool = GetParent();
  if (Tool == nullptr) return false;
  const TPoint P(X, Y);
  const TPoint A = Tool->AxisPoint(FStart);
  const TPoint B = Tool->AxisPoint(FEnd);
  const auto InHandle = [&P](const TPoint& Centre) {
    return std::abs(P.X - Centre.X) <= 3 && std::abs(P.Y - Centre.Y) <= 3;
  };
  switch (Handle) {
    case 1: return InHandle(A);
    case 2: return InHandle(B);
    default: break;
  }
  switch (FStyle) {
    case dlHorizParallel:
      return PointInLine(P, A.X, A.Y, B.X, A.Y, Tolerance) ||
             PointInLine(P, A.X, B.Y, B.X, B.Y, Tolerance);
    case dlVertParallel:
      return PointInLine(P, A.X, A.Y, A.X, B.Y, Tolerance) ||
             PointInLine(P, B.X, A.Y, B.X, B.Y, Tolerance);
    default: return PointInLine(P, A, B, Tolerance);
  }
}

void TDrawLine::SetCoordinate(double& Field, double Value) {
  if (TDrawLineTool* Tool = GetParent())
    Tool->SetDoubleProperty(Field, Value);
  else
    Field = Value;
}

void TDrawLine::Repaint() const {
  if (TDrawLineTool* Tool = GetParent()) Tool->Repaint();
}
