#pragma once

#include <QByteArray>
#include <QPageLayout>

class QTextDocument;

// The page a report is laid out on (data role): paper size and margins in
// twips (1440 per inch), as rich-text files state them. Pictures are never
// wider than its text width; the saved file states it, so other readers lay
// the report out on the same page. New reports are laid out on Letter paper
// with margins of one inch.
struct ReportPage {
  static constexpr int TwipsPerInch = 1440;
  static constexpr double PixelsPerInch = 96.0;  // the editor's measure of pictures
  // What a page read from a file must leave at least: half an inch of text
  // width and height, on paper of at most 200 inches.
  static constexpr int MinTextTwips = TwipsPerInch / 2;
  static constexpr int MaxPaperTwips = 200 * TwipsPerInch;

  int PaperWidth = 12240;  // 8.5 inches
  int PaperHeight = 15840;
  int MarginLeft = TwipsPerInch;
  int MarginRight = TwipsPerInch;
  int MarginTop = TwipsPerInch;
  int MarginBottom = TwipsPerInch;

  friend bool operator==(const ReportPage&, const ReportPage&) = default;

  int TextWidth() const { return PaperWidth - MarginLeft - MarginRight; }
  int TextHeight() const { return PaperHeight - MarginTop - MarginBottom; }
  double TextWidthPixels() const { return TextWidth() * PixelsPerInch / TwipsPerInch; }
  // A page that leaves room for text on paper of a size that exists.
  bool IsUsable() const;

  QPageLayout ToPageLayout() const;
  // The page of Layout, rounded to whole twips.
  static ReportPage FromPageLayout(const QPageLayout& Layout);

  // The page Document is laid out on; the default page for a document
  // that was given none.
  static ReportPage Of(const QTextDocument& Document);
  void SetOn(QTextDocument& Document) const;

  // The rich-text words that state the page.
  QByteArray RtfWords() const;
  // The page a rich-text file states in its document formatting; what it
  // does not state keeps the value of Default. A page that would leave no
  // room for text gives Default.
  static ReportPage FromRtf(const QByteArray& Data, const ReportPage& Default);
  static ReportPage FromRtf(const QByteArray& Data);
};
