#include "platform/ModalHooks.h"

#include "platform/ApplicationTitle.h"
#include "platform/ScopeGuard.h"
#include "platform/TFont.h"
#include "platform/TPrinter.h"
#include "platform/WindowTitle.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHash>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// ------------------------------------------------------------ stray modals

void AbortOnStrayModal(const QString& what) {
  std::fprintf(stderr,
               "Korvale: a modal dialog was opened where nobody can answer it: %s\n"
               "(install answers with the modal hooks)\n",
               what.toUtf8().constData());
  std::fflush(stderr);
  std::abort();
}

TStrayModalHandler& StrayHandler() {
  static TStrayModalHandler handler = &AbortOnStrayModal;
  return handler;
}

// True (after telling the stray handler) when the dialog must not be shown.
bool Stray(const QString& what) {
  if (!IsHeadlessDisplay()) return false;
  StrayHandler()(what);
  return true;
}

// ------------------------------------------------------------ messages

QMessageBox::StandardButton QtButton(TMsgDlgBtn b) {
  switch (b) {
    case mbYes: return QMessageBox::Yes;
    case mbNo: return QMessageBox::No;
    case mbOK: return QMessageBox::Ok;
    case mbCancel: return QMessageBox::Cancel;
    case mbAbort: return QMessageBox::Abort;
    case mbRetry: return QMessageBox::Retry;
    case mbIgnore: return QMessageBox::Ignore;
    case mbAll: return QMessageBox::YesToAll;  // Qt has no plain "All"
    case mbNoToAll: return QMessageBox::NoToAll;
    case mbYesToAll: return QMessageBox::YesToAll;
  }
  return QMessageBox::Ok;
}

int ModalResultOf(QMessageBox::StandardButton b) {
  switch (b) {
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    case QMessageBox::Ok: return mrOk;
    case QMessageBox::Abort: return mrAbort;
    case QMessageBox::Retry: return mrRetry;
    case QMessageBox::Ignore: return mrIgnore;
    case QMessageBox::YesToAll: return mrYesToAll;
    case QMessageBox::NoToAll: return mrNoToAll;
    default: return mrCancel;
  }
}

QMessageBox::Icon QtIcon(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning: return QMessageBox::Warning;
    case TMsgDlgType::mtError: return QMessageBox::Critical;
    case TMsgDlgType::mtInformation: return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
    case TMsgDlgType::mtCustom: return QMessageBox::NoIcon;
  }
  return QMessageBox::NoIcon;
}

int DefaultMessageDialog(const TMessageDialogRequest& r) {
  if (Stray(QStringLiteral("message \"%1\"").arg(r.Text))) return mrCancel;
  QMessageBox box(QtIcon(r.DlgType), r.Caption.isEmpty() ? ApplicationTitle() : r.Caption, r.Text,
                  QMessageBox::NoButton, r.Parent);
  for (int b = mbYes; b <= mbYesToAll; ++b)
    if (r.Buttons & (1u << b)) box.addButton(QtButton(static_cast<TMsgDlgBtn>(b)));
  if (r.Buttons == 0) box.addButton(QMessageBox::Ok);
  if (QAbstractButton* d = box.button(QtButton(r.DefaultButton)))
    box.setDefaultButton(qobject_cast<QPushButton*>(d));
  if (r.Position) box.move(*r.Position);
  box.exec();
  return ModalResultOf(box.standardButton(box.clickedButton()));
}

// --------------------------------------------------------------- colour

TColorDialogAnswer DefaultColorDialog(const TColorDialogRequest& r) {
  TColorDialogAnswer answer;
  answer.Color = r.Color;
  if (Stray(QStringLiteral("colour dialog"))) return answer;
  const int slotCount = QColorDialog::customCount();
  for (int i = 0; i < slotCount; ++i)
    QColorDialog::setCustomColor(i, i < static_cast<int>(r.CustomColors.size())
                                        ? ColorToQColor(r.CustomColors[static_cast<size_t>(i)])
                                        : QColor(Qt::white));
  const QColor chosen = QColorDialog::getColor(ColorToQColor(r.Color), r.Parent);
  if (!chosen.isValid()) return answer;
  answer.Accepted = true;
  answer.Color = QColorToColor(chosen);
  for (int i = 0; i < slotCount; ++i)
    answer.CustomColors.push_back(QColorToColor(QColorDialog::customColor(i)));
  return answer;
}

// ----------------------------------------------------------------- font

bool DefaultFontDialog(TFont& font, QWidget* parent) {
  if (Stray(QStringLiteral("font dialog"))) return false;
  bool ok = false;
  QFont initial = font.ToQFont();
  initial.setPointSize(std::max(1, font.GetSize()));
  const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
  if (!ok) return false;
  font.SetName(chosen.family());
  font.SetSize(chosen.pointSize() > 0 ? chosen.pointSize() : font.GetSize());
  TFontStyles style;
  if (chosen.bold()) style.Include(fsBold);
  if (chosen.italic()) style.Include(fsItalic);
  if (chosen.underline()) style.Include(fsUnderline);
  if (chosen.strikeOut()) style.Include(fsStrikeOut);
  font.SetStyle(style);
  return true;
}

// ---------------------------------------------------------------- files

// "desc|*.a;*.b|desc2|*.c" as Qt's "desc (*.a *.b);;desc2 (*.c)".
QStringList QtFilters(const QString& filter) {
  QStringList out;
  const QStringList parts = filter.split(u'|');
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(u';', u' ');
    out << parts[i] + QStringLiteral(" (") + patterns + u')';
  }
  return out;
}

// The extension of a Qt filter's first pattern ("Bitmaps (*.bmp)" gives
// "bmp"); empty for a pattern such as "*" or "*.*".
QString FilterExtension(const QString& filter) {
  const QString pattern = filter.section(u'(', -1).section(u')', 0, 0).section(u' ', 0, 0);
  const QString ext = pattern.startsWith(QStringLiteral("*.")) ? pattern.mid(2) : QString();
  return ext.contains(u'*') || ext.contains(u'?') ? QString() : ext;
}

TFileDialogAnswer DefaultFileDialog(const TFileDialogRequest& r) {
  TFileDialogAnswer answer;
  answer.FilterIndex = r.FilterIndex;
  const bool save = r.Kind == TFileDialogKind::fdSave;
  if (Stray(QStringLiteral("%1 dialog \"%2\"").arg(save ? "save" : "open", r.Title))) return answer;
  QFileDialog dialog(r.Parent, r.Title, r.InitialDir);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!r.OverwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  const QStringList filters = QtFilters(r.Filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(std::max(0, r.FilterIndex - 1)));
  }
  if (!r.DefaultExt.isEmpty()) {
    dialog.setDefaultSuffix(r.DefaultExt);
    // A name typed without extension takes the extension of the file type
    // picked, so the name and the type written agree.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
      const QString ext = FilterExtension(f);
      if (!ext.isEmpty()) dialog.setDefaultSuffix(ext);
    });
  }
  if (!r.FileName.isEmpty()) dialog.selectFile(r.FileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return answer;
  answer.Accepted = true;
  answer.FileName = dialog.selectedFiles().front();
  const int index = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
  if (index >= 0) answer.FilterIndex = index + 1;
  return answer;
}

struct TFileDialogFolders {
  QString Data;
  QHash<QString, QString> LastUsed;  // by kind
};

TFileDialogFolders& Folders() {
  static TFileDialogFolders folders;
  return folders;
}

// The folder a dialog of Request's kind starts in.
QString StartFolder(const TFileDialogRequest& Request) {
  if (Request.FolderKind.isEmpty()) return Request.InitialDir;
  const QString last = Folders().LastUsed.value(Request.FolderKind);
  // A folder removed since is no place to start.
  if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
  return Request.InitialDir.isEmpty() ? Folders().Data : Request.InitialDir;
}

TFolderDialogAnswer DefaultFolderDialog(const TFolderDialogRequest& r) {
  TFolderDialogAnswer answer;
  if (Stray(QStringLiteral("folder dialog \"%1\"").arg(r.Title))) return answer;
  answer.Folder = QFileDialog::getExistingDirectory(r.Parent, r.Title, r.InitialDir);
  answer.Accepted = !answer.Folder.isEmpty();
  return answer;
}

bool DefaultPrinterSetup(TPrinter& printer, QWidget* parent) {
  if (Stray(QStringLiteral("printer set-up dialog"))) return false;
  QPrinter* qt = printer.QtPrinter();
  if (qt == nullptr) return false;
  // Paper, orientation and margins; choosing the printer is the caller's list.
  QPageSetupDialog dialog(qt, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool DefaultInputQuery(const TInputQueryRequest& r, QString& value) {
  if (Stray(QStringLiteral("input query \"%1\"").arg(r.Caption))) return false;
  const std::unique_ptr<QInputDialog> dialog = MakeInputQueryDialog(r, value);
  if (dialog->exec() != QDialog::Accepted) return false;
  value = dialog->textValue();
  return true;
}

std::vector<QDialog*>& OpenForms() {
  static std::vector<QDialog*> forms;
  return forms;
}

int DefaultShowModal(QDialog& dialog) {
  if (Stray(QStringLiteral("form \"%1\"").arg(dialog.windowTitle()))) return mrCancel;
  OpenForms().push_back(&dialog);
  TScopeGuard close(
      [&] { OpenForms().erase(std::find(OpenForms().begin(), OpenForms().end(), &dialog)); });
  return dialog.exec();
}

// The show sequence a user's exec would run, then the hook on the live
// form. The form is listed as open meanwhile, so forms opened by the
// hook's actions stack above it.
int HookedShowModal(QDialog& dialog, const TShowModalHook& hook) {
  QPointer<QDialog> alive(&dialog);
  OpenForms().push_back(&dialog);
  TScopeGuard close([&] {
    OpenForms().erase(std::find(OpenForms().begin(), OpenForms().end(), &dialog));
    if (alive) alive->hide();
  });
  dialog.setResult(mrNone);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  const int result = hook(dialog);
  if (alive) alive->setResult(result);
  return result;
}

// One slot per hook kind: the installed function, or the default.
template <class Hook>
struct Slot {
  explicit Slot(Hook d) : Default(std::move(d)), Current(Default) {}
  Hook Install(Hook h) {
    Hook previous = Current;
    Installed = static_cast<bool>(h);
    Current = h ? std::move(h) : Default;
    return previous;
  }
  Hook Default;
  Hook Current;
  bool Installed = false;  // Current is not the default
};

Slot<TMessageDialogHook>& MessageSlot() {
  static Slot<TMessageDialogHook> slot(&DefaultMessageDialog);
  return slot;
}
Slot<TColorDialogHook>& ColorSlot() {
  static Slot<TColorDialogHook> slot(&DefaultColorDialog);
  return slot;
}
Slot<TFontDialogHook>& FontSlot() {
  static Slot<TFontDialogHook> slot(&DefaultFontDialog);
  return slot;
}
Slot<TFileDialogHook>& FileSlot() {
  static Slot<TFileDialogHook> slot(&DefaultFileDialog);
  return slot;
}
Slot<TFolderDialogHook>& FolderSlot() {
  static Slot<TFolderDialogHook> slot(&DefaultFolderDialog);
  return slot;
}
Slot<TPrinterSetupHook>& PrinterSetupSlot() {
  static Slot<TPrinterSetupHook> slot(&DefaultPrinterSetup);
  return slot;
}
Slot<TInputQueryHook>& InputQuerySlot() {
  static Slot<TInputQueryHook> slot(&DefaultInputQuery);
  return slot;
}

Slot<TShowModalHook>& ShowModalSlot() {
  static Slot<TShowModalHook> slot(&DefaultShowModal);
  return slot;
}

}  // namespace

std::unique_ptr<QInputDialog> MakeInputQueryDialog(const TInputQueryRequest& Request,
                                                   const QString& Value) {
  auto dialog = std::make_unique<QInputDialog>(Request.Parent);
  dialog->setWindowTitle(Request.Caption);
  dialog->setLabelText(Request.Prompt);
  dialog->setInputMode(QInputDialog::TextInput);
  dialog->setTextValue(Value);
  // Narrow as the toolkit makes it, its caption would show cut.
  dialog->resize(dialog->sizeHint());
  FitWindowToTitle(*dialog);
  return dialog;
}

bool IsHeadlessDisplay() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return true;
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

TStrayModalHandler SetStrayModalHandler(TStrayModalHandler Handler) {
  TStrayModalHandler previous = StrayHandler();
  StrayHandler() = Handler ? std::move(Handler) : TStrayModalHandler(&AbortOnStrayModal);
  return previous;
}

TMessageDialogHook SetMessageDialogHook(TMessageDialogHook Hook) {
  return MessageSlot().Install(std::move(Hook));
}

int MessageDlg(const TMessageDialogRequest& Request) {
  return MessageSlot().Current(Request);
}

int MessageDlg(const QString& Text, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
               TMsgDlgBtn DefaultButton) {
  TMessageDialogRequest request;
  request.Text = Text;
  request.DlgType = DlgType;
  request.Buttons = Buttons;
  request.DefaultButton = DefaultButton;
  return MessageDlg(request);
}

bool ConfirmYesNo(const QString& Text, const QString& Caption, std::optional<QPoint> Position,
                  QWidget* Parent) {
  TMessageDialogRequest request;
  request.Caption = Caption;
  request.Text = Text;
  request.DlgType = TMsgDlgType::mtConfirmation;
  request.Buttons = mbYesNo;
  request.DefaultButton = mbYes;
  request.Position = Position;
  request.Parent = Parent;
  return MessageDlg(request) == mrYes;
}

TColorDialogHook SetColorDialogHook(TColorDialogHook Hook) {
  return ColorSlot().Install(std::move(Hook));
}

TColorDialogAnswer ExecuteColorDialog(const TColorDialogRequest& Request) {
  return ColorSlot().Current(Request);
}

TFontDialogHook SetFontDialogHook(TFontDialogHook Hook) {
  return FontSlot().Install(std::move(Hook));
}

bool ExecuteFontDialog(TFont& Font, QWidget* Parent) {
  return FontSlot().Current(Font, Parent);
}

TFileDialogHook SetFileDialogHook(TFileDialogHook Hook) {
  return FileSlot().Install(std::move(Hook));
}

TFileDialogAnswer ExecuteFileDialog(const TFileDialogRequest& Request) {
  TFileDialogRequest request = Request;
  request.InitialDir = StartFolder(Request);
  const TFileDialogAnswer answer = FileSlot().Current(request);
  if (answer.Accepted) RememberFileDialogFolder(request.FolderKind, answer.FileName);
  return answer;
}

void RememberFileDialogFolder(const QString& Kind, const QString& FileName) {
  if (!Kind.isEmpty() && !FileName.isEmpty())
    Folders().LastUsed[Kind] = QFileInfo(FileName).absolutePath();
}

void SetDataFolder(const QString& Folder) {
  Folders().Data = Folder;
}

QString DataFolder() {
  return Folders().Data;
}

QString LastFileDialogFolder(const QString& Kind) {
  return Folders().LastUsed.value(Kind);
}

void ForgetFileDialogFolders() {
  Folders() = TFileDialogFolders();
}

TFolderDialogHook SetFolderDialogHook(TFolderDialogHook Hook) {
  return FolderSlot().Install(std::move(Hook));
}

TFolderDialogAnswer ExecuteFolderDialog(const TFolderDialogRequest& Request) {
  return FolderSlot().Current(Request);
}

TPrinterSetupHook SetPrinterSetupHook(TPrinterSetupHook Hook) {
  return PrinterSetupSlot().Install(std::move(Hook));
}

bool ExecutePrinterSetupDialog(TPrinter& Printer, QWidget* Parent) {
  return PrinterSetupSlot().Current(Printer, Parent);
}

TInputQueryHook SetInputQueryHook(TInputQueryHook Hook) {
  return InputQuerySlot().Install(std::move(Hook));
}

bool InputQuery(const TInputQueryRequest& Request, QString& Value) {
  return InputQuerySlot().Current(Request, Value);
}

TShowModalHook SetShowModalHook(TShowModalHook Hook) {
  return ShowModalSlot().Install(std::move(Hook));
}

int ShowModal(QDialog& Dialog) {
  const std::vector<QDialog*>& open = OpenForms();
  if (std::find(open.begin(), open.end(), &Dialog) != open.end()) return mrCancel;
  const Slot<TShowModalHook>& slot = ShowModalSlot();
  if (!slot.Installed) return DefaultShowModal(Dialog);
  // A copy: an answer may install another hook while this one runs.
  const TShowModalHook hook = slot.Current;
  return HookedShowModal(Dialog, hook);
}

std::vector<QDialog*> OpenModalForms() {
  return OpenForms();
}
