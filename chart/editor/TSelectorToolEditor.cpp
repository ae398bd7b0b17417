#include "chart/editor/TSelectorToolEditor.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TButtonPen.h"

#include "chart/core/TButtonColor.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/tools/TSelectorTool.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QShowEvent>

TSelectorToolEditor::TSelectorToolEditor(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("SelectorToolEditor"));
  resize(237, 173);
  TFormBuilder B(*this);
  ButtonPen1 =
      B.Add<TButtonPen>(QStringLiteral("ButtonPen1"), QStringLiteral("&Handles..."), 8, 8, 100, 25);
  ButtonColor1 = B.Add<TButtonColor>(QStringLiteral("ButtonColor1"), QStringLiteral("&Color..."), 8,
                                     40, 100, 25);
  Label1 = B.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("&Size:"), 120, 14, 30, 13);
  Edit1 = B.Add<TEditUpDown>(QStringLiteral("Edit1"), QString(), 152, 10, 49, 21);
  Edit1->GetUpDown()->setObjectName(QStringLiteral("UDSize"));
  Edit1->SetMin(1);
  Edit1->SetPosition(3);
  Label1->setBuddy(Edit1);
  CBAllowDrag = B.Add<QCheckBox>(QStringLiteral("CBAllowDrag"), QStringLiteral("&Allow Drag"), 8,
                                 80, 150, 17);
  CBResizeChart = B.Add<QCheckBox>(QStringLiteral("CBResizeChart"),
                                   QStringLiteral("Allow &Resize Chart"), 8, 104, 150, 17);
  connect(Edit1, &QLineEdit::textChanged, this, [this] {
    if (!FUpdating) Guarded([this] { Edit1Change(); });
  });
  connect(CBAllowDrag, &QCheckBox::toggled, this, [this] {
    if (!FUpdating) Guarded([this] { CBAllowDragClick(); });
  });
  connect(CBResizeChart, &QCheckBox::toggled, this, [this] {
    if (!FUpdating) Guarded([this] { CBResizeChartClick(); });
  });
}

void TSelectorToolEditor::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TSelectorToolEditor::Guarded(const std::function<void()>& Body) {
  if (!RunGuarded(Body)) RunGuarded([this] { LoadControls(); });
}

void TSelectorToolEditor::FormShow() {
  Tool = dynamic_cast<TSelectorTool*>(static_cast<TKorCustomTool*>(KorFormTag(*this)));
  if (Tool == nullptr) return;
  LoadControls();
  FShowing = true;
}

void TSelectorToolEditor::LoadControls() {
  if (Tool == nullptr) return;
  const bool Was = FUpdating;
  FUpdating = true;
  const TScopeGuard Restore([&] { FUpdating = Was; });
  ButtonPen1->LinkPen(&Tool->GetPen());
  ButtonColor1->LinkProperty(&Tool->GetBrush(), QStringLiteral("Color"));
  Edit1->SetPosition(Tool->GetHandleSize());
  CBAllowDrag->setChecked(Tool->GetAllowDrag());
  CBResizeChart->setChecked(Tool->GetAllowResizeChart());
}

void TSelectorToolEditor::Edit1Change() {
  if (FShowing && Tool != nullptr) Tool->SetHandleSize(Edit1->GetPosition());
}

void TSelectorToolEditor::CBAllowDragClick() {
  if (Tool != nullptr) Tool->SetAllowDrag(CBAllowDrag->isChecked());
}

void TSelectorToolEditor::CBResizeChartClick() {
  if (Tool != nullptr) Tool->SetAllowResizeChart(CBResizeChart->isChecked());
}
