#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QShowEvent;
class TEditUpDown;
class TUpDown;

// Interaction: the "Numeric Format" dialog. It reads a value format (a
// picture such as "#,##0.00", a date-time format or a geographic pattern)
// into its controls when shown and builds the format back from them. The
// number pictures use the user's decimal and thousands separators and
// currency text of the current format settings, as the pages show them.
class TFormatEditor : public QDialog {
 public:
  explicit TFormatEditor(QWidget* Owner);
  ~TFormatEditor() override;

  // Shows the editor modally over Owner for Format (the date and time
  // controls only for a date-time format, the standard value formats among
  // the custom ones); the built format after OK, Format after Cancel.
  static QString Change(QWidget* Owner, const QString& Format, bool IsDateTime);

  // The format read when the form is shown.
  const QString& GetFormat() const { return FFormat; }
  void SetFormat(const QString& Value) { FFormat = Value; }
  bool GetIsDateTime() const { return FIsDateTime; }
  void SetIsDateTime(bool Value) { FIsDateTime = Value; }
  bool GetIsGeo() const { return FIsGeo; }
  void SetIsGeo(bool Value) { FIsGeo = Value; }

  // Reads the format into the controls (run when the form is shown).
  void FormShow();
  // The format the controls describe: what OK returns.
  QString BuildFormat() const;
  // The number picture of the "&Number" controls.
  QString NumberFormat() const;

  void RBIntegerClick();
  void RBDateClick();
  void RBGeoClick();
  void RBCustomClick();
  void CBPercentClick();

  QRadioButton* RBInteger = nullptr;
  QCheckBox* CBCurrency = nullptr;
  QCheckBox* CBThousands = nullptr;
  QCheckBox* CBPercent = nullptr;
  QLabel* Label1 = nullptr;
  TEditUpDown* Edit1 = nullptr;
  TUpDown* UpDown1 = nullptr;
  QCheckBox* CBFixedDecimals = nullptr;
  QLabel* Label2 = nullptr;
  TEditUpDown* Edit2 = nullptr;
  TUpDown* UpDown2 = nullptr;
  QRadioButton* RBDate = nullptr;
  QComboBox* CBDate = nullptr;
  QRadioButton* RBGeo = nullptr;
  QComboBox* CBGeo = nullptr;
  QRadioButton* RBCustom = nullptr;
  QComboBox* CBCustom = nullptr;
  QPushButton* BOK = nullptr;
  QPushButton* BCancel = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void FillLists();
  void Connect();
  // Selects Text in Combo, adding it first when the list lacks it.
  static void SelectAdding(QComboBox& Combo, const QString& Text);
  void ReadNumberFormat();
  // The combos follow the chosen mode; "&Percent" is off for custom text.
  void EnableCombos();
  // Shared by the date, geographic and custom choices: a combo left empty
  // takes Default, and takes the focus.
  void ChooseComboMode(QComboBox& Combo, const QString& Default);

  QString FFormat;
  bool FIsDateTime = false;
  bool FIsGeo = false;
  // Set while the controls are filled from the format: their changes are
  // not the user's choices.
  bool FUpdating = false;
};
