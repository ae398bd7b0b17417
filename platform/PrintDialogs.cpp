#include "platform/PrintDialogs.h"

#include "platform/ModalHooks.h"
#include "platform/TPrinter.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

namespace {

const QString PrintsKind = QStringLiteral("prints");

// Where a print into a PDF file goes unless the user says otherwise: the
// folder of the last one, else the data folder, else the home folder.
QString ProposedPdfFile(const QPrinter& Target) {
  QString folder = LastFileDialogFolder(PrintsKind);
  if (folder.isEmpty()) folder = DataFolder().trimmed();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  const QString name = Target.docName().isEmpty() ? QStringLiteral("print") : Target.docName();
  return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

}  // namespace

bool ExecutePrintDialog(TPrinter& Printer, int MinPage, int MaxPage, QWidget* Parent) {
  QPrinter* target = Printer.QtPrinter();
  // The dialog would otherwise offer a folder as the file to print into.
  if (target->outputFormat() == QPrinter::PdfFormat && target->outputFileName().isEmpty())
    target->setOutputFileName(ProposedPdfFile(*target));
  QPrintDialog dialog(target, Parent);
  if (MinPage >= 1 && MaxPage >= MinPage) {
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(MinPage, MaxPage);
    target->setFromTo(MinPage, MaxPage);
  }
  if (ShowModal(dialog) != mrOk) return false;
  Printer.AdoptDialogChoice();
  if (Printer.GetPdfFileChosen()) RememberFileDialogFolder(PrintsKind, Printer.GetPdfFileName());
  return true;
}

bool AskPdfFileName(TPrinter& Printer, QWidget* Parent) {
  if (!Printer.GetPdfFileChosen()) return true;
  TFileDialogRequest request;
  request.Kind = TFileDialogKind::fdSave;
  request.Title = QStringLiteral("Print to PDF file");
  request.Filter = QStringLiteral("PDF files (*.pdf)|*.pdf|All files (*.*)|*.*");
  request.DefaultExt = QStringLiteral("pdf");
  request.OverwritePrompt = true;
  request.FolderKind = PrintsKind;
  request.Parent = Parent;
  const TFileDialogAnswer answer = ExecuteFileDialog(request);
  if (!answer.Accepted || answer.FileName.isEmpty()) return false;
  QString name = answer.FileName;
  if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".pdf");
  Printer.SetPdfFileName(name);
  return true;
}
