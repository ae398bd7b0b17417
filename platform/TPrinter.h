#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QPainter;
class QPrinter;
class TCanvas;

enum TPrinterOrientation { poPortrait, poLandscape };

// A printer that writes its pages into a PDF file. A list of them can stand
// in for the installed printers, so print paths run where none is installed.
struct TPdfPrinter {
  QString Name;
  QString FileName;
  QSizeF PageSizeMM;  // portrait width and height
  int Resolution = 300;
};

// The print job of the program over a QPrinter. It prints on an installed
// printer, or into a PDF file with a given page size and resolution (tests,
// and printing to a file). Where the user chooses a printer, the choices
// are the printers followed by a PDF file, named when the print starts; it
// is offered also when no printer is installed. Every misuse and every
// missing printer raises EPrinter with a clear message; nothing is
// silently skipped.
//
// Units: PageWidth/PageHeight are device pixels of the printable area at
// the device resolution (XPixelsPerInch/YPixelsPerInch), which is also the
// resolution of Canvas.
class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // Prints into FileName as PDF pages of PageSizeMM (portrait width and
  // height in millimetres) at Resolution dots per inch; the whole page is
  // printable. PDF page boxes are in whole points (1/72 inch), so the size
  // is rounded to those. Not while printing.
  void SetPdfOutput(const QString& FileName, const QSizeF& PageSizeMM, int Resolution);
  bool IsPdfOutput() const { return FPdfOutput; }

  // Replaces the installed printers by PDF printers and selects the first;
  // an empty list brings the installed ones back. Not while printing.
  void SetPdfPrinters(std::vector<TPdfPrinter> Value);

  // Names of the installed (or standing-in) printers; empty when there is none.
  QStringList Printers() const;
  // Index into Printers(), -1 for the system's default printer (or the PDF
  // file). Setting an index leaves PDF output; an invalid index raises.
  int GetPrinterIndex() const { return FPrinterIndex; }
  void SetPrinterIndex(int Value);
  // Whether there is anything to print on (an installed printer or a PDF file).
  bool HasPrinter() const;

  // The choice that prints into a PDF file.
  static const QString PdfFileChoice;
  // Printers() followed by PdfFileChoice.
  QStringList Choices() const;
  // Index into Choices() of what prints now.
  int GetChoiceIndex() const;
  // Chooses a printer of Choices(), or with the last index the PDF file:
  // its pages keep the paper size and orientation in use, and the file is
  // named (SetPdfFileName) before the print starts. Not while printing.
  void SetChoiceIndex(int Value);
  bool GetPdfFileChosen() const { return FPdfFileChosen; }
  // The file the PDF file choice prints into; empty while not named.
  QString GetPdfFileName() const;
  void SetPdfFileName(const QString& Value);
  // Takes over what a print dialog chose on QtPrinter(): an installed
  // printer, or a PDF file.
  void AdoptDialogChoice();

  TPrinterOrientation GetOrientation() const;
  // Raises EPrinter while printing.
  void SetOrientation(TPrinterOrientation Value);
  const QString& GetTitle() const { return FTitle; }
  void SetTitle(const QString& Value) { FTitle = Value; }

  // Raise EPrinter when there is no printer.
  int GetPageWidth() const;
  int GetPageHeight() const;
  int GetXPixelsPerInch() const;
  int GetYPixelsPerInch() const;

  bool GetPrinting() const { return FPrinting; }
  bool GetAborted() const { return FAborted; }
  // 1 for the first page of the job in progress, 0 when not printing.
  int GetPageNumber() const { return FPageNumber; }

  // Starts a job titled Title on page 1. Raises EPrinter when printing
  // already, when there is no printer, or when the device cannot be opened.
  void BeginDoc();
  void NewPage();
  // Finishes the job (raises EPrinter when not printing).
  void EndDoc();
  // Stops the job in progress: the pages are not delivered (a PDF file is
  // removed). Does nothing when not printing, so failure paths may call it.
  void Abort();

  // The canvas of the page being printed; raises EPrinter when not printing.
  TCanvas& GetCanvas();
  // The painter beneath the canvas, for drawing that is not the canvas's
  // (rich text); raises EPrinter when not printing.
  QPainter& GetPainter();

  // For platform/ code (the set-up dialog): the underlying printer.
  QPrinter* QtPrinter() { return FPrinter.get(); }

 private:
  void CheckNotPrinting(const char* What) const;
  void CheckHasPrinter() const;
  void FinishJob();

  std::unique_ptr<QPrinter> FPrinter;
  // Configures FPrinter for PDF output of the given page size (no checks).
  void UsePdf(const QString& FileName, const QSizeF& PageSizeMM, int Resolution);

  bool FPdfOutput = false;
  bool FPdfFileChosen = false;  // the user's PDF file choice (a kind of PDF output)
  std::vector<TPdfPrinter> FPdfPrinters;
  int FPrinterIndex = -1;
  QString FTitle;
  bool FPrinting = false;
  bool FAborted = false;
  int FPageNumber = 0;
  // Job state, alive only while printing; the canvas goes before the painter.
  std::unique_ptr<QPainter> FPainter;
  std::unique_ptr<TCanvas> FCanvas;
};

// The program's printer (created on first use).
TPrinter& Printer();
