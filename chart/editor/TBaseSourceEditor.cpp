#include "chart/editor/TBaseSourceEditor.h"

#include "chart/editor/KorEditorHelpers.h"

#include "chart/core/KorEngine.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TComboFlat.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TDataSourcesList.h"
#include "chart/core/TKorSeriesSource.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/TFormBuilder.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

TBaseSourceEditor::TBaseSourceEditor(QWidget* Parent) : QWidget(Parent), TComponent(nullptr) {
  setObjectName(QStringLiteral("BaseSourceEditor"));
  resize(440, 330);
  TFormBuilder B(*this);
  Pan = B.Add<QWidget>(QStringLiteral("Pan"), QString(), 0, 0, 440, 36);
  LLabel = TFormBuilder::AddTo<QLabel>(*Pan, QStringLiteral("LLabel"), QStringLiteral("&Source:"),
                                       8, 11, 64, 13);
  CBSources =
      TFormBuilder::AddTo<TComboFlat>(*Pan, QStringLiteral("CBSources"), QString(), 76, 7, 200, 21);
  BApply = TFormBuilder::AddTo<QPushButton>(*Pan, QStringLiteral("BApply"),
                                            QStringLiteral("&Apply"), 288, 5, 75, 25);
  LLabel->setBuddy(CBSources);
  BApply->setEnabled(false);
  connect(CBSources, &QComboBox::currentIndexChanged, this,
          [this] { RunGuarded([this] { CBSourcesChange(); }); });
  connect(BApply, &QPushButton::clicked, this, [this] { RunGuarded([this] { BApplyClick(); }); });
}

TBaseSourceEditor::~TBaseSourceEditor() {
  Destroying();
  SetSeries(nullptr);
}

void TBaseSourceEditor::SetSeries(TChartSeries* Value) {
  if (Value == TheSeries) return;
  if (TheSeries != nullptr) TheSeries->RemoveFreeNotification(this);
  TheSeries = Value;
  if (TheSeries != nullptr) TheSeries->FreeNotification(this);
}

void TBaseSourceEditor::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == TheSeries) TheSeries = nullptr;
}

void TBaseSourceEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TBaseSourceEditor::FormShow() {
  SetSeries(dynamic_cast<TChartSeries*>(KorFormObject(*this)));
  BApply->setEnabled(false);
}

void TBaseSourceEditor::CBSourcesChange() {
  BApply->setEnabled(true);
}

void TBaseSourceEditor::BApplyClick() {
  BApply->setEnabled(false);
}

bool TBaseSourceEditor::IsValid(TComponent*) const {
  return false;
}

void TBaseSourceEditor::AddComponentDataSource(TComponent* AComponent, QComboBox& List,
                                               bool AllowUsed) {
  if (AComponent == nullptr || TheSeries == nullptr) return;
  if (List.findData(QVariant::fromValue(static_cast<void*>(AComponent))) >= 0) return;
  if (!AllowUsed && TheSeries->GetDataSources().IndexOf(AComponent) >= 0) return;
  if (!IsValid(AComponent)) return;
  if (!FSkipValidation) {
    TCustomAxisPanel* Chart = TheSeries->GetParentChart();
    if (Chart == nullptr || !Chart->IsValidDataSource(TheSeries, AComponent)) return;
  }
  const auto* Series = dynamic_cast<const TChartSeries*>(AComponent);
  QString Text =
      Series != nullptr ? SeriesTitleOrName(Series) : QString::fromStdString(AComponent->GetName());
  const TComponent* Owner = AComponent->GetOwner();
  if (Owner != nullptr && Owner != TheSeries->GetOwner() && !Owner->GetName().empty())
    Text = QString::fromStdString(Owner->GetName()) + u'.' + Text;
  List.addItem(Text, QVariant::fromValue(static_cast<void*>(AComponent)));
}

void TBaseSourceEditor::CheckReplaceSource(TComponent* NewSource) {
  if (TheSeries == nullptr || TheSeries->GetDataSource() == NewSource) return;
  auto* Old = dynamic_cast<TKorSeriesSource*>(TheSeries->GetDataSource());
  if (Old != nullptr && Old->GetOwner() == TheSeries) {
    Old->SetSeries(nullptr);
    delete Old;
  }
  TheSeries->SetDataSource(nullptr);
  if (auto* Source = dynamic_cast<TKorSeriesSource*>(NewSource);
      Source != nullptr && Source->GetSeries() == nullptr)
    Source->SetSeries(TheSeries);
  TheSeries->SetDataSource(NewSource);
}

void TBaseSourceEditor::closeEvent(QCloseEvent* Event) {
  if (!BApply->isEnabled()) {
    Event->accept();
    return;
  }
  switch (
      MessageDlg(Korconst::KorMsg_SureToApply, TMsgDlgType::mtConfirmation, mbYesNoCancel, mbYes)) {
    case mrYes:
      RunGuarded([this] { BApplyClick(); });
      Event->setAccepted(!BApply->isEnabled());
      break;
    case mrNo:
      BApply->setEnabled(false);
      Event->accept();
      break;
    default: Event->ignore();
  }
}
