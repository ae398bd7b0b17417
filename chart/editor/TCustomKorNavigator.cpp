#include "chart/editor/TCustomKorNavigator.h"

#include "chart/editor/KorEditorHelpers.h"

#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TCustomKorPanel.h"

#include "platform/QtGuard.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TPen.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <algorithm>

// The glyphs live in the editor library's resource file; a static library
// must register it explicitly.
static void InitNavigatorResources() {
  static const bool Registered = [] {
    Q_INIT_RESOURCE(KorNavigator);
    return true;
  }();
  (void)Registered;
}

namespace {

const char* const ButtonNames[TCustomKorNavigator::ButtonCount] = {
    "First", "Prior", "Next", "Last", "Insert", "Delete", "Edit", "Post", "Cancel"};

}  // namespace

// Repaints the focused button when the navigator gains or loses the focus.
class TCustomKorNavigator::TFocusWatcher : public QObject {
 public:
  explicit TFocusWatcher(TCustomKorNavigator* Navigator) : FNavigator(Navigator) {}

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::FocusIn || Event->type() == QEvent::FocusOut)
      RunGuarded([this] { FNavigator->UpdateFocusRectangle(); });
    return QObject::eventFilter(Watched, Event);
  }

 private:
  TCustomKorNavigator* FNavigator;
};

TCustomKorNavigator::TCustomKorNavigator(TComponent* AOwner) : TCustomPanelNoCaption(AOwner) {
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  FDefaultHints = {Korconst::KorMsg_First, Korconst::KorMsg_Prior,  Korconst::KorMsg_Next,
                   Korconst::KorMsg_Last,  Korconst::KorMsg_Insert, Korconst::KorMsg_Delete,
                   Korconst::KorMsg_Edit,  Korconst::KorMsg_Post,   Korconst::KorMsg_Cancel};
  InitButtons();
  InitHints();
  FHints.OnChange = [this] { InitHints(); };
  if (QWidget* W = GetWidget()) {
    W->setFocusPolicy(Qt::NoFocus);
    FFocusWatcher = std::make_unique<TFocusWatcher>(this);
    W->installEventFilter(FFocusWatcher.get());
  }
  SetBounds(GetLeft(), GetTop(), 241, 25);
}

TCustomKorNavigator::~TCustomKorNavigator() {
  Destroying();
  if (QWidget* W = GetWidget()) W->removeEventFilter(FFocusWatcher.get());
  if (FPanel != nullptr) {
    FPanel->RemoveListener(this);
    FPanel->RemoveFreeNotification(this);
  }
}

void TCustomKorNavigator::InitButtons() {
  InitNavigatorResources();
  int X = 0;
  for (int I = 0; I < ButtonCount; ++I) {
    const auto Kind = static_cast<TKorNavigateBtn>(I);
    auto* Button = new TKorNavButton(this);
    Button->SetIndex(Kind);
    Button->SetFlat(true);
    Button->SetEnabled(false);
    Button->SetParentWidget(GetWidget());
    Button->SetBounds(X, 0, MinButtonWidth, MinButtonHeight);
    X += MinButtonWidth;
    TBitmap Glyph;
    KorLoadBitmap(Glyph, QStringLiteral("KorNav_%1").arg(QLatin1String(ButtonNames[I])), QString());
    Button->SetGlyph(Glyph);
    Button->OnClick = [this, Kind](TCustomControl*) { BtnClick(Kind); };
    Button->OnMouseDown = [this, Kind](TCustomControl*, TMouseButton, TShiftState, int, int) {
      BtnMouseDown(Kind);
    };
    Button->SetVisible(Kind <= nbLast);
    FButtons[I] = Button;
  }
}

// -- properties

void TCustomKorNavigator::SetHints(const TStringList& Value) {
  FHints.Assign(Value);
  InitHints();
}

void TCustomKorNavigator::SetPanel(TCustomKorPanel* Value) {
  if (FPanel != nullptr) {
    FPanel->RemoveListener(this);
    FPanel->RemoveFreeNotification(this);
  }
  FPanel = Value;
  if (FPanel != nullptr) {
    FPanel->FreeNotification(this);
    FPanel->GetListeners().Add(this);
  }
  EnableButtons();
}

void TCustomKorNavigator::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (QWidget* W = GetWidget()) W->setEnabled(Value);
  if (!InState(csLoading)) EnableButtons();
}

void TCustomKorNavigator::SetAligned(bool Value) {
  if (Value == FAligned) return;
  FAligned = Value;
  AdjustLayout();
}

void TCustomKorNavigator::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  AdjustLayout();
  Invalidate();
}

void TCustomKorNavigator::Paint() {
  TCustomPanelNoCaption::Paint();
  if (FBorderStyle != bsSingle) return;
  // A sunken edge: dark at the top and left, light at the bottom and right.
  TCanvas& Canvas = GetCanvas();
  const TRect R = GetClientRect();
  KorDrawEdge(Canvas, R, clBtnShadow, clBtnHighlight);
  KorDrawEdge(Canvas, TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1), cl3DDkShadow,
              clBtnFace);
}

void TCustomKorNavigator::SetTabStop(bool Value) {
  FTabStop = Value;
  if (QWidget* W = GetWidget()) W->setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus);
}

// -- methods

void TCustomKorNavigator::BtnClick(TKorNavigateBtn Kind) {
  EnableButtons();
  if (OnButtonClicked) OnButtonClicked(this, Kind);
}

void TCustomKorNavigator::Loaded() {
  TCustomPanelNoCaption::Loaded();
  AdjustLayout();
}

void TCustomKorNavigator::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomPanelNoCaption::Notification(AComponent, Operation);
  // The panel is going away: its listener list goes with it.
  if (Operation == TOperation::opRemove && AComponent == FPanel) {
    FPanel = nullptr;
    EnableButtons();
  }
}

void TCustomKorNavigator::KorEvent(TKorEvent& Event) {
  DoKorEvent(Event);
}

void TCustomKorNavigator::InitHints() {
  for (int I = 0; I < ButtonCount; ++I) {
    const bool Replaced = I < FHints.Count() && !FHints.Get(I).isEmpty();
    FButtons[I]->SetHint(Replaced ? FHints.Get(I) : FDefaultHints[I]);
  }
}

// -- layout

void TCustomKorNavigator::Resize() {
  TCustomPanelNoCaption::Resize();
  AdjustLayout();
}

void TCustomKorNavigator::AdjustLayout() {
  if (FLayingOut || InState(csLoading)) return;
  FLayingOut = true;
  const int Visible = std::max<int>(
      1, std::count_if(FButtons.begin(), FButtons.end(), [](auto* B) { return B->GetVisible(); }));
  int Width = std::max(GetWidth(), Visible * MinButtonWidth);
  const int Height = std::max(GetHeight(), MinButtonHeight);
  FButtonWidth = Width / Visible;
  if (!FAligned) Width = Visible * FButtonWidth;
  SetBounds(GetLeft(), GetTop(), Width, Height);
  LayoutButtons(Width, Height);
  FLayingOut = false;
}

void TCustomKorNavigator::LayoutButtons(int Width, int Height) {
  // A single border takes two pixels at the top and two at the bottom.
  const int Top = FBorderStyle == bsSingle ? 2 : 0;
  Height = std::max(0, Height - 2 * Top);
  int Visible = 0;
  for (auto* B : FButtons) Visible += B->GetVisible() ? 1 : 0;
  // Pixels left over when aligned: one more for some buttons, spread evenly.
  const int Remainder = Width - std::max(1, Visible) * FButtonWidth;
  int X = 0;
  int Placed = 0;
  for (auto* B : FButtons) {
    if (!B->GetVisible()) {
      B->SetBounds(Width + 1, Top, FButtonWidth, Height);
      continue;
    }
    const int Extra = (Placed + 1) * Remainder / Visible - Placed * Remainder / Visible;
    B->SetBounds(X, Top, FButtonWidth + Extra, Height);
    X += FButtonWidth + Extra;
    ++Placed;
  }
}

// -- keyboard and focus

void TCustomKorNavigator::KeyDown(int& Key, TShiftState Shift) {
  TCustomPanelNoCaption::KeyDown(Key, Shift);
  switch (Key) {
    case Qt::Key_Space:
      if (FButtons[FFocusedButton]->GetEnabled()) BtnClick(FFocusedButton);
      break;
    case Qt::Key_Left: SetFocusedButton(NextVisibleButton(-1)); break;
    case Qt::Key_Right: SetFocusedButton(NextVisibleButton(+1)); break;
    default: break;
  }
}

TKorNavigateBtn TCustomKorNavigator::NextVisibleButton(int Step) const {
  for (int I = FFocusedButton + Step; I >= 0 && I < ButtonCount; I += Step)
    if (FButtons[I]->GetVisible()) return static_cast<TKorNavigateBtn>(I);
  return FFocusedButton;
}

void TCustomKorNavigator::BtnMouseDown(TKorNavigateBtn Kind) {
  SetFocusedButton(Kind);
  QWidget* W = GetWidget();
  if (FTabStop && W != nullptr && !W->hasFocus()) W->setFocus(Qt::MouseFocusReason);
}

void TCustomKorNavigator::SetFocusedButton(TKorNavigateBtn Kind) {
  if (Kind == FFocusedButton) return;
  FButtons[FFocusedButton]->SetShowFocus(false);
  FFocusedButton = Kind;
  UpdateFocusRectangle();
}

void TCustomKorNavigator::UpdateFocusRectangle() {
  FButtons[FFocusedButton]->SetShowFocus(HasKeyboardFocus());
}

bool TCustomKorNavigator::HasKeyboardFocus() const {
  const QWidget* W = GetWidget();
  return W != nullptr && W->hasFocus();
}
