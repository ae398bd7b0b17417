#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QShowEvent;
class TEditUpDown;
class TKorFont;
class TUpDown;

// Interaction: edits a chart font: colour (the swatch), the font itself,
// inter-character spacing, outline, shadow and gradient. Pages dock it
// (InsertKorFontEditor); EditKorFontEx shows it as a dialog with an OK
// button. Edits go to the font at once.
class TKorFontEditor : public QDialog {
 public:
  explicit TKorFontEditor(QWidget* Owner);
  ~TKorFontEditor() override;

  // Binds the form to Font (not owned; nullptr unbinds) and shows its
  // values.
  void RefreshControls(TKorFont* Font);
  TKorFont* GetFont() const { return FFont; }

  // A click on the colour swatch: the colour dialog.
  void SHTextClick();
  // The font dialog.
  void Button3Click();
  void Edit2Change();
  void BOutlineClick();
  void BShadowClick();
  void CBOutGradClick();
  void BGradientClick();

  // The swatch paints the font colour.
  QWidget* SHText = nullptr;
  QPushButton* Button3 = nullptr;
  QLabel* Label1 = nullptr;
  TEditUpDown* Edit2 = nullptr;
  TUpDown* UDInter = nullptr;
  QPushButton* BOutline = nullptr;
  QPushButton* BShadow = nullptr;
  QCheckBox* CBOutGrad = nullptr;
  QPushButton* BGradient = nullptr;
  // Only in the dialog.
  QPushButton* BOK = nullptr;

 private:
  void BuildControls();
  void Connect();
  void RefreshSwatch();

  TKorFont* FFont = nullptr;  // not owned
  bool FUpdating = false;
};

// A font editor docked into Tab (its Qt child); bind it with
// RefreshControls.
TKorFontEditor* InsertKorFontEditor(QWidget& Tab);

// Edits Font in a font editor dialog shown modally over Owner; true when
// closed with OK. The edits stay either way.
bool EditKorFontEx(QWidget* Owner, TKorFont& Font);
