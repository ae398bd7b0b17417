#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTimer;

// The window "Please Wait, the program is working" (interaction role):
// hidden at creation and hidden again by its own timer every 20 seconds.
class TWaitWorking : public QWidget {
 public:
  static constexpr int HideIntervalMs = 20000;

  explicit TWaitWorking(QWidget* AOwner);

  void Timer1Timer();

  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QTimer* Timer1 = nullptr;
};
