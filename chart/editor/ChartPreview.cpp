#include "chart/editor/ChartPreview.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TCustomChart.h"
#include "chart/editor/TChartEditForm.h"
#include "chart/editor/TChartEditorPages.h"
#include "chart/editor/TChartPageNavigator.h"
#include "chart/editor/TChartPreview.h"

#include "platform/Cursors.h"
#include "platform/ModalHooks.h"
#include "platform/ScopeGuard.h"

#include <QCheckBox>

namespace {

TCustomKorNavigator* MakePageNavigator(TComponent* Owner) {
  return new TChartPageNavigator(Owner);
}

}  // namespace

void ChartPreview(QWidget* Owner, TCustomKorPanel* Panel) {
  TScopeGuard RepaintPanel([Panel] {
    if (Panel != nullptr) Panel->Invalidate();
  });
  TChartPreview Preview(Owner);
  Preview.SetNavigatorClass(&MakePageNavigator);
  Preview.SetPanel(Panel);
  KorTranslateControl(&Preview);
  ShowModal(Preview);
}

void RegisterPrintEditorPage() {
  ChartEditorPages().Register(
      QStringLiteral("TabPrint"),
      [](TChartEditForm& Editor, QWidget& Page) -> QWidget* {
        TScreenCursorScope HourGlass(crHourGlass);
        auto* Preview = new TChartPreview(&Page);
        Preview->setWindowFlags(Qt::Widget);
        Preview->SetNavigatorClass(&MakePageNavigator);
        Preview->HideCloseButton();
        // Docked in the editor the sheet is small: the margin lines stay
        // off until asked for.
        Preview->CBMargins->setChecked(false);
        Preview->CBMarginsClick();
        Preview->SetPanel(Editor.GetChart());
        return Preview;
      },
      TPageSizing::psAhead);
}
