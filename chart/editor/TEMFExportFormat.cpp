#include "chart/editor/TEMFExportFormat.h"

#include "chart/editor/TEMFOptions.h"

#include "chart/core/Korconst.h"
#include "chart/core/TCustomKorPanel.h"

#include "platform/TClipboard.h"
#include "platform/TMetafile.h"

#include <QCheckBox>

namespace {

std::unique_ptr<TGraphic> NewMetafile() {
  return std::make_unique<TMetafile>();
}

}  // namespace

TEMFExportFormat::TEMFExportFormat() = default;

TEMFExportFormat::~TEMFExportFormat() {
  delete FOptions.data();
}

std::unique_ptr<TKorExportFormat> TEMFExportFormat::Create() {
  return std::make_unique<TEMFExportFormat>();
}

bool TEMFExportFormat::GetEnhanced() const {
  return FOptions == nullptr || FOptions->CBEnhanced->isChecked();
}

void TEMFExportFormat::SetEnhanced(bool Value) {
  Options();
  FOptions->CBEnhanced->setChecked(Value);
}

QWidget* TEMFExportFormat::Options(bool Create) {
  if (FOptions == nullptr && Create) FOptions = new TEMFOptions();  // deleted with the format
  return FOptions.data();
}

int TEMFExportFormat::FileFilterIndex() const {
  return GetEnhanced() ? FFilterIndex : FFilterIndex + 1;
}

void TEMFExportFormat::IncFileFilterIndex(int& Index) {
  TKorExportFormat::IncFileFilterIndex(Index);
  ++Index;  // the placeable form's entry
}

bool TEMFExportFormat::WantsFilterIndex(int Index) {
  if (Index != FFilterIndex && Index != FFilterIndex + 1) return false;
  SetEnhanced(Index == FFilterIndex);
  return true;
}

QString TEMFExportFormat::Description() const {
  return Korconst::KorMsg_AsEMF;
}

QString TEMFExportFormat::FileExtension() const {
  return GetEnhanced() ? QStringLiteral("emf") : QStringLiteral("wmf");
}

QString TEMFExportFormat::FileFilter() const {
  return Korconst::KorMsg_EMFFilter;
}

TKorGraphicClass TEMFExportFormat::GraphicClass() const {
  return NewMetafile;
}

std::unique_ptr<TMetafile> TEMFExportFormat::Metafile() {
  CheckSize();
  return GetPanel()->KorCreateMetafile(GetEnhanced(), TRect(0, 0, GetWidth(), GetHeight()));
}

void TEMFExportFormat::DoCopyToClipboard() {
  const std::unique_ptr<TMetafile> Picture = Metafile();
  Clipboard().Assign(static_cast<const TGraphic&>(*Picture));
}

void TEMFExportFormat::SaveToStream(QIODevice& Stream) {
  Metafile()->SaveToStream(Stream);
}

void RegisterEMFExportFormat() {
  RegisterKorExportFormat(TEMFExportFormat::Create);
}

void UnRegisterEMFExportFormat() {
  UnRegisterKorExportFormat(TEMFExportFormat::Create);
}
