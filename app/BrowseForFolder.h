#pragma once

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <functional>

#include "app/FolderBrowserDialog.h"
#include "platform/TComponent.h"

// A reusable folder chooser (interaction role): opens the folder browser
// modally, centred over its owner form and kept on the screen's work area,
// with a caption, a preselected initial folder and a status line showing the
// selected folder shortened to fit; returns the chosen file-system folder.
// The owner form is disabled while the browser is open.
class TDirBrowser : public TComponent {
 public:
  TDirBrowser(TComponent* AOwner, QWidget* AOwnerForm);

  bool GetRetainSelection() const { return RetainSelection; }
  void SetRetainSelection(bool Value) { RetainSelection = Value; }
  // The folder chosen by the last Execute; empty after a cancelled one.
  const QString& GetSelectedFolder() const { return SelectedFolder; }
  // The chosen folder's name as the browser shows it.
  const QString& GetDisplayName() const { return DisplayName; }
  const QString& GetPrompt() const { return Prompt; }
  void SetPrompt(const QString& Value) { Prompt = Value; }
  const QString& GetCaption() const { return Caption; }
  void SetCaption(const QString& Value) { Caption = Value; }
  const QString& GetInitialFolder() const { return InitialFolder; }
  // Stores Path without trailing path delimiters (a path of three characters
  // or fewer, a root, keeps them).
  void SetInitialPath(const QString& Path);

  // True when the user chose an existing folder.
  bool Execute();
  // The browser always belongs to the owner form; ParentWindow is not used.
  bool Execute(QWidget* ParentWindow);

  // The browser's callback: places the window and selects the initial folder
  // when it is initialised, and shows the selected folder in the status line
  // when the selection changes. Always 0.
  int BrowseProc(FolderBrowserDialog& Window, FolderBrowserDialog::TBrowseEvent Event);

  // Top-left corner of a browser of BrowserSize centred over Owner, moved
  // inside WorkArea where it would stand out on the left, right, top or
  // bottom (screen pixels).
  static QPoint BrowserPosition(const QRect& Owner, const QSize& BrowserSize,
                                const QRect& WorkArea);
  // Path with its middle replaced by "..." so that TextWidth of the result is
  // at most Width; as much of the last component as possible is kept.
  static QString ShortenPathToWidth(const QString& Path, int Width,
                                    const std::function<int(const QString&)>& TextWidth);

 private:
  void PlaceWindow(FolderBrowserDialog& Window) const;
  void ShowSelectionStatus(FolderBrowserDialog& Window) const;

  bool RetainSelection = false;
  QString SelectedFolder;
  QString DisplayName;
  QString Prompt;
  QString Caption;
  QString InitialFolder;
  QPointer<QWidget> FOwnerForm;
};
