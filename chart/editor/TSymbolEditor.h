#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QShowEvent;
class TButtonGradient;
class TButtonPen;
class TEditUpDown;
class TLegendSymbol;
class TUpDown;

// Interaction: edits a legend symbol (width and its units, side, band,
// visibility, squareness, border and gradient colours). Pages dock it;
// edits go to the symbol at once.
class TSymbolEditor : public QDialog {
 public:
  explicit TSymbolEditor(QWidget* Owner);
  ~TSymbolEditor() override;

  // Binds the form to Symbol (not owned; nullptr unbinds) and shows its
  // values.
  void RefreshSymbol(TLegendSymbol* Symbol);
  TLegendSymbol* GetSymbol() const { return FSymbol; }

  void SEColWiChange();
  void CBColWUnitsChange();
  void CBSymbolPosChange();
  void CBContinuousClick();
  void CBVisibleClick();
  void CBSquaredClick();
  void CBSymPenClick();

  QLabel* Label1 = nullptr;
  TEditUpDown* SEColWi = nullptr;
  TUpDown* UDColWi = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* CBColWUnits = nullptr;
  QLabel* Label3 = nullptr;
  QComboBox* CBSymbolPos = nullptr;
  QCheckBox* CBContinuous = nullptr;
  QCheckBox* CBVisible = nullptr;
  QCheckBox* CBSquared = nullptr;
  QCheckBox* CBSymPen = nullptr;
  TButtonPen* BSymPen = nullptr;
  TButtonGradient* BSymGradient = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void Connect();
  void EnableControls();
  // Edits count once the form has been shown and while a symbol is bound.
  bool Editing() const { return FShown && !FUpdating && FSymbol != nullptr; }

  TLegendSymbol* FSymbol = nullptr;  // not owned
  bool FShown = false;
  bool FUpdating = false;
};
