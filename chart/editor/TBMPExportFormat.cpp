#include "chart/editor/TBMPExportFormat.h"

#include "chart/editor/TBMPOptions.h"

#include "chart/core/Korconst.h"
#include "chart/core/TCustomKorPanel.h"
#include "chart/core/TKorCanvas3D.h"

#include "platform/TBitmap.h"
#include "platform/TBitmapGraphic.h"
#include "platform/TClipboard.h"
#include "platform/TRect.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

std::unique_ptr<TGraphic> NewBitmap() {
  return std::make_unique<TBitmapGraphic>();
}

}  // namespace

TBMPExportFormat::TBMPExportFormat() = default;

TBMPExportFormat::~TBMPExportFormat() {
  delete FOptions.data();
}

std::unique_ptr<TKorExportFormat> TBMPExportFormat::Create() {
  return std::make_unique<TBMPExportFormat>();
}

QWidget* TBMPExportFormat::Options(bool Create) {
  if (FOptions == nullptr && Create) FOptions = new TBMPOptions();  // deleted with the format
  return FOptions.data();
}

QString TBMPExportFormat::Description() const {
  return Korconst::KorMsg_AsBMP;
}

QString TBMPExportFormat::FileExtension() const {
  return QStringLiteral("bmp");
}

QString TBMPExportFormat::FileFilter() const {
  return Korconst::KorMsg_BMPFilter;
}

TKorGraphicClass TBMPExportFormat::GraphicClass() const {
  return NewBitmap;
}

std::unique_ptr<TBitmap> TBMPExportFormat::Bitmap() {
  Options();
  CheckSize();
  TCustomKorPanel& Panel = *GetPanel();
  const bool Mono = FOptions->CBMono->isChecked();
  const auto Format =
      Mono ? pfDevice : static_cast<TPixelFormat>(FOptions->CBColors->currentIndex());
  // The panel makes a freely rotating canvas's bitmap 24-bit whatever is asked.
  std::unique_ptr<TBitmap> Result =
      Panel.KorCreateBitmap(Panel.GetColor(), TRect(0, 0, GetWidth(), GetHeight()), Format);
  if (Mono && !Panel.GetPanelCanvas().GetSupportsFullRotation()) Result->SetMonochrome(true);
  return Result;
}

void TBMPExportFormat::DoCopyToClipboard() {
  Clipboard().Assign(*Bitmap());
}

void TBMPExportFormat::SaveToStream(QIODevice& Stream) {
  Bitmap()->SaveToStream(Stream);
}

void KorSaveToBitmap(TCustomKorPanel* Panel, const QString& FileName, const TRect& R) {
  TBMPExportFormat Format;
  Format.SetPanel(Panel);
  Format.SetWidth(R.Width());
  Format.SetHeight(R.Height());
  Format.SaveToFile(FileName);
}

void RegisterBMPExportFormat() {
  RegisterKorExportFormat(TBMPExportFormat::Create);
}

void UnRegisterBMPExportFormat() {
  UnRegisterKorExportFormat(TBMPExportFormat::Create);
}
