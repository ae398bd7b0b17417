#pragma once

#include "chart/core/TCustomPanelNoCaption.h"
#include "chart/core/TKorEvent.h"
#include "chart/core/TKorEventListeners.h"

#include "platform/TBitmap.h"
#include "platform/TColor.h"
#include "platform/TPersistent.h"
#include "platform/TPrinter.h"
#include "platform/TRect.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>

class TCanvas;
class TCanvas3D;
class TChartBrush;
class TChartHiddenPen;
class TChartPen;
class TKorShadow;
class TMetafile;
class TView3DOptions;
class TZoomPanning;

enum TKorUnits { muPercent, muPixels };

// Clip the chart to the print rectangle when printing, and to the picture
// when recording a metafile.
extern bool KorClipWhenPrinting;
extern bool KorClipWhenMetafiling;
// Whether the window system may erase the panel's background before a
// paint (the panel paints all of it anyway).
extern bool KorEraseBack;
// Whether printed charts carry the panel colour and bevels.
extern bool PrintKorPanel;

class TCustomKorPanel;

using TKorBeforePrintEvent =
    std::function<void(TCustomKorPanel* Sender, TCanvas& Canvas, const TRect& R)>;

// Render and interaction: the control every chart is drawn on. It owns the
// 3D drawing surface and the outer decoration (border pen, bevels, rounded
// corners, shadow), turns its bounds into the chart rectangle through the
// margins, prints and exports the chart, and broadcasts chart and mouse
// events to its listeners. Derived charts draw in InternalDraw.
//
// One frame (Draw): the surface sets up the frame on the destination
// canvas, the chart rectangle is computed, InternalDraw draws, and the
// surface copies its buffer to the destination.
class TCustomKorPanel : public TCustomPanelNoCaption {
 public:
  explicit TCustomKorPanel(TComponent* AOwner);
  ~TCustomKorPanel() override;

  QString ClassName() const override { return QStringLiteral("TCustomKorPanel"); }
  const TPropertyList& Properties() const override;

  // -- properties

  TKorEventListeners& GetListeners() { return FListeners; }
  bool GetApplyDepthOrder() const { return FApplyDepthOrder; }
  void SetApplyDepthOrder(bool Value) { SetBooleanProperty(FApplyDepthOrder, Value); }
  // The canvas Draw () paints on: the control's buffer, which the host
  // widget copies to the screen.
  TCanvas& GetTargetCanvas() { return GetCanvas(); }
  bool GetView3D() const { return FView3D; }
  // Broadcasts a TKorView3DEvent when the value changes.
  void SetView3D(bool Value);
  TView3DOptions& GetView3DOptions() const { return *FView3DOptions; }
  void SetView3DOptions(const TView3DOptions& Value);
  // The drawing surface (owned).
  TCanvas3D& GetPanelCanvas() const { return *FPanelCanvas; }

  // Margins by index 0..3 = left, top, right, bottom, in MarginUnits.
  int GetMargin(int Index) const;
  void SetMargin(int Index, int Value);
  int GetMarginLeft() const { return FMargins[0]; }
  void SetMarginLeft(int Value) { SetMargin(0, Value); }
  int GetMarginTop() const { return FMargins[1]; }
  void SetMarginTop(int Value) { SetMargin(1, Value); }
  int GetMarginRight() const { return FMargins[2]; }
  void SetMarginRight(int Value) { SetMargin(2, Value); }
  int GetMarginBottom() const { return FMargins[3]; }
  void SetMarginBottom(int Value) { SetMargin(3, Value); }
  TKorUnits GetMarginUnits() const { return FMarginUnits; }
  void SetMarginUnits(TKorUnits Value);

  bool GetPrintProportional() const { return FPrintProportional; }
  void SetPrintProportional(bool Value) { FPrintProportional = Value; }
  // Positive values shrink, negative values enlarge the logical drawing
  // size of a print (-100: twice the panel size, 50: half).
  int GetPrintScalePercent() const { return FPrintScalePercent; }
  void SetPrintScalePercent(int Value) { FPrintScalePercent = Value; }
  // Percent of the page: left, top, right, bottom.
  const TRect& GetPrintMargins() const { return FPrintMargins; }
  void SetPrintMargins(const TRect& Value) { FPrintMargins = Value; }

  TCursor GetSavedCursor() const { return FSavedCursor; }
  void SetSavedCursor(TCursor Value) { FSavedCursor = Value; }
  TZoomPanning& GetPanState() const { return *FPanState; }
  TKorShadow& GetShadow() const { return *FShadow; }
  void SetShadow(const TKorShadow& Value);
  TChartHiddenPen& GetBorder() const { return *FBorder; }
  void SetBorder(const TChartPen& Value);
  // The border style maps to the border pen's visibility.
  TBorderStyle GetBorderStyle() const;
  void SetBorderStyle(TBorderStyle Value);
  // Corner radius of the window's rounded shape in pixels; 0: square.
  int GetBorderRound() const { return FBorderRound; }
  void SetBorderRound(int Value);
  bool GetRepaintOnChange() const { return FRepaintOnChange; }
  void SetRepaintOnChange(bool Value) { FRepaintOnChange = Value; }
  // Forwarded to the drawing surface.
  bool GetBufferedDisplay() const;
  void SetBufferedDisplay(bool Value);
  bool GetMonochrome() const;
  void SetMonochrome(bool Value);

  // True inside PrintPartialCanvas, and while a print preview draws the
  // panel as it will print.
  bool GetPrintingNow() const { return FPrintingNow; }
  void SetPrintingNow(bool Value) { FPrintingNow = Value; }
  // Set by a listener to stop the current mouse action.
  bool GetMouseCancelled() const { return FMouseCancelled; }
  void SetMouseCancelled(bool Value) { FMouseCancelled = Value; }
  // When set, the chart rectangle is the user's and is not computed.
  bool GetUserChartRect() const { return FUserChartRect; }
  void SetUserChartRect(bool Value) { FUserChartRect = Value; }

  // The chart rectangle (device pixels of the current frame).
  const TRect& GetPlotRect() const { return FPlotRect; }
  void SetPlotRect(const TRect& Value) { FPlotRect = Value; }
  // The rectangle the surface returned for the current frame.
  const TRect& GetDrawBounds() const { return FDrawBounds; }
  int GetPlotWidth() const { return FPlotWidth; }
  int GetPlotHeight() const { return FPlotHeight; }
  int GetPlotCenterX() const { return FPlotCenterX; }
  int GetPlotCenterY() const { return FPlotCenterY; }

  // -- the setter family: store, and invalidate only on a change

  void SetBooleanProperty(bool& Variable, bool Value);
  void SetIntegerProperty(int& Variable, int Value);
  void SetColorProperty(TColor& Variable, TColor Value);
  void SetDoubleProperty(double& Variable, double Value);
  void SetStringProperty(QString& Variable, const QString& Value);

  // -- drawing

  // The colour the frame's background is cleared with.
  virtual TColor GetBackColor() const;
  // One frame of the chart on Canvas inside R.
  virtual void Draw(TCanvas& Canvas, const TRect& R);
  // One frame on the target canvas over the client area.
  void Draw();
  // The panel's own rectangle (0, 0, width, height).
  virtual TRect GetRectangle() const;
  // Only while RepaintOnChange: the surface's buffer and the window.
  void Invalidate() override;
  // One frame drawn straight on Canvas, without the surface's buffer.
  void NonBufferDraw(TCanvas& Canvas, const TRect& R);
  // NonBufferDraw with the surface recording (no blending).
  void DrawToMetaCanvas(TCanvas& Canvas, const TRect& R);
  // Keeps the chart rectangle inside the bounds and at least one pixel
  // wide and high, and derives width, height and centre.
  void ReCalcWidthHeight();
  // Whether drawing may clip on the current device.
  bool CanClip() const;
  // A bevel BevelWidth deep inside Rect (which then shrinks by it), in the
  // button highlight and shadow colours; a rounded outline in the top-left
  // colour when Round > 0.
  static void DrawBevel(TCanvas3D& Canvas, TRect& Rect, TPanelBevel Bevel, int BevelWidth,
                        int Round);

  // -- export

  // The panel in its own colour at its own size.
  std::unique_ptr<TBitmap> KorCreateBitmap();
  // A bitmap of R's size, filled with Color unless it is white, with the
  // chart drawn into R.
  std::unique_ptr<TBitmap> KorCreateBitmap(TColor Color, const TRect& R, TPixelFormat Format);
  std::unique_ptr<TMetafile> KorCreateMetafile(bool Enhanced, const TRect& R);
  void SaveToBitmapFile(const QString& FileName);
  void SaveToBitmapFile(const QString& FileName, const TRect& R);
  void SaveToMetafile(const QString& FileName);
  void SaveToMetafileEnh(const QString& FileName);
  void SaveToMetafileRect(bool Enhanced, const QString& FileName, const TRect& R);
  void CopyToClipboardBitmap();
  void CopyToClipboardBitmap(const TRect& R);
  void CopyToClipboardMetafile(bool Enhanced);
  void CopyToClipboardMetafile(bool Enhanced, const TRect& R);
  // A picture, bitmap or bitmap graphic receives KorCreateBitmap (); other
  // targets raise EConvertError.
  void AssignTo(TPersistent& Dest) const override;

  // -- printing (on the program's printer)

  void Print();
  void PrintPortrait();
  void PrintLandscape();
  void PrintOrientation(TPrinterOrientation Orientation);
  // A whole print job of one page with the chart in R (printer pixels).
  void PrintRect(const TRect& R);
  // The chart in R on the page being printed.
  void PrintPartial(const TRect& R);
  // The chart in R (device pixels of Canvas), drawn in the panel's own
  // logical size under a scaling map mode.
  void PrintPartialCanvas(TCanvas& Canvas, const TRect& R);
  // The page rectangle of the print margins.
  TRect ChartPrintRect();
  // Print margins that keep the panel's aspect ratio on the page.
  void CalcProportionalMargins();
  // The logical size of a print into PrintRect and PrintRect in those
  // units; false (nothing to print) for an empty rectangle.
  bool CalcMetaBounds(const TRect& PrintRect, TRect& LogicalRect, TSize& LogicalSize) const;

  // -- events and mouse

  // Sends Event to every listener in order (a mouse event stops after the
  // listener that cancelled it) and returns it.
  TKorEvent& BroadcastKorEvent(TKorEvent& Event);
  void BroadcastMouseEvent(TKorMouseEventKind Kind, TMouseButton Button, TShiftState Shift, int X,
                           int Y);
  void RemoveListener(IKorEventListener* Listener);
  TPoint GetCursorPos() const;

  // -- others

  // Horizontal / vertical size of the device in millimetres; 0 when the
  // vertical size is 0.
  static double ScreenRatio(const TCanvas& Canvas);
  bool IsScreenHighColor() const;
  // Makes Brush current in Color, changed to stay visible when a pattern
  // brush would vanish on BackColor.
  void SetBrushCanvas(TColor Color, const TChartBrush& Brush, TColor BackColor);
  // Replaces the drawing surface (nullptr is ignored); the new one takes
  // over the old one's settings.
  void SetInternalCanvas(std::unique_ptr<TCanvas3D> Canvas);
  // From another panel: border, rounding, buffering, print settings,
  // margins, monochrome, shadow, 3D settings and colour. Anything else is
  // offered to Source's AssignTo (a panel cannot become a picture).
  void Assign(const TPersistent& Source) override;
  // After the panel's properties were read from a stream.
  void Loaded() override;
  // Properties older streams wrote ("BorderStyle"); false when Name is not
  // one of them.
  bool ReadLegacyProperty(const QString& Name, const TPropertyValue& Value) override;

  TKorBeforePrintEvent OnBeforePrint;

 protected:
  // Draws the chart in the frame's drawing rectangle; empty here.
  virtual void InternalDraw(const TRect& UserRectangle);
  // Whether InternalDraw starts by covering every pixel of its rectangle
  // with opaque paint, so that what lay under the frame does not show;
  // false here.
  virtual bool FramePaintsEveryPixel() const { return false; }
  // Change handler of the owned drawing objects.
  virtual void CanvasChanged(TPersistent* Sender);
  // Border pen, outer bevel, border and inner bevel inside Rect.
  virtual void DrawPanelBevels(TRect Rect);

  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  // Ends every mouse drag in progress without finishing it: a handler of
  // the double click (or of another mouse event) opened a modal window,
  // which took the button's release.
  virtual void CancelMouseDrags();
  void MouseLeave() override;

 private:
  // Sub-object getters for the property table.
  TView3DOptions* View3DOptionsObject() { return FView3DOptions.get(); }
  TKorShadow* ShadowObject() { return FShadow.get(); }
  TChartHiddenPen* BorderObject() { return FBorder.get(); }
  void CalcChartRect();
  int PanelBorderWidth() const;
  void SetControlRounded();
  void PrintPartialInLogicalUnits(TCanvas& Canvas, const TRect& DeviceRect,
                                  const TRect& LogicalRect);

  TKorEventListeners FListeners;
  bool FApplyDepthOrder = true;
  bool FView3D = true;
  std::unique_ptr<TView3DOptions> FView3DOptions;
  std::unique_ptr<TCanvas3D> FPanelCanvas;
  std::array<int, 4> FMargins{3, 4, 3, 4};
  TKorUnits FMarginUnits = muPercent;
  bool FPrintProportional = true;
  int FPrintScalePercent = 0;
  TRect FPrintMargins{15, 15, 15, 15};
  TCursor FSavedCursor = crDefault;
  std::unique_ptr<TZoomPanning> FPanState;
  std::unique_ptr<TKorShadow> FShadow;
  std::unique_ptr<TChartHiddenPen> FBorder;
  int FBorderRound = 0;
  bool FRepaintOnChange = true;
  bool FUserChartRect = false;
  // caches: state of the frame and of the mouse action in progress
  bool FPrintingNow = false;
  bool FMouseCancelled = false;
  // A cancelled double click also swallows the press that follows it.
  bool FSkipDoubleClickPress = false;
  bool FRoundingNow = false;
  TRect FPlotRect;
  TRect FDrawBounds;
  int FPlotWidth = 0;
  int FPlotHeight = 0;
  int FPlotCenterX = 0;
  int FPlotCenterY = 0;
};
