#pragma once

#include <QWidget>

#include <functional>

class QToolButton;

enum TUDBtnType { btNext, btPrev };

// An up-down control: two arrow buttons that step an integer position
// within Min..Max (no wrap). A click that moves the position calls OnClick
// with the button; setting the position from code calls nothing. The edit
// that shows the position is a separate control, as forms place it.
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

  std::function<void(TUpDown* Sender, TUDBtnType Button)> OnClick;

 private:
  QToolButton* FUp = nullptr;
  QToolButton* FDown = nullptr;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FIncrement = 1;
};
