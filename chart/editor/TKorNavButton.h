#pragma once

#include "platform/TBitmap.h"
#include "platform/TCustomControl.h"

#include <memory>

class QTimer;

// The buttons of a navigator strip, by their place in it.
enum TKorNavigateBtn {
  nbFirst,
  nbPrior,
  nbNext,
  nbLast,
  nbInsert,
  nbDelete,
  nbEdit,
  nbPost,
  nbCancel
};

// Interaction: one flat speed button of a navigator strip. Its glyph
// bitmap holds two pictures side by side, the normal and the disabled one.
// Held down, the button clicks again and again: first after
// InitialRepeatDelay, then every RepeatInterval milliseconds.
class TKorNavButton : public TCustomControl {
 public:
  static constexpr int InitialRepeatDelay = 400;  // milliseconds
  static constexpr int RepeatInterval = 100;      // milliseconds

  explicit TKorNavButton(TComponent* AOwner);
  ~TKorNavButton() override;

  QString ClassName() const override { return QStringLiteral("TKorNavButton"); }

  TKorNavigateBtn GetIndex() const { return FIndex; }
  void SetIndex(TKorNavigateBtn Value) { FIndex = Value; }
  // A disabled button ignores the mouse and shows its disabled glyph.
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  // The two glyphs side by side (normal, disabled); copied.
  const TBitmap& GetGlyph() const { return FGlyph; }
  void SetGlyph(const TBitmap& Value);
  // Whether the focus rectangle is drawn: the navigator sets it on its
  // focused button while it has the keyboard focus.
  bool GetShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value);
  // True between a left press and its release.
  bool GetDown() const { return FDown; }

  // The auto-repeat timer; nullptr before the first press.
  QTimer* GetRepeatTimer() const { return FRepeatTimer.get(); }
  // What the timer calls: clicks again while the button is held. A failing
  // click stops the repeat and is reported, never thrown into Qt's loop.
  void RepeatTimerFired();

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Click() override;

 private:
  void StopRepeat();
  void DrawFrame(TCanvas& Canvas, const TRect& R) const;
  void DrawGlyph(TCanvas& Canvas, const TRect& R) const;

  TKorNavigateBtn FIndex = nbFirst;
  bool FEnabled = true;
  bool FFlat = false;
  bool FShowFocus = false;
  TBitmap FGlyph;
  std::unique_ptr<QTimer> FRepeatTimer;
  // caches: the left button is held on the button.
  bool FDown = false;
};
