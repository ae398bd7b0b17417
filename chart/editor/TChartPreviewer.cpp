#include "chart/editor/TChartPreviewer.h"

#include "chart/core/TCustomChart.h"
#include "chart/editor/TChartPreview.h"
#include "chart/editor/TKorPreviewPanel.h"

#include "platform/ModalHooks.h"
#include "platform/ScopeGuard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSlider>

#include "platform/TRadioGroup.h"

namespace {

const QStringList OptionNames = {"cpoChangePrinter", "cpoSetupPrinter", "cpoResizeChart",
                                 "cpoMoveChart",     "cpoChangeDetail", "cpoChangePaperOrientation",
                                 "cpoChangeMargins", "cpoProportional", "cpoDragChart",
                                 "cpoPrintPanel",    "cpoAsBitmap"};
const QStringList WindowStateNames = {"wsNormal", "wsMinimized", "wsMaximized"};

}  // namespace

TChartPreviewer::TChartPreviewer(TComponent* AOwner) : TCustomChartEditor(AOwner) {}

TChartPreviewer::~TChartPreviewer() {
  Destroying();
}

const TPropertyList& TChartPreviewer::Properties() const {
  using namespace PublishedProperty;
  using C = TChartPreviewer;
  static const TPropertyList List(
      TPersistent::Properties(),
      {Set("Options", &C::GetOptions, &C::SetOptions, OptionNames,
           std::optional<TChartPreviewOptions>(AllChartPreviewOptions)),
       Color("PaperColor", &C::GetPaperColor, &C::SetPaperColor, clWhite),
       String("Title", &C::GetTitle, &C::SetTitle, QString()),
       Enum("WindowState", &C::GetWindowState, &C::SetWindowState, WindowStateNames,
            std::optional<TPreviewWindowState>(wsNormal))});
  return List;
}

void TChartPreviewer::ApplyOptions(TChartPreview& Form) const {
  const auto Allowed = [this](TChartPreviewOption Option) {
    return (FOptions & PreviewOption(Option)) != 0;
  };
  const std::pair<QWidget*, TChartPreviewOption> Controls[] = {
      {Form.CBPrinters, cpoChangePrinter}, {Form.BSetup, cpoSetupPrinter},
      {Form.GBDetail, cpoChangeDetail},    {Form.Orientation, cpoChangePaperOrientation},
      {Form.GBMargins, cpoChangeMargins},  {Form.CBProp, cpoProportional},
      {Form.BPrint, cpoPrintPanel},        {Form.CBSmooth, cpoAsBitmap}};
  for (const auto& [Control, Option] : Controls)
    if (!Allowed(Option)) Form.DisableControl(Control);
  TKorPreviewPanel& Panel = *Form.PreviewPanel();
  const bool Drag = Allowed(cpoDragChart);
  Panel.SetAllowResize(Drag && Allowed(cpoResizeChart));
  Panel.SetAllowMove(Drag && Allowed(cpoMoveChart));
}

void TChartPreviewer::Execute() {
  TCustomChart* Chart = GetChart();
  if (Chart == nullptr) return;
  TScopeGuard RepaintChart([Chart] { Chart->Invalidate(); });
  TChartPreview Form;
  if (!FTitle.isEmpty()) Form.setWindowTitle(FTitle);
  Form.SetPanel(Chart);
  TKorPreviewPanel& Panel = *Form.PreviewPanel();
  Panel.OnAfterDraw = OnAfterDraw;
  Panel.SetPaperColor(FPaperColor);
  Form.setWindowState(FWindowState == wsMaximized   ? Qt::WindowMaximized
                      : FWindowState == wsMinimized ? Qt::WindowMinimized
                                                    : Qt::WindowNoState);
  ApplyOptions(Form);
  ShowModal(Form);
  if (OnClose) OnClose(Form);
}
