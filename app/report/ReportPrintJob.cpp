#include "app/report/ReportPrintJob.h"

#include "app/report/ReportPage.h"
#include "app/report/ReportPicture.h"

#include "platform/Exception.h"
#include "platform/TPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <cmath>
#include <vector>

namespace {

constexpr double DotsPerMeterAt96 = ReportPage::PixelsPerInch / 0.0254;

// The pages to print, in order: every copy of the range, or each page as
// often as there are copies when they are not to be collated.
std::vector<int> PageSequence(int From, int To, int Copies, bool Collate) {
  std::vector<int> pages;
  for (int outer = 0; outer < (Collate ? Copies : 1); ++outer)
    for (int page = From; page <= To; ++page)
      for (int inner = 0; inner < (Collate ? 1 : Copies); ++inner) pages.push_back(page);
  return pages;
}

}  // namespace

ReportPrintJob::ReportPrintJob(const QTextDocument& Document)
    : FDocument(Document), FMeasure(1, 1, QImage::Format_RGB32) {
  FMeasure.setDotsPerMeterX(static_cast<int>(std::lround(DotsPerMeterAt96)));
  FMeasure.setDotsPerMeterY(static_cast<int>(std::lround(DotsPerMeterAt96)));
}

ReportPrintJob::~ReportPrintJob() = default;

QRectF ReportPrintJob::LayOut(const QPrinter& Printer) {
  const ReportPage report = ReportPage::Of(FDocument);
  const QPageLayout layout = Printer.pageLayout();
  const double resolution = Printer.resolution();
  // On the printer's paper, with the report's margins.
  ReportPage page = ReportPage::FromPageLayout(layout);
  page.MarginLeft = report.MarginLeft;
  page.MarginRight = report.MarginRight;
  page.MarginTop = report.MarginTop;
  page.MarginBottom = report.MarginBottom;
  if (!page.IsUsable())
    throw EPrinter(QStringLiteral("The paper leaves no room for the report's text"));
  FCopy.reset(FDocument.clone());
  FCopy->documentLayout()->setPaintDevice(&FMeasure);
  FCopy->setDocumentMargin(0);
  page.SetOn(*FCopy);
  FitReportPictures(*FCopy);
  const double perTwip = ReportPage::PixelsPerInch / ReportPage::TwipsPerInch;
  FCopy->setPageSize(QSizeF(page.TextWidth() * perTwip, page.TextHeight() * perTwip));
  // Device pixels start at the printable area unless the whole page is.
  const QPointF origin =
      Printer.fullPage() ? QPointF() : layout.paintRectPixels(resolution).topLeft();
  const double deviceTwip = resolution / ReportPage::TwipsPerInch;
  return QRectF(QPointF(page.MarginLeft * deviceTwip, page.MarginTop * deviceTwip) - origin,
                QSizeF(page.TextWidth() * deviceTwip, page.TextHeight() * deviceTwip));
}

int ReportPrintJob::PageCount(const QPrinter& Printer) {
  LayOut(Printer);
  return FCopy->pageCount();
}

void ReportPrintJob::Print(TPrinter& Printer) {
  QPrinter& device = *Printer.QtPrinter();
  const QRectF body = LayOut(device);
  const int count = FCopy->pageCount();
  int from = 1;
  int to = count;
  if (device.printRange() == QPrinter::PageRange && device.fromPage() > 0) {
    from = std::max(1, device.fromPage());
    to = std::min(count, std::max(from, device.toPage()));
  }
  if (from > to) throw EPrinter(QStringLiteral("The pages chosen are not in the report"));
  // A printer that makes copies itself gets the pages once.
  const int copies = device.supportsMultipleCopies() ? 1 : std::max(1, device.copyCount());
  const std::vector<int> pages = PageSequence(from, to, copies, device.collateCopies());
  const double scale = device.resolution() / ReportPage::PixelsPerInch;
  Printer.BeginDoc();
  try {
    for (size_t i = 0; i < pages.size(); ++i) {
      if (i > 0) Printer.NewPage();
      DrawPage(Printer.GetPainter(), pages[i], body, scale);
    }
  } catch (...) {
    Printer.Abort();
    throw;
  }
  Printer.EndDoc();
}

void ReportPrintJob::DrawPage(QPainter& Painter, int Page, const QRectF& Body, double Scale) {
  const QSizeF size = FCopy->pageSize();
  const QRectF shown(0, (Page - 1) * size.height(), size.width(), size.height());
  Painter.save();
  Painter.translate(Body.topLeft());
  Painter.scale(Scale, Scale);
  Painter.translate(0, -shown.top());
  Painter.setClipRect(shown);
  QAbstractTextDocumentLayout::PaintContext context;
  // A line moved to the next page starts exactly at this page's end: it
  // must not leave a hairline here.
  context.clip = shown.adjusted(0, 0, 0, -0.5);
  context.palette.setColor(QPalette::Text, Qt::black);
  FCopy->documentLayout()->draw(&Painter, context);
  Painter.restore();
}
