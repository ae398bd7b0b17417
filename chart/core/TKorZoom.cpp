#include "chart/core/TKorZoom.h"

namespace {

constexpr TShiftStateFlag ShiftFlags[] = {ssShift, ssAlt,    ssCtrl,  ssLeft,
                                          ssRight, ssMiddle, ssDouble};

int ShiftMask(TShiftState Shift) {
  int Mask = 0;
  for (TShiftStateFlag Flag : ShiftFlags)
    if (Shift.Contains(Flag)) Mask |= 1 << static_cast<int>(Flag);
  return Mask;
}

TShiftState ShiftFromMask(int Mask) {
  TShiftState Shift;
  for (TShiftStateFlag Flag : ShiftFlags)
    if ((Mask & (1 << static_cast<int>(Flag))) != 0) Shift.Include(Flag);
  return Shift;
}

}  // namespace

TKorZoomBrush::TKorZoomBrush(TNotifyEvent ChangeHandler) {
  SetColor(clWhite);
  SetStyle(bsClear);
  OnChange = std::move(ChangeHandler);
}

const TPropertyList& TKorZoomBrush::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List(
      TChartBrush().Properties(),
      {
          PP::Color<TBrush>(QStringLiteral("Color"), &TBrush::GetColor, &TBrush::SetColor, clWhite),
          PP::Enum<TBrush, TBrushStyle>(QStringLiteral("Style"), &TBrush::GetStyle,
                                        &TBrush::SetStyle,
                                        {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                         "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"},
                                        bsClear),
      });
  return List;
}

TKorZoom::~TKorZoom() = default;

void TKorZoom::Assign(const TPersistent& Source) {
  const TKorZoom* Other = dynamic_cast<const TKorZoom*>(&Source);
  if (Other == nullptr) {
    TZoomPanning::Assign(Source);
    return;
  }
  if (Other == this) return;
  FAllow = Other->FAllow;
  FAnimated = Other->FAnimated;
  FAnimatedSteps = Other->FAnimatedSteps;
  SetBrush(Other->FBrush.get());
  FDirection = Other->FDirection;
  FKeyShift = Other->FKeyShift;
  FMouseButton = Other->FMouseButton;
  SetPen(Other->FPen.get());
}

const TPropertyList& TKorZoom::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List = [] {
    TPublishedProperty KeyShift;
    KeyShift.Name = QStringLiteral("KeyShift");
    KeyShift.Kind = TPropertyKind::pkSet;
    KeyShift.Get = [](const TPersistent& P) {
      return TPropertyValue(ShiftMask(PP::As<TKorZoom>(P).GetKeyShift()));
    };
    KeyShift.Set = [](TPersistent& P, const TPropertyValue& V) {
      PP::As<TKorZoom>(P).SetKeyShift(ShiftFromMask(std::get<int>(V)));
    };
    KeyShift.Default.emplace(std::in_place_type<int>, 0);
    KeyShift.EnumNames = {"ssShift", "ssAlt",    "ssCtrl",  "ssLeft",
                          "ssRight", "ssMiddle", "ssDouble"};
    return TPropertyList{
        PP::Boolean<TKorZoom>(QStringLiteral("Allow"), &TKorZoom::GetAllow, &TKorZoom::SetAllow,
                              true),
        PP::Boolean<TKorZoom>(QStringLiteral("Animated"), &TKorZoom::GetAnimated,
                              &TKorZoom::SetAnimated, false),
        PP::Integer<TKorZoom>(QStringLiteral("AnimatedSteps"), &TKorZoom::GetAnimatedSteps,
                              &TKorZoom::SetAnimatedSteps, 8),
        PP::Object<TKorZoom, TKorZoomBrush>(QStringLiteral("Brush"), &TKorZoom::GetBrush),
        PP::Enum<TKorZoom, TKorZoomDirection>(QStringLiteral("Direction"), &TKorZoom::GetDirection,
                                              &TKorZoom::SetDirection,
                                              {"tzdHorizontal", "tzdVertical", "tzdBoth"}, tzdBoth),
        KeyShift,
        PP::Integer<TKorZoom>(QStringLiteral("MinimumPixels"), &TKorZoom::GetMinimumPixels,
                              &TKorZoom::SetMinimumPixels, 16),
        PP::Enum<TKorZoom, TMouseButton>(QStringLiteral("MouseButton"), &TKorZoom::GetMouseButton,
                                         &TKorZoom::SetMouseButton,
                                         {"mbLeft", "mbRight", "mbMiddle"}, mbLeft),
        PP::Object<TKorZoom, TKorZoomPen>(QStringLiteral("Pen"), &TKorZoom::GetPen),
        PP::Boolean<TKorZoom>(QStringLiteral("UpLeftZooms"), &TKorZoom::GetUpLeftZooms,
                              &TKorZoom::SetUpLeftZooms, false),
    };
  }();
  return List;
}

TKorZoomBrush* TKorZoom::GetBrush() {
  if (!FBrush) FBrush = std::make_unique<TKorZoomBrush>();
  return FBrush.get();
}

void TKorZoom::SetBrush(const TChartBrush* Value) {
  if (Value == nullptr)
    FBrush.reset();
  else
    GetBrush()->Assign(*Value);
}

TKorZoomPen* TKorZoom::GetPen() {
  if (!FPen) FPen = std::make_unique<TKorZoomPen>();
  return FPen.get();
}

void TKorZoom::SetPen(const TChartPen* Value) {
  if (Value == nullptr)
    FPen.reset();
  else
    GetPen()->Assign(*Value);
}
