#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;
class QToolButton;

enum TUDBtnType { btNext, btPrev };

// An up-down control: two arrow buttons that step an integer position
// within Min..Max (no wrap). A click that moves the position calls OnClick
// with the button; setting the position from code calls nothing. The edit
// that shows the position is a separate control, as forms place it; given
// as the associate, it works as a spin box's does.
class TUpDown : public QWidget {
 public:
  explicit TUpDown(QWidget* Parent = nullptr);

  int GetMin() const { return FMin; }
  void SetMin(int Value);
  int GetMax() const { return FMax; }
  void SetMax(int Value);
  int GetPosition() const { return FPosition; }
  // Clamps into Min..Max.
  void SetPosition(int Value);
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value > 0 ? Value : 1; }

  // What a press of one of the arrows does (tests call it directly).
  void Click(TUDBtnType Button);

  // The edit beside the control (not owned), as the keyboard uses it: it
  // takes digits only, Up and Down step as the arrows do, and a number
  // typed and confirmed (Enter, or leaving the edit) becomes the position,
  // clamped, as a click would make it (calling OnClick when it moved). The
  // edit shows the position after every change.
  void SetAssociate(QLineEdit* Edit);
  QLineEdit* GetAssociate() const { return FAssociate; }

  std::function<void(TUpDown* Sender, TUDBtnType Button)> OnClick;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void TakeTypedPosition();
  void ShowPosition();

  QToolButton* FUp = nullptr;
  QToolButton* FDown = nullptr;
  // Cleared when the edit goes (a guarded pointer would be cast to an edit
  // already being destroyed).
  QLineEdit* FAssociate = nullptr;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FIncrement = 1;
};
