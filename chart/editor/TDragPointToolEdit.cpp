#include "chart/editor/TDragPointToolEdit.h"

#include "chart/editor/KorCursors.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TComboFlat.h"
#include "chart/tools/TDragPointTool.h"

#include "platform/ScopeGuard.h"
#include "platform/TFormBuilder.h"
#include "platform/TRadioGroup.h"

#include <QLabel>

TDragPointToolEdit::TDragPointToolEdit(QWidget* Parent) : TSeriesToolEditor(Parent) {
  setObjectName(QStringLiteral("DragPointToolEdit"));
  RGStyle = new TRadioGroup(QStringLiteral("Drag Style:"), this);
  RGStyle->setObjectName(QStringLiteral("RGStyle"));
  RGStyle->SetItems({QStringLiteral("&X"), QStringLiteral("&Y"), QStringLiteral("&Both")});
  RGStyle->SetItemIndex(2);
  RGStyle->setGeometry(8, 36, 97, 85);
  RGStyle->OnClick = [this](TRadioGroup*) { Guarded([this] { RGStyleClick(); }); };
  TFormBuilder B(*this);
  Label2 = B.Add<QLabel>(QStringLiteral("Label2"), QStringLiteral("&Cursor:"), 8, 132, 40, 13);
  CBCursor = B.Add<TComboFlat>(QStringLiteral("CBCursor"), QString(), 52, 128, 145, 21);
  Label2->setBuddy(CBCursor);
  connect(CBCursor, &QComboBox::currentIndexChanged, this, [this] {
    if (!FUpdating) Guarded([this] { CBCursorChange(); });
  });
}

TDragPointTool* TDragPointToolEdit::GetDragTool() const {
  return dynamic_cast<TDragPointTool*>(Tool);
}

void TDragPointToolEdit::FormShow() {
  TSeriesToolEditor::FormShow();
  LoadToolControls();
}

void TDragPointToolEdit::LoadToolControls() {
  const bool Was = FUpdating;
  FUpdating = true;
  const TScopeGuard Restore([&] { FUpdating = Was; });
  CBCursor->setEnabled(false);
  TCursor Current = crDefault;
  if (TDragPointTool* T = GetDragTool()) {
    RGStyle->SetItemIndex(static_cast<int>(T->GetDragStyle()));
    if (TChartSeries* S = T->GetSeries()) {
      CBCursor->setEnabled(true);
      Current = S->GetCursor();
    }
  }
  KorFillCursors(*CBCursor, Current);
}

void TDragPointToolEdit::ReloadControls() {
  TSeriesToolEditor::ReloadControls();
  LoadToolControls();
}

void TDragPointToolEdit::RGStyleClick() {
  if (TDragPointTool* T = GetDragTool()) {
    const int Index = RGStyle->GetItemIndex();
    T->SetDragStyle(Index == 0 ? dsX : Index == 1 ? dsY : dsBoth);
  }
}

void TDragPointToolEdit::CBSeriesChange() {
  TSeriesToolEditor::CBSeriesChange();
  CBCursor->setEnabled(Tool != nullptr && Tool->GetSeries() != nullptr);
}

void TDragPointToolEdit::CBCursorChange() {
  if (Tool == nullptr) return;
  if (TChartSeries* S = Tool->GetSeries())
    S->SetCursor(KorSetCursor(S->GetCursor(), CBCursor->currentText()));
}
