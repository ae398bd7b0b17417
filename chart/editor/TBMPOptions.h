#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

// Interaction: the bitmap format's options, docked into the export dialog:
// black and white only, or the colour depth (the "&Colors:" index is the
// bitmap's pixel format).
class TBMPOptions : public QWidget {
 public:
  explicit TBMPOptions(QWidget* Parent = nullptr);

  // Monochrome leaves no colour depth to choose.
  void CBMonoClick();

  QCheckBox* CBMono = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* CBColors = nullptr;

 protected:
  // Every showing starts from "Default".
  void showEvent(QShowEvent* Event) override;
};
