#include "chart/editor/TFastLineSeriesEditor.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"

#include "chart/core/TButtonColor.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TComboFlat.h"
#include "chart/series/TFastLineSeries.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TFormBuilder.h"

#include <QCheckBox>
#include <QPushButton>
#include <QShowEvent>

#include <utility>

TFastLineSeriesEditor::TFastLineSeriesEditor(QWidget* Parent) : TPenDialog(Parent) {
  setObjectName(QStringLiteral("FastLineSeriesEditor"));
  // Edits apply at once on the page; there is nothing to confirm.
  BOK->setVisible(false);
  BCancel->setVisible(false);
  TFormBuilder B(*this);
  auto Check = [&B](const char* Name, const char* Caption, int Top) {
    return B.Add<QCheckBox>(QString::fromLatin1(Name), QString::fromUtf8(Caption), 192, Top, 96,
                            17);
  };
  CBDrawAll = Check("CBDrawAll", "Draw &All", 8);
  CBStairs = Check("CBStairs", "&Stairs", 32);
  CBInvStairs = Check("CBInvStairs", "&Inverted", 56);
  CBIgnoreNulls = Check("CBIgnoreNulls", "&Ignore Nulls", 80);
  // Docked pages are sized by the page.
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  resize(296, 128);

  connect(CBDrawAll, &QCheckBox::clicked, this, [this] { Apply([this] { CBDrawAllClick(); }); });
  connect(CBStairs, &QCheckBox::clicked, this, [this] { Apply([this] { CBStairsClick(); }); });
  connect(CBInvStairs, &QCheckBox::clicked, this,
          [this] { Apply([this] { CBInvStairsClick(); }); });
  connect(CBIgnoreNulls, &QCheckBox::clicked, this,
          [this] { Apply([this] { CBIgnoreNullsClick(); }); });
  BColor->OnClick = [this](TKorButton*) {
    RunGuarded([this] {
      BColorClick();
      PenColorChosen();
    });
  };
}

template <class Body>
void TFastLineSeriesEditor::Apply(Body&& Edit) {
  if (FLoading || Series == nullptr) return;
  if (!RunGuarded(std::forward<Body>(Edit))) RunGuarded([this] { LoadSeries(); });
}

void TFastLineSeriesEditor::showEvent(QShowEvent* Event) {
  if (!Event->spontaneous()) RunGuarded([this] { LoadSeries(); });
  TPenDialog::showEvent(Event);
}

void TFastLineSeriesEditor::LoadSeries() {
  Series = dynamic_cast<TFastLineSeries*>(KorFormObject(*this));
  if (Series == nullptr) return;
  FLoading = true;
  const TScopeGuard Loaded([this] { FLoading = false; });
  SetPen(&Series->GetLinePen());
  CBDrawAll->setChecked(Series->GetDrawAllPoints());
  CBStairs->setChecked(Series->GetStairs());
  CBInvStairs->setChecked(Series->GetInvertedStairs());
  CBInvStairs->setEnabled(Series->GetStairs());
  CBIgnoreNulls->setChecked(Series->GetIgnoreNulls());
}

void TFastLineSeriesEditor::CBDrawAllClick() {
  Series->SetDrawAll(CBDrawAll->isChecked());
}

void TFastLineSeriesEditor::CBStairsClick() {
  Series->SetStairs(CBStairs->isChecked());
  CBInvStairs->setEnabled(CBStairs->isChecked());
}

void TFastLineSeriesEditor::CBInvStairsClick() {
  Series->SetInvertedStairs(CBInvStairs->isChecked());
}

void TFastLineSeriesEditor::CBIgnoreNullsClick() {
  Series->SetIgnoreNulls(CBIgnoreNulls->isChecked());
}

void TFastLineSeriesEditor::PenColorChosen() {
  if (Series == nullptr || GetPen() == nullptr) return;
  Series->SetSeriesColor(GetPen()->GetColor());
  CBStyle->update();
}

void TFastLineSeriesEditor::reject() {
  if (!Docked()) TPenDialog::reject();
}

void RegisterFastLineSeriesEditor() {
  RegisterEditorForm(QStringLiteral("TFastLineSeriesEditor"),
                     [](QWidget* Parent) { return new TFastLineSeriesEditor(Parent); });
}
