#pragma once

#include "chart/core/TBackImage.h"
#include "chart/core/TCustomKorPanel.h"

#include <functional>
#include <memory>

class TKorGradient;
class TKorZoom;

enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

class TCustomKorPanelExtended;

using TKorUndoZoomEvent = std::function<void(TCustomKorPanelExtended* Sender)>;

// Render and interaction: the chart panel with what every chart window has
// around its plot: a background gradient or picture, the panel shadow, and
// the zoom and panning settings with the inverting zoom rectangle.
class TCustomKorPanelExtended : public TCustomKorPanel {
 public:
  explicit TCustomKorPanelExtended(TComponent* AOwner);
  ~TCustomKorPanelExtended() override;

  QString ClassName() const override { return QStringLiteral("TCustomKorPanelExtended"); }
  // The panel's, then panning, zoom, gradient and back image (each of the
  // last two written only when it exists) and the print margins.
  const TPropertyList& Properties() const override;

  TPanningMode GetAllowPanning() const { return FAllowPanning; }
  void SetAllowPanning(TPanningMode Value);
  TKorZoom& GetZoom() const { return *FZoom; }
  void SetZoom(const TKorZoom& Value);
  // Created on first use; nullptr frees it, anything else is copied in.
  TKorGradient* GetGradient();
  const TKorGradient* ExistingGradient() const { return FGradient.get(); }
  void SetGradient(const TKorGradient* Value);
  // Created (empty) on first use; nullptr frees it, anything else is
  // copied in. Changes repaint the panel.
  TBackImage* GetBackImage();
  const TBackImage* ExistingBackImage() const { return FBackImage.get(); }
  void SetBackImage(const TPicture* Value);
  bool GetZoomedNow() const { return FZoomedNow; }
  void SetZoomedNow(bool Value) { FZoomedNow = Value; }

  // The zoom's Allow, Animated and AnimatedSteps.
  bool GetAllowZoom() const;
  void SetAllowZoom(bool Value);
  bool GetAnimatedZoom() const;
  void SetAnimatedZoom(bool Value);
  int GetAnimatedZoomSteps() const;
  void SetAnimatedZoomSteps(int Value);
  // False without a picture (and creates no back image).
  bool GetBackImageInside() const;
  void SetBackImageInside(bool Value);
  TKorBackImageMode GetBackImageMode();
  void SetBackImageMode(TKorBackImageMode Value);
  // The picture's transparency; false and ignored without a picture.
  bool GetBackImageTransp() const;
  void SetBackImageTransp(bool Value);
  // A back image object exists and holds a graphic.
  bool HasBackImage() const;

  // Calls OnUndoZoom, repaints and clears ZoomedNow.
  virtual void UndoZoom();
  // The zoom's drag rectangle with an inverting pen on the current canvas
  // (the frame's buffer, or the control's between frames); drawing it a
  // second time restores every pixel.
  void DrawZoomRectangle();
  // The back picture in R at depth Z, as its mode says.
  void DrawBitmap(const TRect& R, int Z);
  // Shadow, background, back picture and bevels of the panel in R.
  virtual void PanelPaint(const TRect& R);
  // The panel's gradient, else its colour (not when printing without the
  // panel, nor for the colour "none").
  virtual void FillPanelRect(const TRect& R);
  // Whether PanelPaint covers its whole rectangle with opaque colour (a
  // gradient counts as not covering).
  bool PanelPaintCovers() const;

  // From an extended panel: back image, gradient, panning and zoom; then
  // the panel's properties.
  void Assign(const TPersistent& Source) override;
  // Also "AllowZoom", "AnimatedZoom" and "AnimatedZoomSteps" into Zoom.
  bool ReadLegacyProperty(const QString& Name, const TPropertyValue& Value) override;
  // Streams write PrintMargins only when they are not all 15.
  bool IsPrintMarginsStored() const;
  // The print margins as the four integers left, top, right, bottom that
  // streams hold; a list of another length is ignored.
  TIntegerList GetPrintMarginList() const;
  void SetPrintMarginList(const TIntegerList& Value);

  TKorUndoZoomEvent OnUndoZoom;

 private:
  TKorZoom* ZoomObject() { return FZoom.get(); }
  // The back picture stretched over R as the view at depth Z demands.
  void StretchBackImage(const TRect& R, int Z, bool Orthogonal);
  // R projected to depth Z (one pixel lower at the top in a flat view).
  TRect ProjectedRect(const TRect& R, int Z) const;
  void TileBackImage(const TRect& R, int Z, bool Orthogonal);
  void PlaceBackImage(const TRect& R, int Z, bool Orthogonal);
  TColor ParentBackColor() const;

  TPanningMode FAllowPanning = pmBoth;
  std::unique_ptr<TKorZoom> FZoom;
  std::unique_ptr<TKorGradient> FGradient;  // created on first use
  std::unique_ptr<TBackImage> FBackImage;   // created on first use
  bool FZoomedNow = false;
};
