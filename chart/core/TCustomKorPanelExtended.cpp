#include "chart/core/TCustomKorPanelExtended.h"

#include "chart/core/TCanvas3D.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TKorZoom.h"
#include "chart/core/TView3DOptions.h"

#include "platform/TCanvas.h"
#include "platform/TGraphic.h"

#include <QPalette>
#include <QWidget>

TCustomKorPanelExtended::TCustomKorPanelExtended(TComponent* AOwner)
    : TCustomKorPanel(AOwner), FZoom(std::make_unique<TKorZoom>()) {}

TCustomKorPanelExtended::~TCustomKorPanelExtended() = default;

void TCustomKorPanelExtended::SetAllowPanning(TPanningMode Value) {
  if (SetIfChanged(FAllowPanning, Value)) Invalidate();
}

void TCustomKorPanelExtended::SetZoom(const TKorZoom& Value) {
  FZoom->Assign(Value);
}

TKorGradient* TCustomKorPanelExtended::GetGradient() {
  if (!FGradient)
    FGradient = std::make_unique<TKorGradient>([this](TPersistent* S) { CanvasChanged(S); });
  return FGradient.get();
}

void TCustomKorPanelExtended::SetGradient(const TKorGradient* Value) {
  if (Value == nullptr) {
    if (!FGradient) return;
    FGradient.reset();
    Invalidate();
    return;
  }
  GetGradient()->Assign(*Value);
}

TBackImage* TCustomKorPanelExtended::GetBackImage() {
  if (!FBackImage) {
    FBackImage = std::make_unique<TBackImage>();
    FBackImage->OnChange = [this](TPersistent* S) { CanvasChanged(S); };
  }
  return FBackImage.get();
}

void TCustomKorPanelExtended::SetBackImage(const TPicture* Value) {
  if (Value == nullptr) {
    if (!FBackImage) return;
    FBackImage.reset();
    Invalidate();
    return;
  }
  GetBackImage()->Assign(*Value);
}

bool TCustomKorPanelExtended::GetAllowZoom() const {
  return FZoom->GetAllow();
}

void TCustomKorPanelExtended::SetAllowZoom(bool Value) {
  FZoom->SetAllow(Value);
}

bool TCustomKorPanelExtended::GetAnimatedZoom() const {
  return FZoom->GetAnimated();
}

void TCustomKorPanelExtended::SetAnimatedZoom(bool Value) {
  FZoom->SetAnimated(Value);
}

int TCustomKorPanelExtended::GetAnimatedZoomSteps() const {
  return FZoom->GetAnimatedSteps();
}

void TCustomKorPanelExtended::SetAnimatedZoomSteps(int Value) {
  FZoom->SetAnimatedSteps(Value);
}

bool TCustomKorPanelExtended::GetBackImageInside() const {
  return HasBackImage() && FBackImage->GetInside();
}

void TCustomKorPanelExtended::SetBackImageInside(bool Value) {
  GetBackImage()->SetInside(Value);
}

TKorBackImageMode TCustomKorPanelExtended::GetBackImageMode() {
  return GetBackImage()->GetMode();
}

void TCustomKorPanelExtended::SetBackImageMode(TKorBackImageMode Value) {
  GetBackImage()->SetMode(Value);
}

bool TCustomKorPanelExtended::GetBackImageTransp() const {
  return HasBackImage() && FBackImage->GetGraphic()->GetTransparent();
}

void TCustomKorPanelExtended::SetBackImageTransp(bool Value) {
  if (!HasBackImage() || FBackImage->GetGraphic()->GetTransparent() == Value) return;
  FBackImage->GetGraphic()->SetTransparent(Value);
  Invalidate();
}

bool TCustomKorPanelExtended::HasBackImage() const {
  return FBackImage && FBackImage->GetGraphic() != nullptr;
}

void TCustomKorPanelExtended::UndoZoom() {
  if (OnUndoZoom) OnUndoZoom(this);
  Invalidate();
  FZoomedNow = false;
}

void TCustomKorPanelExtended::DrawZoomRectangle() {
  // Between frames the surface draws on the control's buffer; asking for
  // that canvas schedules the copy of the buffer to the screen.
  GetCanvas();
  TCanvas3D& C = GetPanelCanvas();
  const TColor Back = ColorToRGB(GetBackColor());
  const TColor Inverse = 0xFFFFFF - Back;
  // Over the background the rectangle shows in the pen's (brush's) own
  // colour. The default white would vanish on a white chart, so a colour
  // equal to the background shows as its complement there instead.
  const auto Shown = [Back, Inverse](TColor Color) {
    const TColor RGB = ColorToRGB(Color);
    return RGB == Back ? Inverse : RGB;
  };
  const TKorZoomBrush* Brush = FZoom->ExistingBrush();
  if (Brush != nullptr)
    C.AssignBrush(*Brush, Shown(Brush->GetColor()) ^ Inverse);
  else
    C.GetBrush().SetStyle(bsClear);
  const TKorZoomPen& Pen = *FZoom->GetPen();
  C.AssignVisiblePenColor(Pen, Shown(Pen.GetColor()) ^ Inverse);
  C.GetPen().SetMode(pmNotXor);
  if (Brush == nullptr || Brush->GetStyle() == bsClear) C.SetBackMode(cbmTransparent);
  C.Rectangle(FZoom->StartX, FZoom->StartY, FZoom->EndX, FZoom->EndY);
  C.GetPen().SetMode(pmCopy);
}

TRect TCustomKorPanelExtended::ProjectedRect(const TRect& R, int Z) const {
  TRect Result = GetPanelCanvas().CalcRect3D(R, Z);
  if (!GetView3D()) ++Result.Top;
  return Result;
}

void TCustomKorPanelExtended::StretchBackImage(const TRect& R, int Z, bool Orthogonal) {
  TCanvas3D& C = GetPanelCanvas();
  const TGraphic* Graphic = FBackImage->GetGraphic();
  if (Z < 1)
    C.StretchDraw(R, Graphic);
  else if (Orthogonal)
    C.StretchDraw(ProjectedRect(R, Z), Graphic);
  else
    C.StretchDraw(R, Graphic, Z);
}

void TCustomKorPanelExtended::TileBackImage(const TRect& R, int Z, bool Orthogonal) {
  const TGraphic* Graphic = FBackImage->GetGraphic();
  const int W = Graphic->GetWidth();
  const int H = Graphic->GetHeight();
  if (W <= 0 || H <= 0) return;
  for (int Y = 0; Y < R.Height(); Y += H) {
    for (int X = 0; X < R.Width(); X += W) {
      const TRect Tile = Bounds(R.Left + X, R.Top + Y, W, H);
      if (Z > 0 && !Orthogonal)
        StretchBackImage(Tile, Z, false);
      else
        GetPanelCanvas().Draw(Tile.Left, Tile.Top, Graphic);
    }
  }
}

void TCustomKorPanelExtended::PlaceBackImage(const TRect& R, int Z, bool Orthogonal) {
  FillPanelRect(R);
  const TGraphic* Graphic = FBackImage->GetGraphic();
  const int W = Graphic->GetWidth();
  const int H = Graphic->GetHeight();
  TRect Place;
  if (FBackImage->GetMode() == pbmCustom) {
    Place = Bounds(R.Left + FBackImage->GetLeft(), R.Top + FBackImage->GetTop(), W, H);
  } else {
    Place = R;
    InflateRect(Place, (W - R.Width()) / 2, (H - R.Height()) / 2);
  }
  if (Z < 1 || Orthogonal)
    GetPanelCanvas().Draw(Place.Left, Place.Top, Graphic);
  else
    StretchBackImage(Place, Z, false);
}

void TCustomKorPanelExtended::DrawBitmap(const TRect& R, int Z) {
  if (!HasBackImage()) return;
  const bool Orthogonal = !GetView3D() || GetView3DOptions().GetOrthogonal();
  if (FBackImage->GetMode() == pbmStretch) {
    StretchBackImage(R, Z, Orthogonal);
    return;
  }
  TCanvas3D& C = GetPanelCanvas();
  const bool Clipped = CanClip();
  if (Clipped) {
    // Inside the walls the picture reaches from the front to the back wall
    // at depth Z.
    if (Z != 0)
      C.ClipCube(R, 0, Z);
    else
      C.ClipRectangle(R);
  }
  const TRect Area = Z > 0 && Orthogonal ? ProjectedRect(R, Z) : R;
  if (FBackImage->GetMode() == pbmTile)
    TileBackImage(Area, Z, Orthogonal);
  else
    PlaceBackImage(Area, Z, Orthogonal);
  if (Clipped) C.UnClipRectangle();
}

TColor TCustomKorPanelExtended::ParentBackColor() const {
  const QWidget* Parent = GetParentWidget();
  if (Parent == nullptr) return GetColor();
  return QColorToColor(Parent->palette().color(QPalette::Window));
}

void TCustomKorPanelExtended::PanelPaint(const TRect& R) {
  TCanvas3D& C = GetPanelCanvas();
  TFrontPlane Flat(C);
  TRect Panel = R;
  TKorShadow& Shadow = GetShadow();
  if (Shadow.GetSize() > 0) {
    C.GetBrush().SetStyle(bsSolid);
    C.GetBrush().SetColor(ParentBackColor());
    C.EraseBackground(Panel);
    Panel.Right -= Shadow.GetHorizSize();
    Panel.Bottom -= Shadow.GetVertSize();
    Shadow.Draw(C, Panel);
  }
  FillPanelRect(Panel);
  if (HasBackImage() && !FBackImage->GetInside()) DrawBitmap(Panel, 0);
  DrawPanelBevels(Panel);
}

bool TCustomKorPanelExtended::PanelPaintCovers() const {
  auto Opaque = [](TColor Color) { return Color != clNone && Color != clDefault; };
  if (FGradient && FGradient->GetVisible()) return false;
  if (GetPrintingNow() && !PrintKorPanel) return false;
  // A shadow first erases the whole rectangle in the parent's colour.
  if (GetShadow().GetSize() > 0 && !Opaque(ParentBackColor())) return false;
  return Opaque(GetColor());
}

void TCustomKorPanelExtended::FillPanelRect(const TRect& R) {
  TCanvas3D& C = GetPanelCanvas();
  if (FGradient && FGradient->GetVisible()) {
    FGradient->Draw(C, R);
    return;
  }
  if ((GetPrintingNow() && !PrintKorPanel) || GetColor() == clNone) return;
  C.GetBrush().SetStyle(bsSolid);
  C.GetBrush().SetColor(GetColor());
  C.EraseBackground(R);
}

void TCustomKorPanelExtended::Assign(const TPersistent& Persistent) {
  const auto* Other = dynamic_cast<const TCustomKorPanelExtended*>(&Persistent);
  if (Other == nullptr || Other == this) {
    if (Other == nullptr) TCustomKorPanel::Assign(Persistent);
    return;
  }
  const TCustomKorPanelExtended& Source = *Other;
  SetBackImage(Source.FBackImage.get());
  SetGradient(Source.FGradient.get());
  SetAllowPanning(Source.FAllowPanning);
  FZoom->Assign(*Source.FZoom);
  TCustomKorPanel::Assign(Source);
}

bool TCustomKorPanelExtended::ReadLegacyProperty(const QString& Name, const TPropertyValue& Value) {
  const bool* Flag = std::get_if<bool>(&Value);
  const int* Number = std::get_if<int>(&Value);
  if (Name.compare(QStringLiteral("AllowZoom"), Qt::CaseInsensitive) == 0 && Flag != nullptr) {
    FZoom->SetAllow(*Flag);
    return true;
  }
  if (Name.compare(QStringLiteral("AnimatedZoom"), Qt::CaseInsensitive) == 0 && Flag != nullptr) {
    FZoom->SetAnimated(*Flag);
    return true;
  }
  if (Name.compare(QStringLiteral("AnimatedZoomSteps"), Qt::CaseInsensitive) == 0 &&
      Number != nullptr) {
    FZoom->SetAnimatedSteps(*Number);
    return true;
  }
  return TCustomKorPanel::ReadLegacyProperty(Name, Value);
}

bool TCustomKorPanelExtended::IsPrintMarginsStored() const {
  return GetPrintMargins() != TRect(15, 15, 15, 15);
}

TIntegerList TCustomKorPanelExtended::GetPrintMarginList() const {
  const TRect& M = GetPrintMargins();
  return {M.Left, M.Top, M.Right, M.Bottom};
}

void TCustomKorPanelExtended::SetPrintMarginList(const TIntegerList& Value) {
  if (Value.size() != 4) return;
  SetPrintMargins(TRect(Value[0], Value[1], Value[2], Value[3]));
}

const TPropertyList& TCustomKorPanelExtended::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomKorPanelExtended;
  static const TPropertyList List = [this] {
    TPublishedProperty Gradient =
        PP::Object<C, TKorGradient>(QStringLiteral("Gradient"), &C::GetGradient);
    Gradient.Stored = [](const TPersistent& P) {
      return PP::As<C>(P).ExistingGradient() != nullptr;
    };
    TPublishedProperty BackImage =
        PP::Object<C, TBackImage>(QStringLiteral("BackImage"), &C::GetBackImage);
    BackImage.Stored = [](const TPersistent& P) {
      return PP::As<C>(P).ExistingBackImage() != nullptr;
    };
    TPublishedProperty PrintMargins = PP::IntegerList<C>(
        QStringLiteral("PrintMargins"), &C::GetPrintMarginList, &C::SetPrintMarginList);
    PrintMargins.Stored = [](const TPersistent& P) { return PP::As<C>(P).IsPrintMarginsStored(); };
    return TPropertyList(
        TCustomKorPanel::Properties(),
        {
            PP::Enum<C, TPanningMode>(QStringLiteral("AllowPanning"), &C::GetAllowPanning,
                                      &C::SetAllowPanning,
                                      {"pmNone", "pmHorizontal", "pmVertical", "pmBoth"}, pmBoth),
            PP::Object<C, TKorZoom>(QStringLiteral("Zoom"), &C::ZoomObject),
            Gradient,
            BackImage,
            PrintMargins,
        });
  }();
  return List;
}
