#pragma once

#include "chart/core/TCustomPanelNoCaption.h"
#include "chart/core/TKorEventListeners.h"
#include "chart/editor/TKorNavButton.h"

#include "platform/TStringList.h"

#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class QObject;
class TCustomKorPanel;
class TKorEvent;

// Interaction: a strip of flat speed buttons (first, prior, next, last,
// insert, delete, edit, post, cancel) bound to a chart panel. The strip
// lays the visible buttons out side by side, gives them their glyphs and
// hints, moves a keyboard focus among them and repeats a held button.
// Derived navigators decide what the buttons do and when they are enabled.
class TCustomKorNavigator : public TCustomPanelNoCaption, public IKorEventListener {
 public:
  static constexpr int ButtonCount = nbCancel + 1;
  static constexpr int MinButtonWidth = 20;   // pixels
  static constexpr int MinButtonHeight = 18;  // pixels

  explicit TCustomKorNavigator(TComponent* AOwner);
  ~TCustomKorNavigator() override;

  QString ClassName() const override { return QStringLiteral("TCustomKorNavigator"); }

  // The button of the kind; owned by the navigator.
  TKorNavButton* GetButton(TKorNavigateBtn Kind) const { return FButtons[Kind]; }
  // Line i, when not empty, replaces the default hint of button i; a change
  // of the list re-applies the hints.
  TStringList& GetHints() { return FHints; }
  void SetHints(const TStringList& Value);
  // The panel the buttons act on; not owned, unbound when it is freed.
  TCustomKorPanel* GetPanel() const { return FPanel; }
  virtual void SetPanel(TCustomKorPanel* Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // An aligned navigator keeps the width its parent gives it; otherwise the
  // width shrinks to a whole number of buttons.
  bool GetAligned() const { return FAligned; }
  void SetAligned(bool Value);
  // With a single border the buttons sit inside its edge, four pixels
  // lower than the navigator.
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // A tab stop navigator takes the keyboard focus when a button is pressed.
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  TKorNavigateBtn GetFocusedButton() const { return FFocusedButton; }
  // The width each visible button had at the last layout, in pixels.
  int GetButtonWidth() const { return FButtonWidth; }

  // Acts on a click of the button Kind: derived navigators act first, then
  // call this, which re-enables the buttons and fires OnButtonClicked.
  virtual void BtnClick(TKorNavigateBtn Kind);
  virtual void EnableButtons() {}
  virtual int PageCount() const { return 1; }
  virtual void Print() {}
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void KorEvent(TKorEvent& Event) override;

  std::function<void(TCustomKorNavigator* Sender, TKorNavigateBtn Button)> OnButtonClicked;

 protected:
  // Creates the buttons (once, from the constructor).
  virtual void InitButtons();
  // An event of the bound panel.
  virtual void DoKorEvent(TKorEvent&) {}
  void Resize() override;
  void Paint() override;
  void KeyDown(int& Key, TShiftState Shift) override;

 private:
  class TFocusWatcher;
  friend class TFocusWatcher;

  void InitHints();
  void AdjustLayout();
  void LayoutButtons(int Width, int Height);
  void BtnMouseDown(TKorNavigateBtn Kind);
  void SetFocusedButton(TKorNavigateBtn Kind);
  // The next visible button in Step's direction, or the current one at the ends.
  TKorNavigateBtn NextVisibleButton(int Step) const;
  void UpdateFocusRectangle();
  bool HasKeyboardFocus() const;

  TStringList FHints;
  TCustomKorPanel* FPanel = nullptr;
  bool FEnabled = true;
  bool FAligned = false;
  TBorderStyle FBorderStyle = bsNone;
  bool FTabStop = false;
  std::array<TKorNavButton*, ButtonCount> FButtons{};
  QStringList FDefaultHints;
  TKorNavigateBtn FFocusedButton = nbFirst;
  std::unique_ptr<QObject> FFocusWatcher;
  // caches: the button width of the last layout; set while a layout
  // changes the navigator's own bounds.
  int FButtonWidth = MinButtonWidth;
  bool FLayingOut = false;
};
