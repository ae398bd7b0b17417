#pragma once

#include "platform/TRect.h"

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QShowEvent;
class TButtonGradient;
class TButtonPen;
class TCanvas;
class TChartSeries;
class TComboFlat;
class TEditUpDown;
class TPersistent;
class TSeriesPointer;
class TUpDown;

// Interaction: the page that edits a series pointer: visibility, 3D look,
// sizes, style, fill, frame and gradient. Its object (the tag, or the one
// given to SetObject) is either a pointer or a series that owns one; only
// a series offers its colour-each-point switch. Controls write into the
// pointer at once.
class TSeriesPointerEditor : public QDialog {
 public:
  explicit TSeriesPointerEditor(QWidget* Parent = nullptr);
  ~TSeriesPointerEditor() override;

  // The object edited when the form is not docked with a tag (the
  // stand-alone dialog); a tag, when there is one, wins.
  void SetObject(TPersistent* Value) { FObject = Value; }
  TSeriesPointer* GetPointer() const { return FPointer; }
  // The series owning the pointer when the object is a series, else
  // nullptr.
  TChartSeries* GetTheSeries() const { return FSeries; }

  // The stand-alone dialog: the series-only box hidden, "Close" shown.
  void SetStandalone(bool Value);
  // Hides the width and height options whatever the pointer allows.
  void HideSizeOptions();

  // Reads the object and fills the controls; run when the form is shown.
  virtual void FormShow();
  void CBDrawPointClick();
  void CB3dPointClick();
  void CBPoDarkClick();
  void CBInflateClick();
  void SEPointHorizSizeChange();
  void SEPointVertSizeChange();
  void CBStyleChange();
  void BPointFillColorClick();
  void CBDefBrushColorClick();
  void CBColorEachClick();

  // Paints style item Index in Rect (client pixels of the list) with the
  // real pointer shape in the pointer's colours.
  void CBStyleDrawItem(TCanvas& Canvas, int Index, const TRect& Rect, bool Selected) const;

  QCheckBox* CBDrawPoint = nullptr;
  QCheckBox* CB3dPoint = nullptr;
  QCheckBox* CBPoDark = nullptr;
  QCheckBox* CBInflate = nullptr;
  QCheckBox* CBColorEach = nullptr;
  QLabel* LWidth = nullptr;
  TEditUpDown* SEPointHorizSize = nullptr;
  QLabel* LHeight = nullptr;
  TEditUpDown* SEPointVertSize = nullptr;
  TComboFlat* CBStyle = nullptr;
  QPushButton* BPointFillColor = nullptr;
  QCheckBox* CBDefBrushColor = nullptr;
  TButtonPen* BPoinPenCol = nullptr;
  TButtonGradient* BGradient = nullptr;
  QPushButton* Button1 = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;
  // Runs a handler body unless the form is filling itself; a refused edit
  // is reported and the controls show the pointer again.
  void Apply(const std::function<void()>& Edit);
  // Set while code fills the controls: changes then are not edits.
  bool FFilling = false;

 private:
  void BuildControls();
  void Connect();
  void FillControls();
  // "&3D" only for the shapes that have a solid form in a 3D chart.
  void Check3D();
  // Everything but the 3D boxes follows the pointer's visibility.
  void EnableVisibleControls();
  void ShowSizeOptions();
  void RefreshDefault();

  TPersistent* FObject = nullptr;      // not owned
  TSeriesPointer* FPointer = nullptr;  // not owned
  TChartSeries* FSeries = nullptr;     // not owned
  bool FStandalone = false;
  bool FHideSizes = false;
};

// Registers "TSeriesPointerEditor" (also the format page of point series).
void RegisterSeriesPointerEditor();

// The pointer editor as a modal dialog titled "Pointer" over Owner (centred
// on it, or on the screen without one), with "Close" and without the
// series-only controls. Returns true.
bool EditSeriesPointer(QWidget* Owner, TSeriesPointer& Pointer);

// Adds a pointer editor tab captioned TabCaption through the series page
// (see InsertSeriesForm). Pointer is a series pointer or a series owning
// one. nullptr when the pointer editor is not registered.
QWidget* KorInsertPointerForm(QWidget& Parent, TPersistent* Pointer, const QString& TabCaption);
