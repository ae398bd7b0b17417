#pragma once

#include "platform/TPicture.h"
#include "platform/TRect.h"

#include <QDialog>
#include <QString>

#include <memory>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QShowEvent;
class TBitmap;
class TButtonColor;
class TCanvas;
class TChartBrush;
class TFont;

// Interaction: the dialog that edits a chart brush (fill style, colour,
// pattern or texture picture). Edits go to the brush at once, so the chart
// shows them live; Cancel puts the brush back as it was when the dialog
// opened.
class TBrushDialog : public QDialog {
 public:
  // Rows of LStyle: the eight hatch styles, twelve pattern bitmaps, seven
  // textures.
  static constexpr int StyleCount = 27;
  static constexpr int FirstPattern = 8;
  static constexpr int FirstTexture = 20;

  explicit TBrushDialog(QWidget* Owner);
  ~TBrushDialog() override;

  // The brush edited; not owned, kept alive by the caller while the dialog
  // is open. Set before showing.
  TChartBrush* GetBrush() const { return FBrush; }
  void SetBrush(TChartBrush* Value) { FBrush = Value; }

  // Takes the backup and fills the controls from the brush; run when the
  // dialog is shown.
  void FormShow();
  // Applies the chosen row of LStyle to the brush.
  void LStyleClick();
  // Clears the brush picture (caption "Clea&r") or loads one from a file
  // (caption "B&rowse...").
  void Button1Click();
  void BColorClick();
  void Button3Click();
  // Escape and the window's close button count as "Cancel".
  void reject() override;
  // Frees the backup as the dialog closes.
  void done(int Result) override;

  // Paints row Index of LStyle in Rect (client pixels of the list).
  void LStyleDrawItem(TCanvas& Canvas, int Index, const TRect& Rect, bool Selected) const;

  // The hidden texture pictures, in row order from "Metal" (Index 0..6).
  const TPicture& Texture(int Index) const;

  QListWidget* LStyle = nullptr;
  QPushButton* BOK = nullptr;
  QPushButton* Button3 = nullptr;
  TButtonColor* BColor = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Image1 = nullptr;
  QPushButton* Button1 = nullptr;
  TPicture ImageMetal;
  TPicture ImageWood;
  TPicture ImageStone;
  TPicture ImageClouds;
  TPicture ImageGrass;
  TPicture ImageFire;
  TPicture ImageSnow;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void LoadTextures();
  // Tag 1 / "Clea&r" and a preview with a picture, tag 0 / "B&rowse..."
  // without.
  void CheckImageButton();
  void EnableColor();
  // Selects the row of the brush's style (no row with None) without
  // applying it.
  void SelectStyleItem(bool None);
  void ApplyItem(int Index);
  // The picture's bitmap of row Index (patterns and textures), for the
  // swatches; cached on first use.
  const TBitmap* ItemBitmap(int Index) const;

  TChartBrush* FBrush = nullptr;         // not owned
  std::unique_ptr<TChartBrush> FBackup;  // from show until the dialog closes
  bool FModified = false;
  // 1 while Button1 clears the picture, 0 while it browses for one.
  int FImageTag = 0;
  // Set while code moves the selection: not an edit.
  bool FFilling = false;
  // caches
  // The pattern bitmaps for the swatches, loaded on the first paint.
  mutable std::unique_ptr<TBitmap> FPatterns[FirstTexture - FirstPattern];
};

// Edits Brush in the brush dialog, shown modally over Owner; true when
// closed with OK (the brush keeps the edits), false after Cancel (the brush
// is as before).
bool EditChartBrush(QWidget* Owner, TChartBrush& Brush);

// The font dialog preset with Font; on OK Font takes the chosen font.
// Returns whether OK was pressed.
bool EditKorFont(QWidget* Owner, TFont& Font);

// Asks for a picture file to open; the chosen name, or empty.
QString KorGetPictureFileName(QWidget* Owner);

// A picture holding a graphic is emptied; an empty one is loaded from a
// file the user chooses (left empty when none is chosen). Load failures
// propagate (EInvalidGraphic, EFileError).
void KorLoadClearImage(QWidget* Owner, TPicture& Picture);

// Pattern bitmap Index (0..11) into Bitmap, transparent with white as the
// transparent colour. An index without a pattern leaves Bitmap as it was.
void GetKorBrush(int Index, TBitmap& Bitmap);
