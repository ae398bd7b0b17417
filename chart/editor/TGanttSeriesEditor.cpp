#include "chart/editor/TGanttSeriesEditor.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TFormKorSeries.h"
#include "chart/editor/TSeriesPointerEditor.h"

#include "chart/core/Korconst.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TSeriesPointer.h"
#include "chart/series/TGanttSeries.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QShowEvent>

#include <utility>

TGanttSeriesEditor::TGanttSeriesEditor(QWidget* Parent) : QDialog(Parent) {
  setObjectName(QStringLiteral("GanttSeriesEditor"));
  BuildControls();
  resize(312, 150);
}

TGanttSeriesEditor::~TGanttSeriesEditor() {
  delete FPointerForm.data();
}

void TGanttSeriesEditor::BuildControls() {
  TFormBuilder B(*this);
  auto Edit = [&B](const char* Name, const char* UpDown, int Top, int Min, int Max) {
    auto* E = B.Add<TEditUpDown>(QString::fromLatin1(Name), QStringLiteral("0"), 100, Top, 56, 22);
    E->GetUpDown()->setObjectName(QString::fromLatin1(UpDown));
    E->SetMin(Min);
    E->SetMax(Max);
    return E;
  };
  LHeight = B.Add<QLabel>(QStringLiteral("LHeight"), QStringLiteral("&Height:"), 8, 12, 88, 13);
  SEHeight = Edit("SEHeight", "UDHeight", 8, 1, 1000);
  UDHeight = SEHeight->GetUpDown();
  LTransp =
      B.Add<QLabel>(QStringLiteral("LTransp"), QStringLiteral("&Transparency:"), 8, 42, 88, 13);
  SETransp = Edit("SETransp", "UDTransp", 38, 0, 100);
  UDTransp = SETransp->GetUpDown();
  UDTransp->SetIncrement(5);
  LHeight->setBuddy(SEHeight);
  LTransp->setBuddy(SETransp);
  BConnLines = B.Add<TButtonPen>(QStringLiteral("BConnLines"),
                                 QStringLiteral("Co&nnecting Lines..."), 8, 72, 164, 25);
  GroupBox1 = B.Add<QGroupBox>(QStringLiteral("GroupBox1"), QString(), 184, 4, 120, 80);
  BColor = TFormBuilder::AddTo<TButtonColor>(*GroupBox1, QStringLiteral("BColor"),
                                             QStringLiteral("&Color..."), 10, 16, 100, 25);
  CBColorEach = TFormBuilder::AddTo<QCheckBox>(*GroupBox1, QStringLiteral("CBColorEach"),
                                               QStringLiteral("Color &Each"), 10, 50, 100, 17);

  connect(SEHeight, &QLineEdit::textChanged, this, [this] { Apply([this] { SEHeightChange(); }); });
  connect(SETransp, &QLineEdit::textChanged, this, [this] { Apply([this] { SETranspChange(); }); });
  connect(CBColorEach, &QCheckBox::clicked, this,
          [this] { Apply([this] { CBColorEachClick(); }); });
  BColor->OnClick = [this](TKorButton*) { Apply([this] { BColorClick(); }); };
}

template <class Body>
void TGanttSeriesEditor::Apply(Body&& Edit) {
  if (FFilling || Gantt == nullptr) return;
  if (!RunGuarded(std::forward<Body>(Edit))) RunGuarded([this] { FormShow(); });
}

void TGanttSeriesEditor::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TGanttSeriesEditor::FormShow() {
  Gantt = dynamic_cast<TGanttSeries*>(KorFormObject(*this));
  if (Gantt == nullptr) return;
  {
    FFilling = true;
    const TScopeGuard Filled([this] { FFilling = false; });
    SEHeight->SetPosition(Gantt->GetPointer().GetVertSize());
    CBColorEach->setChecked(Gantt->GetColorEachPoint());
    SETransp->SetPosition(Gantt->GetTransparency());
    BConnLines->LinkPen(&Gantt->GetConnectingPen());
    BColor->LinkProperty(Gantt, QStringLiteral("SeriesColor"));
    BColor->setEnabled(!Gantt->GetColorEachPoint());
  }
  if (FPointerForm.isNull()) InsertPointerForm();
}

void TGanttSeriesEditor::InsertPointerForm() {
  QWidget* Form = KorInsertPointerForm(*this, &Gantt->GetPointer(), Korconst::KorMsg_GalleryGantt);
  if (auto* Page = dynamic_cast<TSeriesPointerEditor*>(Form)) Page->HideSizeOptions();
  FPointerForm = Form;
}

void TGanttSeriesEditor::SEHeightChange() {
  bool Ok = false;
  const int Value = SEHeight->text().trimmed().toInt(&Ok);
  if (Ok) Gantt->GetPointer().SetVertSize(Value);
}

void TGanttSeriesEditor::SETranspChange() {
  bool Ok = false;
  const int Value = SETransp->text().trimmed().toInt(&Ok);
  if (Ok) Gantt->SetTransparency(Value);
}

void TGanttSeriesEditor::CBColorEachClick() {
  Gantt->SetColorEachPoint(CBColorEach->isChecked());
  BColor->setEnabled(!Gantt->GetColorEachPoint());
  BColor->update();
}

void TGanttSeriesEditor::BColorClick() {
  Gantt->SetColorEachPoint(false);
  const bool Was = FFilling;
  FFilling = true;
  const TScopeGuard Restore([&] { FFilling = Was; });
  CBColorEach->setChecked(false);
  BColor->setEnabled(true);
}

void RegisterGanttSeriesEditor() {
  RegisterEditorForm(QStringLiteral("TGanttSeriesEditor"),
                     [](QWidget* Parent) { return new TGanttSeriesEditor(Parent); });
}
