#include "chart/editor/TBubbleSeriesEditor.h"

#include "chart/editor/KorEditorForms.h"

#include "chart/series/TBubbleSeries.h"

#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QLabel>

TBubbleSeriesEditor::TBubbleSeriesEditor(QWidget* Parent) : TSeriesPointerEditor(Parent) {
  setObjectName(QStringLiteral("BubbleSeriesEditor"));
  CBDrawPoint->setVisible(false);
  TFormBuilder B(*this);
  LTransp =
      B.Add<QLabel>(QStringLiteral("LTransp"), QStringLiteral("&Transparency:"), 150, 140, 84, 13);
  Edit1 = B.Add<TEditUpDown>(QStringLiteral("Edit1"), QStringLiteral("0"), 240, 136, 56, 22);
  UDTransp = Edit1->GetUpDown();
  UDTransp->setObjectName(QStringLiteral("UDTransp"));
  UDTransp->SetIncrement(5);
  Edit1->SetMin(0);
  Edit1->SetMax(100);
  LTransp->setBuddy(Edit1);
  connect(Edit1, &QLineEdit::textChanged, this, [this] { Apply([this] { Edit1Change(); }); });
}

TBubbleSeries* TBubbleSeriesEditor::GetBubble() const {
  return dynamic_cast<TBubbleSeries*>(GetTheSeries());
}

void TBubbleSeriesEditor::FormShow() {
  TSeriesPointerEditor::FormShow();
  const TBubbleSeries* Bubble = GetBubble();
  if (Bubble == nullptr) return;
  FFilling = true;
  const TScopeGuard Filled([this] { FFilling = false; });
  Edit1->SetPosition(Bubble->GetTransparency());
}

void TBubbleSeriesEditor::Edit1Change() {
  bool Ok = false;
  const int Value = Edit1->text().trimmed().toInt(&Ok);
  if (Ok && GetBubble() != nullptr) GetBubble()->SetTransparency(Value);
}

void RegisterBubbleSeriesEditor() {
  RegisterEditorForm(QStringLiteral("TBubbleSeriesEditor"),
                     [](QWidget* Parent) { return new TBubbleSeriesEditor(Parent); });
}
