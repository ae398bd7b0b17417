#pragma once

#include <QDialog>
#include <QString>
#include <QVector>

class QLabel;
class QListWidget;
class QMimeData;

// How pasted data may be taken into the report.
enum class TPasteFormat { pfText, pfRtf, pfDib, pfBitmap };

struct TPasteEntry {
  TPasteFormat Format;
  QString Name;        // shown in the list
  QString ResultText;  // what the paste will insert
};

// "Paste Special" (interaction role): the forms in which the clipboard's
// data can be pasted, of those the report knows, in a fixed order; the user
// picks one. Only the entries the data offers are listed.
class TPasteSpecialDlg : public QDialog {
 public:
  TPasteSpecialDlg(const QMimeData& Data, QWidget* Parent);

  // Every entry the program knows, in the order they are listed.
  static QVector<TPasteEntry> KnownEntries();
  const QVector<TPasteEntry>& Entries() const { return FEntries; }
  // The chosen entry, or -1.
  int Selected() const;
  void Select(int Index);
  void OkClick();
  void CancelClick();

  QListWidget* FormatList = nullptr;
  QLabel* ResultLabel = nullptr;

 private:
  void ShowResult();

  QVector<TPasteEntry> FEntries;
};
