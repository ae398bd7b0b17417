#pragma once

#include "chart/editor/TCustomChartEditor.h"
#include "platform/TColor.h"

#include <QString>

class TChartPreview;

// What the user may change in the print preview a previewer opens.
enum TChartPreviewOption {
  cpoChangePrinter,
  cpoSetupPrinter,
  cpoResizeChart,
  cpoMoveChart,
  cpoChangeDetail,
  cpoChangePaperOrientation,
  cpoChangeMargins,
  cpoProportional,
  cpoDragChart,
  cpoPrintPanel,
  cpoAsBitmap
};
// A set of TChartPreviewOption, bit n for option n.
using TChartPreviewOptions = unsigned;
constexpr TChartPreviewOptions PreviewOption(TChartPreviewOption Option) {
  return 1u << Option;
}
inline constexpr TChartPreviewOptions AllChartPreviewOptions = (1u << (cpoAsBitmap + 1)) - 1;

enum TPreviewWindowState { wsNormal, wsMinimized, wsMaximized };

// Interaction: a component that shows the print preview of its chart
// modally, with only the controls its options allow.
class TChartPreviewer : public TCustomChartEditor {
 public:
  explicit TChartPreviewer(TComponent* AOwner);
  ~TChartPreviewer() override;

  QString ClassName() const override { return QStringLiteral("TChartPreviewer"); }
  const TPropertyList& Properties() const override;

  // Only with a chart.
  void Execute() override;

  TChartPreviewOptions GetOptions() const { return FOptions; }
  void SetOptions(TChartPreviewOptions Value) { FOptions = Value; }
  TColor GetPaperColor() const { return FPaperColor; }
  void SetPaperColor(TColor Value) { FPaperColor = Value; }
  QString GetTitle() const { return FTitle; }
  void SetTitle(const QString& Value) { FTitle = Value; }
  TPreviewWindowState GetWindowState() const { return FWindowState; }
  void SetWindowState(TPreviewWindowState Value) { FWindowState = Value; }

  // Passed to the preview panel: called after each drawing of the preview
  // and of the print.
  TNotifyEvent OnAfterDraw;

  // The options applied to a preview form (Execute does this; public for
  // tests).
  void ApplyOptions(TChartPreview& Form) const;

 private:
  TChartPreviewOptions FOptions = AllChartPreviewOptions;
  TColor FPaperColor = clWhite;
  QString FTitle;
  TPreviewWindowState FWindowState = wsNormal;
};
