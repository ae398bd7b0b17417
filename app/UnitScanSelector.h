#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QResizeEvent;
class QWidget;
class TUpDown;
struct ScanHeader;

// The modal scan selector of one data viewer (interaction role): one check
// box per raw scan, ticked by hand or by a start, end and step rule; "OK"
// writes the ticks back into the viewer's selection flags. The flags and
// headers belong to the viewer's raw store and are only borrowed between
// InitScanSelector and the dialog's close.
class TScanSelector : public QDialog {
 public:
  // The check list's columns are at least this wide (pixels).
  static constexpr int MinColumnWidth = 45;

  explicit TScanSelector(QWidget* AOwner);

  // Fills the dialog from Count flags and headers (Flags above 0: drawn)
  // and Step; the caller then shows it with ShowModal. A Count of 0 (a
  // viewer that never loaded) gives an empty list that nothing can tick.
  void InitScanSelector(int* Flags, const ScanHeader* Headers, int Count, int Step);

  int GetCount() const { return Count; }
  // The step chosen; read by the viewer after every close.
  int GetStep() const { return Step; }
  // The number of scans the dialog showed when it was closed.
  int GetShownCount() const { return ShownCount; }
  // True until "OK"; "Reset Automatic" sets it again.
  bool GetAutomatic() const { return Automatic; }

  void ButtonOKClick();
  void ButtonCancelClick();
  void ButtonAutomaticClick();
  void ButtonSelectAllClick();
  void ButtonUnselectAllClick();
  void EditStartExit();
  void EditEndExit();
  void EditStepExit();
  // Key 13 (Enter) runs the edit's exit handler.
  void EditStartKeyPress(char Key);
  void EditEndKeyPress(char Key);
  void EditStepKeyPress(char Key);
  void UpDownStartClick();
  void UpDownEndClick();
  void UpDownStepClick();
  void FormResize();
  // Ticks start - 1, start - 1 + step, ... below end (up-down positions);
  // nothing while the list is being filled.
  void ApplyStartEndStep();
  // Escape and the window's close button count as "Cancel".
  void reject() override;

  // The number that leads a scan file name ("00012.RA1" gives 12): an
  // optional sign and decimal digits after leading blanks; 0 when no
  // number comes first or it does not fit an int.
  static int ScanNumberFromName(const QString& Name);

  QLabel* LabelManual = nullptr;
  QLineEdit* EditStart = nullptr;
  QLineEdit* EditEnd = nullptr;
  QLineEdit* EditStep = nullptr;
  TUpDown* UpDownStart = nullptr;
  TUpDown* UpDownEnd = nullptr;
  TUpDown* UpDownStep = nullptr;
  QPushButton* ButtonAutomatic = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonSelectAll = nullptr;
  QPushButton* ButtonUnselectAll = nullptr;
  QListWidget* CheckListBox1 = nullptr;

 protected:
  void resizeEvent(QResizeEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  enum TEditKind { ekStart, ekEnd, ekStep };

  QWidget* BuildPanel();
  void WireEdit(QLineEdit* Edit, TUpDown* UpDown, TEditKind Kind);
  void EditExit(TEditKind Kind);
  void UpDownClick(TEditKind Kind);
  QLineEdit* EditOf(TEditKind Kind) const;
  TUpDown* UpDownOf(TEditKind Kind) const;
  void SetAllTicks(bool Ticked);
  void ShowPosition(TEditKind Kind);
  void ForgetStore();

  int Count = 0;
  int* Flags = nullptr;                 // the viewer's, not owned
  const ScanHeader* Headers = nullptr;  // the viewer's, not owned
  int Step = 1;
  int ShownCount = 0;
  bool Automatic = true;
  bool Busy = false;
  QWidget* Panel = nullptr;
};
