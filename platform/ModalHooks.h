#pragma once

#include <QPoint>
#include <QString>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include "platform/TColor.h"

class QDialog;
class QInputDialog;
class QWidget;
class TFont;
class TPrinter;

// Every modal interaction of the program goes through one replaceable hook
// per kind, so headless tests can answer them. The defaults show Qt dialogs;
// on a display nobody can answer (the offscreen and minimal platforms) they
// hand the request to the stray-modal handler instead of blocking.
//
// Each Set...Hook installs its hook and returns the previous one; an empty
// function restores the default.

// Dialog results, numbered as the framework's modal results.
enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
  mrNoToAll = 9,
  mrYesToAll = 10
};

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll
};

// A set of buttons: bit n stands for TMsgDlgBtn n.
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons MsgButtons(std::initializer_list<TMsgDlgBtn> Buttons) {
  TMsgDlgButtons set = 0;
  for (TMsgDlgBtn b : Buttons) set |= 1u << b;
  return set;
}
inline constexpr TMsgDlgButtons mbYesNo = MsgButtons({mbYes, mbNo});
inline constexpr TMsgDlgButtons mbYesNoCancel = MsgButtons({mbYes, mbNo, mbCancel});
inline constexpr TMsgDlgButtons mbOKCancel = MsgButtons({mbOK, mbCancel});
inline constexpr TMsgDlgButtons mbOKOnly = MsgButtons({mbOK});

// ------------------------------------------------------------ messages

struct TMessageDialogRequest {
  QString Caption;  // empty: the program's title
  QString Text;
  TMsgDlgType DlgType = TMsgDlgType::mtInformation;
  TMsgDlgButtons Buttons = mbOKOnly;
  TMsgDlgBtn DefaultButton = mbOK;
  std::optional<QPoint> Position;  // screen position of the top-left corner
  QWidget* Parent = nullptr;
};
// Returns the TModalResult of the button pressed (mrCancel when closed).
using TMessageDialogHook = std::function<int(const TMessageDialogRequest&)>;
TMessageDialogHook SetMessageDialogHook(TMessageDialogHook Hook);

int MessageDlg(const QString& Text, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
               TMsgDlgBtn DefaultButton = mbOK);
int MessageDlg(const TMessageDialogRequest& Request);
// A Yes/No question (Yes first and default); true for Yes.
bool ConfirmYesNo(const QString& Text, const QString& Caption = QString(),
                  std::optional<QPoint> Position = std::nullopt, QWidget* Parent = nullptr);

// --------------------------------------------------------------- colour

struct TColorDialogRequest {
  TColor Color = clBlack;
  std::vector<TColor> CustomColors;  // shown as the dialog's custom colours
  QWidget* Parent = nullptr;
};
struct TColorDialogAnswer {
  bool Accepted = false;
  TColor Color = clBlack;
  std::vector<TColor> CustomColors;  // as the user left them (when accepted)
};
using TColorDialogHook = std::function<TColorDialogAnswer(const TColorDialogRequest&)>;
TColorDialogHook SetColorDialogHook(TColorDialogHook Hook);
TColorDialogAnswer ExecuteColorDialog(const TColorDialogRequest& Request);

// ----------------------------------------------------------------- font

// Shows Font; on OK Font takes the chosen font and the result is true.
using TFontDialogHook = std::function<bool(TFont& Font, QWidget* Parent)>;
TFontDialogHook SetFontDialogHook(TFontDialogHook Hook);
bool ExecuteFontDialog(TFont& Font, QWidget* Parent = nullptr);

// ---------------------------------------------------------------- files

enum class TFileDialogKind { fdOpen, fdSave };

struct TFileDialogRequest {
  TFileDialogKind Kind = TFileDialogKind::fdOpen;
  QString Title;
  // Pairs of description and pattern joined by "|": "Bitmaps (*.bmp)|*.bmp|
  // PNG files (*.png)|*.png"; a pattern may list several masks with ";".
  QString Filter;
  int FilterIndex = 1;  // 1-based
  QString DefaultExt;   // without the dot; added to a name typed without one
  QString InitialDir;
  // The kind of file ("reports", "results", "exports", ...): the dialog then
  // starts in the folder last used for that kind, and the first time in
  // InitialDir or, when that is empty, in the data folder.
  QString FolderKind;
  QString FileName;
  bool OverwritePrompt = false;  // save: ask before replacing a file
  QWidget* Parent = nullptr;
};
struct TFileDialogAnswer {
  bool Accepted = false;
  QString FileName;
  int FilterIndex = 1;  // the filter in force when the user confirmed
};
using TFileDialogHook = std::function<TFileDialogAnswer(const TFileDialogRequest&)>;
TFileDialogHook SetFileDialogHook(TFileDialogHook Hook);
// The hook sees the request with the starting folder of its kind filled in.
TFileDialogAnswer ExecuteFileDialog(const TFileDialogRequest& Request);
// The folder of the data in use (that of the viewer the user works with),
// where file dialogs of a kind start until the user chose a file of it.
void SetDataFolder(const QString& Folder);
QString DataFolder();
// The folder last used for Kind; empty when none was. Dialogs of their own
// (printing into a file) remember the folder of the file chosen in them.
QString LastFileDialogFolder(const QString& Kind);
void RememberFileDialogFolder(const QString& Kind, const QString& FileName);
// Forgets the folders of every kind and the data folder.
void ForgetFileDialogFolders();

// --------------------------------------------------------------- folder

struct TFolderDialogRequest {
  QString Title;
  QString InitialDir;
  QWidget* Parent = nullptr;
};
struct TFolderDialogAnswer {
  bool Accepted = false;
  QString Folder;
};
using TFolderDialogHook = std::function<TFolderDialogAnswer(const TFolderDialogRequest&)>;
TFolderDialogHook SetFolderDialogHook(TFolderDialogHook Hook);
TFolderDialogAnswer ExecuteFolderDialog(const TFolderDialogRequest& Request);

// ------------------------------------------------------ printer set-up

// The printer's own set-up dialog; true when the user confirmed (the
// printer then holds the chosen settings).
using TPrinterSetupHook = std::function<bool(TPrinter& Printer, QWidget* Parent)>;
TPrinterSetupHook SetPrinterSetupHook(TPrinterSetupHook Hook);
bool ExecutePrinterSetupDialog(TPrinter& Printer, QWidget* Parent = nullptr);

// ---------------------------------------------------------- input query

// Asks for one line of text under Caption with Prompt, proposing Value; on
// OK Value takes the answer and the result is true.
struct TInputQueryRequest {
  QString Caption;
  QString Prompt;
  QWidget* Parent = nullptr;
};
using TInputQueryHook = std::function<bool(const TInputQueryRequest& Request, QString& Value)>;
TInputQueryHook SetInputQueryHook(TInputQueryHook Hook);
bool InputQuery(const TInputQueryRequest& Request, QString& Value);
// The dialog the default input query shows: Caption as its title, wide
// enough to show it uncut, Prompt above the edit holding Value.
std::unique_ptr<QInputDialog> MakeInputQueryDialog(const TInputQueryRequest& Request,
                                                   const QString& Value);

// ------------------------------------------------------- our own forms

// Every form of ours shown modally goes through ShowModal instead of
// QDialog::exec, which returns what the dialog's done() was given (the form
// sets a TModalResult).
//
// With a hook installed, ShowModal first runs the form's show sequence (the
// dialog is shown, so its show handlers have run and its caption and pages
// are what a user would see), then hands the live form to the hook instead
// of entering a nested event loop; the hook may call the form's handlers
// and returns the result. Afterwards the form is hidden again. A form that
// the hook's actions open modally is handed to the hook in turn, in the
// order opened, while the outer form stays shown beneath it; an answer may
// install another hook, which then answers the forms opened after that.
// Showing a form that is already open modally is refused (mrCancel), as a
// recursive exec would be.
using TShowModalHook = std::function<int(QDialog& Dialog)>;
TShowModalHook SetShowModalHook(TShowModalHook Hook);
int ShowModal(QDialog& Dialog);
// The forms ShowModal has open at the moment, outermost first.
std::vector<QDialog*> OpenModalForms();

// ------------------------------------------------------- stray modals

// What a default hook does when nobody can answer a dialog (headless
// display): What describes the dialog. The default handler writes it to
// stderr and aborts, so the run fails at once instead of hanging; a handler
// that returns makes the dialog count as cancelled.
using TStrayModalHandler = std::function<void(const QString& What)>;
TStrayModalHandler SetStrayModalHandler(TStrayModalHandler Handler);
// True when the current Qt platform shows nothing to a user.
bool IsHeadlessDisplay();
