#include "chart/editor/TSeriesDataHTML.h"

#include "chart/core/KorEngine.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// A cell with Text as it should read; "<" and "&" in a label would
// otherwise be taken for mark-up.
QString Cell(const QString& Text) {
  return QStringLiteral("<td>") + Text.toHtmlEscaped() + QStringLiteral("</td>");
}

}  // namespace

TSeriesDataHTML::TSeriesDataHTML(TCustomChart* AChart, TChartSeries* ASeries)
    : TSeriesData(AChart, ASeries) {}

QString TSeriesDataHTML::AsString() {
  Prepare();
  QString Result = QStringLiteral("<table border=\"1\">") + LineEnd;
  if (GetIncludeHeader()) Result += HeaderRow() + LineEnd;
  return Result + TSeriesData::AsString() + LineEnd + QStringLiteral("</table>");
}

QString TSeriesDataHTML::HeaderRow() const {
  QString Row = QStringLiteral("<tr>");
  if (GetIncludeIndex()) Row += Cell(Korconst::KorMsg_Index);
  for (const TChartSeries* Series : ExportedSeries()) {
    if (Has(tfLabel)) Row += Cell(Korconst::KorMsg_Text);
    if (Has(tfColor)) Row += Cell(Korconst::KorMsg_Colors);
    if (Has(tfNoMandatory)) Row += Cell(XList(*Series).GetName());
    if (Series->GetValuesList().Count() == 2) {
      Row += Cell(SeriesTitleOrName(Series));
    } else {
      Row += Cell(YList(*Series).GetName());
      for (const TChartValueList* List : FurtherLists(*Series)) Row += Cell(List->GetName());
    }
  }
  return Row + QStringLiteral("</tr>");
}

QString TSeriesDataHTML::PointToString(int Index) {
  QString Row = QStringLiteral("<tr>");
  if (GetIncludeIndex()) Row += Cell(QString::number(Index));
  for (const TChartSeries* Series : ExportedSeries()) {
    if (Index >= Series->Count()) {
      Row += QStringLiteral("<td></td>").repeated(ColumnCount(*Series));
      continue;
    }
    if (Has(tfLabel)) Row += Cell(Series->GetXLabel(Index));
    if (Has(tfColor)) Row += Cell(ColorText(Series->GetValueColor(Index)));
    if (Has(tfNoMandatory)) Row += Cell(XList(*Series).ToString(Index));
    Row += Cell(YList(*Series).ToString(Index));
    for (const TChartValueList* List : FurtherLists(*Series)) Row += Cell(List->ToString(Index));
  }
  return Row + QStringLiteral("</tr>");
}

int TSeriesDataHTML::ColumnCount(const TChartSeries& Series) const {
  return (Has(tfLabel) ? 1 : 0) + (Has(tfColor) ? 1 : 0) + (Has(tfNoMandatory) ? 1 : 0) +
         Series.GetValuesList().Count() - 1;
}
