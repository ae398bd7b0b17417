#pragma once

#include <QImage>
#include <QRectF>

#include <memory>

class QPainter;
class QPrinter;
class QTextDocument;
class TPrinter;

// Prints a report (render role): a copy of the document laid out on the
// printer's paper with the report's margins (ReportPage), its pictures no
// wider than the text there, drawn page by page in the page range and
// number of copies the print dialog chose. The report itself is never
// changed.
class ReportPrintJob {
 public:
  explicit ReportPrintJob(const QTextDocument& Document);
  ~ReportPrintJob();
  ReportPrintJob(const ReportPrintJob&) = delete;
  ReportPrintJob& operator=(const ReportPrintJob&) = delete;

  // The number of pages the report takes on Printer's paper.
  int PageCount(const QPrinter& Printer);
  // Prints on Printer as its QtPrinter() was set by the print dialog.
  // Raises EPrinter when the print cannot start or go on (no partial PDF
  // file is left then), or when the paper leaves no room for the text.
  void Print(TPrinter& Printer);

 private:
  // Lays the copy out for Printer's paper; the text's rectangle on the
  // page in device pixels.
  QRectF LayOut(const QPrinter& Printer);
  void DrawPage(QPainter& Painter, int Page, const QRectF& Body, double Scale);

  const QTextDocument& FDocument;
  std::unique_ptr<QTextDocument> FCopy;
  // The copy is laid out on this device: 96 pixels per inch, as the
  // report's pictures are measured, whatever the screen.
  QImage FMeasure;
};
