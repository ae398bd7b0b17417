#pragma once

#include "chart/editor/TKorExportFormat.h"

#include <QPointer>

class TBMPOptions;
class TBitmap;
struct TRect;

// Render role: the bitmap picture format, at the colour depth (or black and
// white) its options form chooses.
class TBMPExportFormat : public TKorExportFormat {
 public:
  TBMPExportFormat();
  ~TBMPExportFormat() override;

  void DoCopyToClipboard() override;
  QString Description() const override;
  QString FileExtension() const override;
  QString FileFilter() const override;
  TKorGraphicClass GraphicClass() const override;
  void SaveToStream(QIODevice& Stream) override;
  QWidget* Options(bool Create = true) override;

  // The panel drawn into a new bitmap of the format's size, filled with the
  // panel's colour first, at the chosen depth: 24 bits whenever the panel's
  // canvas rotates freely. The caller owns it.
  std::unique_ptr<TBitmap> Bitmap();

  static std::unique_ptr<TKorExportFormat> Create();

 private:
  QPointer<TBMPOptions> FOptions;  // owned; QPointer: a dialog may dock it
};

// Saves Panel as a bitmap file of R's width and height (a zero one takes
// the panel's); failures raise as TKorExportFormat::SaveToFile does.
void KorSaveToBitmap(TCustomKorPanel* Panel, const QString& FileName, const TRect& R);

// Adds the format to the export registry, and removes it.
void RegisterBMPExportFormat();
void UnRegisterBMPExportFormat();
