#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The folder chooser's window (interaction role): a prompt, the tree of the
// file system's folders (each folder listed when it is first opened), the
// chosen folder's path in an edit box, a status line and OK / Cancel. It
// tells its client of every change of the selected folder through OnBrowse,
// the way a shell folder browser calls its client back.
class FolderBrowserDialog : public QDialog {
 public:
  enum class TBrowseEvent { beInitialized, beSelChanged };
  using TBrowseCallback = std::function<void(FolderBrowserDialog&, TBrowseEvent)>;

  FolderBrowserDialog(const QString& Prompt, QWidget* Parent);

  // Selects Folder in the tree, opening the folders above it; false when it
  // is not an existing folder.
  bool SelectFolder(const QString& Folder);
  // The folder of the selected tree item; empty when none is selected.
  QString SelectedFolder() const;
  // What OK chooses: the folder the edit box names (a full path, or a name
  // below the selected folder); empty when it names no existing folder.
  QString ChosenFolder() const;
  void SetStatusText(const QString& Text);

  void ButtonOKClick();
  void ButtonCancelClick();

  TBrowseCallback OnBrowse;

  QLabel* PromptLabel = nullptr;
  QTreeWidget* FolderTree = nullptr;
  QLineEdit* FolderEdit = nullptr;
  QLabel* StatusLabel = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;

 protected:
  // Closing the window counts as Cancel.
  void reject() override;

 private:
  void FolderTreeChange(QTreeWidgetItem* Item);
  void ListChildren(QTreeWidgetItem* Item);
  QTreeWidgetItem* ChildNamed(QTreeWidgetItem* Item, const QString& Name);
  QTreeWidgetItem* AddFolderItem(QTreeWidgetItem* Parent, const QString& Name, const QString& Path);
};
