#include "chart/editor/TChartEditorPanel.h"

#include "chart/core/TChartFootTitle.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TCustomChart.h"
#include "chart/editor/TChartEditForm.h"

#include <QVBoxLayout>

TChartEditorPanel::TChartEditorPanel(QWidget* Parent)
    : QFrame(Parent), FEditor(new TChartEditForm(this)) {
  setObjectName(QStringLiteral("ChartEditorPanel"));
  resize(409, 291);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  // A plain child widget: no frame, no window of its own.
  FEditor->setWindowFlags(Qt::Widget);
  FEditor->SetRememberPosition(false);
  FEditor->SetRememberSize(false);
  FEditor->PanBottom->setVisible(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
  layout->addWidget(FEditor);
}

TCustomChart* TChartEditorPanel::GetChart() const {
  return FEditor->GetChart();
}

void TChartEditorPanel::SetChart(TCustomChart* Value) {
  FEditor->SetChart(Value);
  // Shown already: the form fills its pages for the new chart now.
  if (FEditor->isVisible()) FEditor->FormShow();
}

void TChartEditorPanel::SelectUnderMouse() {
  TCustomChart* chart = GetChart();
  if (chart == nullptr) return;
  TChartClickedPart part;
  chart->CalcClickedPart(chart->GetCursorPos(), part);
  SelectPart(part);
}

void TChartEditorPanel::SelectPart(const TChartClickedPart& Part) {
  TCustomChart* chart = GetChart();
  if (chart == nullptr) return;
  TChartEditForm& form = *FEditor;
  auto openTitle = [&](TChartTitle& Title) {
    form.SetTheTitle(&Title);
    form.OpenPage(form.TabTitle);
  };
  switch (Part.Kind) {
    case cpLegend: form.OpenPage(form.TabLegend); return;
    case cpAxis:
      form.SetTheAxis(Part.Axis);
      form.OpenPage(form.TabAxis);
      return;
    case cpSeries:
    case cpSeriesMarks:
      form.SetEditSeries(Part.Series);
      form.SetSeriesTab(Part.Kind == cpSeriesMarks ? TEditorSeriesTab::estMarks
                                                   : TEditorSeriesTab::estFormat);
      form.OpenPage(form.TabSeries);
      return;
    case cpTitle: openTitle(chart->GetTitle()); return;
    case cpSubTitle: openTitle(chart->GetSubTitle()); return;
    case cpFoot: openTitle(chart->GetFoot()); return;
    case cpSubFoot: openTitle(chart->GetSubFoot()); return;
    default: form.OpenPage(form.TabPanel); return;
  }
}
