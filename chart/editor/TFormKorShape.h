#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class TButtonColor;
class TButtonPen;
class TEditUpDown;
class TKorCustomShape;
class TKorFontEditor;
class TKorGradientEditor;
class TKorShadowEditor;

// Interaction: edits a framed shape (a legend, a title, any text block):
// colour, frame, pattern, round corners, transparency, bevel on "Format",
// and its gradient, text font and shadow through the embedded editors on
// the other tabs. Hosts take its tabs into their own page control
// (InsertKorObjectForm) or show it as a dialog (EditKorCustomShape). Edits
// go to the shape at once.
class TFormKorShape : public QDialog {
 public:
  explicit TFormKorShape(QWidget* Owner);
  ~TFormKorShape() override;

  // Binds every tab to Shape (not owned; nullptr unbinds) and shows its
  // values.
  void RefreshControls(TKorCustomShape* Shape);
  TKorCustomShape* GetShape() const { return FShape; }
  // A host page's "visible" check box shows or hides the shape.
  void CBVisibleChecked(const QCheckBox& Box);

  // Runs after a colour was chosen with BBackColor.
  void BBackColorClick();
  void Button6Click();
  void CBRoundClick();
  void CBTransparentClick();
  void CBBevelChange();
  void EBevWidthChange();
  void EShadowTranspChange();

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabFormat = nullptr;
  QWidget* TabGradient = nullptr;
  QWidget* TabText = nullptr;
  QWidget* TabShadow = nullptr;
  TButtonColor* BBackColor = nullptr;
  TButtonPen* Button4 = nullptr;
  QPushButton* Button6 = nullptr;
  QCheckBox* CBRound = nullptr;
  QCheckBox* CBTransparent = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* CBBevel = nullptr;
  QLabel* Label2 = nullptr;
  TEditUpDown* EBevWidth = nullptr;
  QLabel* Label3 = nullptr;
  TEditUpDown* EShadowTransp = nullptr;
  TKorGradientEditor* GradientEditor = nullptr;
  TKorFontEditor* FontEditor = nullptr;
  TKorShadowEditor* ShadowEditor = nullptr;

 private:
  void BuildControls();
  void BuildFormatTab();
  void Connect();
  void EnableBevelWidth();

  TKorCustomShape* FShape = nullptr;  // not owned
  bool FUpdating = false;
};

// A shape editor for Shape whose tabs move into PageControl, after the
// host's own tabs; the host's first tab stays current. The editor is a
// hidden Qt child of PageControl.
TFormKorShape* InsertKorObjectForm(QTabWidget& PageControl, TKorCustomShape* Shape);

// Edits Shape in a shape editor dialog with an OK button, shown modally
// over Owner; true when closed with OK. The edits stay either way.
bool EditKorCustomShape(QWidget* Owner, TKorCustomShape& Shape);
