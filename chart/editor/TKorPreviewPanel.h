#pragma once

#include "chart/core/TChartPen.h"
#include "chart/core/TCustomKorPanelExtended.h"
#include "chart/editor/TKorPanelsList.h"

#include <functional>
#include <memory>

class TBitmap;
class TCanvas;
class TKorPreviewPanel;
class TKorShadow;

enum TKorPreviewPanelOrientation { ppoDefault, ppoPortrait, ppoLandscape };

// Where the mouse is relative to the margins rectangle; the numbers are
// the ones callers compare with.
enum TKorPreviewZone {
  pzNone = 0,
  pzLeft = 1,
  pzTop = 2,
  pzRight = 3,
  pzBottom = 4,
  pzMove = 5,
  pzTopLeft = 6,
  pzTopRight = 7,
  pzBottomLeft = 8,
  pzBottomRight = 9
};

// Data: the pen of the preview's margin lines (dotted with small dots).
class TPreviewChartPen : public TChartPen {
 public:
  explicit TPreviewChartPen(TNotifyEvent ChangeHandler = nullptr);
  QString ClassName() const override { return QStringLiteral("TPreviewChartPen"); }
};

using TKorChangeMarginsEvent = std::function<void(
    TKorPreviewPanel* Sender, bool DisableProportional, const TRect& NewMargins)>;
using TKorGetPaperRectEvent = std::function<void(TKorPreviewPanel* Sender, TRect& PaperRect)>;

// Render and interaction: one or more chart panels on a scaled sheet of
// the printer's paper, each inside its print margins. The margin lines of
// the main panel can be dragged (edges, corners, or the whole rectangle);
// dragging stores the new margins in percent in the main panel. Print sends
// every listed panel into its print rectangle on one print job.
class TKorPreviewPanel : public TCustomKorPanelExtended {
 public:
  // Margins closer than this (pixels, along one axis) are under the mouse.
  static constexpr int NearDistance = 4;

  explicit TKorPreviewPanel(TComponent* AOwner);
  ~TKorPreviewPanel() override;

  QString ClassName() const override { return QStringLiteral("TKorPreviewPanel"); }
  const TPropertyList& Properties() const override;

  // -- properties

  bool GetAllowResize() const { return FAllowResize; }
  void SetAllowResize(bool Value) { FAllowResize = Value; }
  bool GetAllowMove() const { return FAllowMove; }
  void SetAllowMove(bool Value) { FAllowMove = Value; }
  bool GetAsBitmap() const { return FAsBitmap; }
  void SetAsBitmap(bool Value);
  bool GetDragImage() const { return FDragImage; }
  void SetDragImage(bool Value) { FDragImage = Value; }
  TPreviewChartPen& GetMargins() const { return *FMargins; }
  void SetMargins(const TChartPen& Value);
  TKorPreviewPanelOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TKorPreviewPanelOrientation Value);
  // The main (first listed) panel; none when the list is empty.
  TCustomKorPanel* GetPanel() const;
  void SetPanel(TCustomKorPanel* Value);
  TColor GetPaperColor() const { return FPaperColor; }
  void SetPaperColor(TColor Value);
  TKorShadow& GetPaperShadow() const { return *FPaperShadow; }
  void SetPaperShadow(const TKorShadow& Value);
  bool GetShowImage() const { return FShowImage; }
  void SetShowImage(bool Value);
  bool GetSmoothBitmap() const { return FSmoothBitmap; }
  void SetSmoothBitmap(bool Value);
  QString GetTitle() const { return FTitle; }
  void SetTitle(const QString& Value) { FTitle = Value; }

  // The panels shown, the main one first. Panels are added and removed
  // here, so the preview hears when one is freed.
  const TKorPanelsList& Panels() const { return FPanels; }
  void AddPanel(TCustomKorPanel* Value);
  void RemovePanel(TCustomKorPanel* Value);

  // -- geometry (preview pixels)

  // The sheet as the last paint placed it.
  const TRect& GetPaperRect() const { return FPaperRect; }
  // The main panel's margins as the last paint (or drag) placed them.
  const TRect& GetMarginsRect() const { return FMarginsRect; }
  // Computes the sheet for the current client size and printer.
  TRect CalcPaperRect();
  // Panel's margins on the sheet Paper; 15 % on every side without a panel.
  TRect CalcMarginsRect(TCustomKorPanel* Panel, const TRect& Paper);
  TKorPreviewZone WhereIsCursor(int X, int Y) const;
  TKorPreviewZone GetDragZone() const { return FDragZone; }

  // -- printing

  // Every listed panel into its print rectangle, on one print job.
  void Print();

  TKorChangeMarginsEvent OnChangeMargins;
  TKorGetPaperRectEvent OnGetPaperRect;
  TNotifyEvent OnAfterDraw;

  // Handlers (public so tests can drive them).
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 protected:
  void InternalDraw(const TRect& R) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  QString GetPanelName() const;
  void SetPanelName(const QString& Value);
  TPreviewChartPen* MarginsObject() { return FMargins.get(); }
  TKorShadow* PaperShadowObject() { return FPaperShadow.get(); }
  // Sets the printer's orientation when one is forced and printers exist.
  void ApplyOrientation();
  void DrawPaper();
  void DrawPanel(TCustomKorPanel& Panel);
  // The panel rendered for Rect (printing flag set) into a bitmap filled
  // with the paper colour.
  std::unique_ptr<TBitmap> PrintingBitmap(TCustomKorPanel& Panel, const TRect& Rect);
  void DrawMarginLines();
  // Moves the margins rectangle as the drag zone says; false when the
  // point does not allow it.
  bool DragMargins(int X, int Y);
  // The main panel's margins in percent from the margins rectangle.
  void StoreMargins();
  void Repaint();

  bool FAllowResize = true;
  bool FAllowMove = true;
  bool FAsBitmap = false;
  bool FDragImage = false;
  std::unique_ptr<TPreviewChartPen> FMargins;
  TKorPreviewPanelOrientation FOrientation = ppoDefault;
  TColor FPaperColor = clWhite;
  std::unique_ptr<TKorShadow> FPaperShadow;
  bool FShowImage = true;
  bool FSmoothBitmap = true;
  QString FTitle;
  TKorPanelsList FPanels;
  // caches of the last paint and of the drag in progress
  TRect FPaperRect;
  TRect FMarginsRect;
  TKorPreviewZone FDragZone = pzNone;
  TPoint FDragStart;
  TRect FDragStartMargins;
};
