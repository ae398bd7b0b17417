#include "app/report/ReportPage.h"

#include <QMarginsF>
#include <QPageSize>
#include <QTextDocument>
#include <QVariantList>

#include <cmath>
#include <string_view>

namespace {

// The page travels with its document, so every reader, writer and printer of
// the document sees the same one.
const char* const PageProperty = "KorvaleReportPage";

int Twips(double Points) {
  return static_cast<int>(std::lround(Points * ReportPage::TwipsPerInch / 72.0));
}

double Points(int Twips) {
  return Twips * 72.0 / ReportPage::TwipsPerInch;
}

bool IsLetter(char C) {
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

bool IsDigit(char C) {
  return C >= '0' && C <= '9';
}

// The page words of the document formatting, which comes before the first
// paragraph: the scan stops there, so a long document is not read twice.
class PageScanner {
 public:
  PageScanner(const QByteArray& AData, ReportPage& APage) : FData(AData), FPage(APage) {}

  void Run() {
    int depth = 0;
    while (FAt < FData.size()) {
      const char c = FData[FAt++];
      if (c == '{') {
        ++depth;
      } else if (c == '}') {
        if (--depth <= 0) return;
      } else if (c == '\\' && !ControlWord(depth)) {
        return;
      }
    }
  }

 private:
  // False when the word ends the document formatting.
  bool ControlWord(int Depth) {
    const qsizetype start = FAt;
    while (FAt < FData.size() && IsLetter(FData[FAt])) ++FAt;
    if (FAt == start) {
      ++FAt;  // a control symbol such as "\{" or "\'e9"
      return true;
    }
    const std::string_view word(FData.constData() + start, static_cast<size_t>(FAt - start));
    long long value = 0;
    const bool negative = FAt < FData.size() && FData[FAt] == '-';
    if (negative) ++FAt;
    const qsizetype digits = FAt;
    // More digits than any page measure has would only overflow.
    while (FAt < FData.size() && IsDigit(FData[FAt])) {
      if (FAt - digits < 9) value = value * 10 + (FData[FAt] - '0');
      ++FAt;
    }
    const bool hasValue = FAt > digits;
    if (negative) value = -value;
    if (FAt < FData.size() && FData[FAt] == ' ') ++FAt;
    if (word == "bin" && hasValue && value > 0) {
      FAt += std::min<qsizetype>(value, FData.size() - FAt);  // binary data holds no words
      return true;
    }
    if (Depth != 1) return true;
    if (word == "pard" || word == "par" || word == "sectd") return false;
    if (hasValue) Store(word, static_cast<int>(value));
    return true;
  }

  void Store(std::string_view Word, int Value) {
    if (Word == "paperw") FPage.PaperWidth = Value;
    if (Word == "paperh") FPage.PaperHeight = Value;
    if (Word == "margl") FPage.MarginLeft = Value;
    if (Word == "margr") FPage.MarginRight = Value;
    if (Word == "margt") FPage.MarginTop = Value;
    if (Word == "margb") FPage.MarginBottom = Value;
  }

  const QByteArray& FData;
  ReportPage& FPage;
  qsizetype FAt = 0;
};

}  // namespace

bool ReportPage::IsUsable() const {
  const auto paper = [](int Side) { return Side >= MinTextTwips && Side <= MaxPaperTwips; };
  return paper(PaperWidth) && paper(PaperHeight) && MarginLeft >= 0 && MarginRight >= 0 &&
         MarginTop >= 0 && MarginBottom >= 0 && TextWidth() >= MinTextTwips &&
         TextHeight() >= MinTextTwips;
}

QPageLayout ReportPage::ToPageLayout() const {
  const bool landscape = PaperWidth > PaperHeight;
  const QSizeF portrait = landscape ? QSizeF(Points(PaperHeight), Points(PaperWidth))
                                    : QSizeF(Points(PaperWidth), Points(PaperHeight));
  const QPageSize size(portrait, QPageSize::Point, QString(), QPageSize::FuzzyMatch);
  QPageLayout layout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                     QPageLayout::Point);
  // Margins beyond what the paper allows are the printer's concern; the
  // layout takes them as they are.
  layout.setMode(QPageLayout::FullPageMode);
  layout.setMargins(
      QMarginsF(Points(MarginLeft), Points(MarginTop), Points(MarginRight), Points(MarginBottom)));
  return layout;
}

ReportPage ReportPage::FromPageLayout(const QPageLayout& Layout) {
  ReportPage page;
  const QSizeF paper = Layout.fullRect(QPageLayout::Point).size();
  const QMarginsF margins = Layout.margins(QPageLayout::Point);
  page.PaperWidth = Twips(paper.width());
  page.PaperHeight = Twips(paper.height());
  page.MarginLeft = Twips(margins.left());
  page.MarginRight = Twips(margins.right());
  page.MarginTop = Twips(margins.top());
  page.MarginBottom = Twips(margins.bottom());
  return page;
}

ReportPage ReportPage::Of(const QTextDocument& Document) {
  const QVariantList values = Document.property(PageProperty).toList();
  if (values.size() != 6) return ReportPage();
  ReportPage page;
  int* const fields[] = {&page.PaperWidth,  &page.PaperHeight, &page.MarginLeft,
                         &page.MarginRight, &page.MarginTop,   &page.MarginBottom};
  for (int i = 0; i < 6; ++i) *fields[i] = values[i].toInt();
  return page.IsUsable() ? page : ReportPage();
}

void ReportPage::SetOn(QTextDocument& Document) const {
  Document.setProperty(PageProperty, QVariantList{PaperWidth, PaperHeight, MarginLeft, MarginRight,
                                                  MarginTop, MarginBottom});
}

QByteArray ReportPage::RtfWords() const {
  return "\\paperw" + QByteArray::number(PaperWidth) + "\\paperh" +
         QByteArray::number(PaperHeight) + "\\margl" + QByteArray::number(MarginLeft) + "\\margr" +
         QByteArray::number(MarginRight) + "\\margt" + QByteArray::number(MarginTop) + "\\margb" +
         QByteArray::number(MarginBottom);
}

ReportPage ReportPage::FromRtf(const QByteArray& Data, const ReportPage& Default) {
  ReportPage page = Default;
  PageScanner(Data, page).Run();
  return page.IsUsable() ? page : Default;
}

ReportPage ReportPage::FromRtf(const QByteArray& Data) {
  return FromRtf(Data, ReportPage());
}
