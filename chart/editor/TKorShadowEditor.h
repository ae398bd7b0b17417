#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QShowEvent;
class TButtonColor;
class TEditUpDown;
class TKorShadow;
class TUpDown;

// Interaction: edits a shadow's sizes, transparency, colour and softness,
// as a modal dialog (EditKorShadow) or docked into an editor page
// (InsertKorShadowEditor, without the OK button). Edits go to the shadow
// at once.
class TKorShadowEditor : public QDialog {
 public:
  explicit TKorShadowEditor(QWidget* Owner);
  ~TKorShadowEditor() override;

  // Binds the form to Shadow (not owned; nullptr unbinds) and shows its
  // values.
  void RefreshControls(TKorShadow* Shadow);
  TKorShadow* GetShadow() const { return FShadow; }

  void Edit1Change();
  void EVertSizeChange();
  void EShadowTranspChange();
  void CBSmoothClick();

  QLabel* Label1 = nullptr;
  TEditUpDown* Edit1 = nullptr;
  TUpDown* UDShadowSize = nullptr;
  QLabel* Label2 = nullptr;
  TEditUpDown* EVertSize = nullptr;
  TUpDown* UDShaVert = nullptr;
  QLabel* Label3 = nullptr;
  TEditUpDown* EShadowTransp = nullptr;
  TButtonColor* BShadowColor = nullptr;
  QCheckBox* CBSmooth = nullptr;
  QPushButton* BOK = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void Connect();
  // Edits count once the form has been shown and while a shadow is bound;
  // before that the controls are being filled.
  bool Editing() const { return FShown && !FUpdating && FShadow != nullptr; }

  TKorShadow* FShadow = nullptr;  // not owned
  bool FShown = false;
  bool FUpdating = false;
};

// Edits Shadow in the shadow dialog, shown modally over Owner; true when
// closed with OK. The edits stay either way.
bool EditKorShadow(QWidget* Owner, TKorShadow& Shadow);

// A shadow editor docked into Tab (its Qt child) without the OK button;
// bind it with RefreshControls.
TKorShadowEditor* InsertKorShadowEditor(QWidget& Tab);
