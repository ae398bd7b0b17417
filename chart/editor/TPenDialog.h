#pragma once

#include "chart/core/TChartPen.h"

#include "platform/TRect.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QShowEvent;
class TButtonColor;
class TCanvas;
class TComboFlat;
class TEditUpDown;
class TUpDown;

// Interaction: the dialog that edits a line's pen (visibility, style,
// width, end style, colour). Edits go to the pen at once, so the chart
// shows them live; Cancel puts the pen back as it was when the dialog
// opened.
class TPenDialog : public QDialog {
 public:
  explicit TPenDialog(QWidget* Owner);
  ~TPenDialog() override;

  // The pen edited; not owned, kept alive by the caller while the dialog
  // is open. Set before showing.
  TPen* GetPen() const { return FPen; }
  void SetPen(TPen* Value) { FPen = Value; }
  // Hides the colour button (for pens whose colour is edited elsewhere).
  bool GetHideColor() const { return FHideColor; }
  void SetHideColor(bool Value) { FHideColor = Value; }
  bool GetModified() const { return FModified; }

  // Fills the controls from the pen and takes the backup; run when the
  // dialog is shown.
  void FormShow();
  void SEWidthChange();
  void CBEndStyleChange();
  void CBVisibleClick();
  void CBStyleChange();
  void BColorClick();
  void BCancelClick();
  // Escape and the window's close button count as "Cancel".
  void reject() override;

  // Paints style item Index in Rect (client pixels of the list).
  void CBStyleDrawItem(TCanvas& Canvas, int Index, const TRect& Rect, bool Selected) const;

  QCheckBox* CBVisible = nullptr;
  QLabel* Label1 = nullptr;
  TComboFlat* CBStyle = nullptr;
  QLabel* Label2 = nullptr;
  TEditUpDown* SEWidth = nullptr;
  TUpDown* UDWidth = nullptr;
  TComboFlat* CBEndStyle = nullptr;
  TButtonColor* BColor = nullptr;
  QPushButton* BOK = nullptr;
  QPushButton* BCancel = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;
  // The pen as a chart pen, or nullptr for a plain pen.
  TChartPen* ChartPen() const;
  // Whether the style list ends with "Small Dots" for chart pens; a pen
  // with small dots then selects no style when it is not offered.
  virtual bool OffersSmallDots() const;

 private:
  void BuildControls();
  void FillStyles();
  void EnableWidth(bool Enabled);
  // Wider pens draw solid outside the NT family, so the style only
  // matters at width 1 there.
  void RefreshStyleEnabled();
  bool IsSmallDotsItem(int Index) const;
  // Controls changed by code, not by the user: not an edit.
  bool Editing() const { return isVisible() && !FFilling; }

  TPen* FPen = nullptr;  // not owned
  bool FHideColor = false;
  TChartPen FBackup;
  bool FModified = false;
  bool FFilling = false;
};

// Edits Pen in the pen dialog, shown modally over Owner; true when closed
// with OK (the pen keeps the edits), false after Cancel (the pen is as
// before).
bool EditChartPen(QWidget* Owner, TPen& Pen, bool HideColor = false);
