#include "platform/TPrinter.h"

#include "platform/Exception.h"
#include "platform/TCanvas.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace {

constexpr int PdfFileResolution = 300;  // dots per inch: sharp, and bitmaps stay small

}  // namespace

const QString TPrinter::PdfFileChoice = QStringLiteral("PDF file");

TPrinter::TPrinter() : FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

TPrinter::~TPrinter() {
  Abort();
}

void TPrinter::CheckNotPrinting(const char* What) const {
  if (FPrinting)
    throw EPrinter(
        QStringLiteral("Cannot %1 while printing is in progress").arg(QLatin1String(What)));
}

void TPrinter::CheckHasPrinter() const {
  if (!HasPrinter())
    throw EPrinter(QStringLiteral("There is no default printer currently selected"));
}

void TPrinter::SetPdfOutput(const QString& FileName, const QSizeF& PageSizeMM, int Resolution) {
  CheckNotPrinting("change the printer");
  if (FileName.isEmpty() || !PageSizeMM.isValid() || PageSizeMM.isEmpty() || Resolution <= 0)
    throw EPrinter(QStringLiteral("Invalid PDF page size, resolution or file name"));
  UsePdf(FileName, PageSizeMM, Resolution);
  FPrinterIndex = -1;
  FPdfFileChosen = false;
}

void TPrinter::UsePdf(const QString& FileName, const QSizeF& PageSizeMM, int Resolution) {
  const QPageLayout::Orientation orientation = FPrinter->pageLayout().orientation();
  FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
  FPrinter->setOutputFormat(QPrinter::PdfFormat);
  FPrinter->setOutputFileName(FileName);
  FPrinter->setResolution(Resolution);
  FPrinter->setPageSize(QPageSize(PageSizeMM, QPageSize::Millimeter));
  FPrinter->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  FPrinter->setFullPage(true);
  FPrinter->setPageOrientation(orientation);
  FPdfOutput = true;
}

void TPrinter::SetPdfPrinters(std::vector<TPdfPrinter> Value) {
  CheckNotPrinting("change the printer");
  for (const TPdfPrinter& P : Value)
    if (P.FileName.isEmpty() || !P.PageSizeMM.isValid() || P.PageSizeMM.isEmpty() ||
        P.Resolution <= 0)
      throw EPrinter(QStringLiteral("Invalid PDF page size, resolution or file name"));
  FPdfPrinters = std::move(Value);
  FPdfOutput = false;
  FPdfFileChosen = false;
  FPrinterIndex = -1;
  if (FPdfPrinters.empty()) {
    const QPageLayout::Orientation orientation = FPrinter->pageLayout().orientation();
    FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    FPrinter->setPageOrientation(orientation);
  } else {
    SetPrinterIndex(0);
  }
}

QStringList TPrinter::Printers() const {
  if (!FPdfPrinters.empty()) {
    QStringList Names;
    for (const TPdfPrinter& P : FPdfPrinters) Names << P.Name;
    return Names;
  }
  return QPrinterInfo::availablePrinterNames();
}

void TPrinter::SetPrinterIndex(int Value) {
  CheckNotPrinting("change the printer");
  const QStringList names = Printers();
  if (Value < -1 || Value >= names.size())
    throw EPrinter(QStringLiteral("Printer selected is not valid"));
  FPdfFileChosen = false;
  if (!FPdfPrinters.empty()) {
    // The first stand-in printer is the default one.
    const TPdfPrinter& P = FPdfPrinters[std::max(0, Value)];
    UsePdf(P.FileName, P.PageSizeMM, P.Resolution);
    FPrinterIndex = std::max(0, Value);
    return;
  }
  const QPageLayout::Orientation orientation = FPrinter->pageLayout().orientation();
  FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (Value >= 0) FPrinter->setPrinterName(names[Value]);
  FPrinter->setPageOrientation(orientation);
  FPdfOutput = false;
  FPrinterIndex = Value;
}

bool TPrinter::HasPrinter() const {
  return FPdfOutput || !Printers().isEmpty();
}

QStringList TPrinter::Choices() const {
  return Printers() << PdfFileChoice;
}

int TPrinter::GetChoiceIndex() const {
  if (FPdfFileChosen) return static_cast<int>(Printers().size());
  return std::max(0, FPrinterIndex);
}

void TPrinter::SetChoiceIndex(int Value) {
  CheckNotPrinting("change the printer");
  const int pdf = static_cast<int>(Printers().size());
  if (Value != pdf) {
    SetPrinterIndex(Value);
    return;
  }
  const QSizeF portrait = FPrinter->pageLayout().pageSize().size(QPageSize::Millimeter);
  UsePdf(QString(), portrait, PdfFileResolution);
  FPrinterIndex = -1;
  FPdfFileChosen = true;
}

QString TPrinter::GetPdfFileName() const {
  return FPdfOutput ? FPrinter->outputFileName() : QString();
}

void TPrinter::SetPdfFileName(const QString& Value) {
  CheckNotPrinting("change the printer");
  if (!FPdfFileChosen) throw EPrinter(QStringLiteral("No PDF file is chosen to print into"));
  FPrinter->setOutputFileName(Value);
}

void TPrinter::AdoptDialogChoice() {
  CheckNotPrinting("change the printer");
  if (FPrinter->outputFormat() == QPrinter::PdfFormat) {
    if (FPrinter->outputFileName().isEmpty()) return;  // nothing chosen to print on
    const auto standIn = std::find_if(FPdfPrinters.begin(), FPdfPrinters.end(), [&](auto& P) {
      return P.FileName == FPrinter->outputFileName();
    });
    FPdfOutput = true;
    FPdfFileChosen = standIn == FPdfPrinters.end();
    FPrinterIndex = FPdfFileChosen ? -1 : static_cast<int>(standIn - FPdfPrinters.begin());
    return;
  }
  FPdfOutput = false;
  FPdfFileChosen = false;
  FPrinterIndex = static_cast<int>(Printers().indexOf(FPrinter->printerName()));
}

TPrinterOrientation TPrinter::GetOrientation() const {
  return FPrinter->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
  CheckNotPrinting("change the orientation");
  FPrinter->setPageOrientation(Value == poLandscape ? QPageLayout::Landscape
                                                    : QPageLayout::Portrait);
}

int TPrinter::GetPageWidth() const {
  CheckHasPrinter();
  return FPrinter->width();
}

int TPrinter::GetPageHeight() const {
  CheckHasPrinter();
  return FPrinter->height();
}

int TPrinter::GetXPixelsPerInch() const {
  CheckHasPrinter();
  return FPrinter->logicalDpiX();
}

int TPrinter::GetYPixelsPerInch() const {
  CheckHasPrinter();
  return FPrinter->logicalDpiY();
}

void TPrinter::BeginDoc() {
  CheckNotPrinting("begin a new document");
  CheckHasPrinter();
  if (FPdfFileChosen && FPrinter->outputFileName().isEmpty())
    throw EPrinter(QStringLiteral("No PDF file was named to print into"));
  FPrinter->setDocName(FTitle);
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(FPrinter.get())) {
    throw EPrinter(
        FPdfOutput
            ? QStringLiteral("Cannot write the print file \"%1\"").arg(FPrinter->outputFileName())
            : QStringLiteral("The printer \"%1\" cannot be opened").arg(FPrinter->printerName()));
  }
  FPainter = std::move(painter);
  FCanvas = std::make_unique<TCanvas>(*FPainter, GetXPixelsPerInch());
  FPrinting = true;
  FAborted = false;
  FPageNumber = 1;
}

void TPrinter::NewPage() {
  if (!FPrinting) throw EPrinter(QStringLiteral("Printer is not printing"));
  if (!FPrinter->newPage()) throw EPrinter(QStringLiteral("The printer cannot start a new page"));
  ++FPageNumber;
}

void TPrinter::FinishJob() {
  FCanvas.reset();
  if (FPainter) FPainter->end();
  FPainter.reset();
  FPrinting = false;
  FPageNumber = 0;
}

void TPrinter::EndDoc() {
  if (!FPrinting) throw EPrinter(QStringLiteral("Printer is not printing"));
  FinishJob();
}

void TPrinter::Abort() {
  if (!FPrinting) return;
  FPrinter->abort();
  FinishJob();
  FAborted = true;
  // A PDF writer has no abort: the half-written file must not pass for output.
  if (FPdfOutput) QFile::remove(FPrinter->outputFileName());
}

TCanvas& TPrinter::GetCanvas() {
  if (!FPrinting || !FCanvas) throw EPrinter(QStringLiteral("Printer is not printing"));
  return *FCanvas;
}

QPainter& TPrinter::GetPainter() {
  if (!FPrinting || !FPainter) throw EPrinter(QStringLiteral("Printer is not printing"));
  return *FPainter;
}

namespace {

std::unique_ptr<TPrinter>& GlobalPrinter() {
  static std::unique_ptr<TPrinter> printer;
  return printer;
}

// The printer's Qt objects must go before the application object does.
void FreeGlobalPrinter() {
  GlobalPrinter().reset();
}

}  // namespace

TPrinter& Printer() {
  if (!GlobalPrinter()) {
    GlobalPrinter() = std::make_unique<TPrinter>();
    qAddPostRoutine(&FreeGlobalPrinter);
  }
  return *GlobalPrinter();
}
