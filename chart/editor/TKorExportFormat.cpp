#include "chart/editor/TKorExportFormat.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"
#include "chart/core/Korhtml.h"
#include "chart/core/TCustomKorPanel.h"

#include "platform/Exception.h"
#include "platform/TGraphic.h"
#include "platform/WriteFileReplacing.h"

#include <QWidget>

#include <algorithm>

TKorExportFormat::TKorExportFormat() = default;

TKorExportFormat::~TKorExportFormat() = default;

void TKorExportFormat::CheckPanel() const {
  if (FPanel == nullptr) throw ChartException(Korconst::KorMsg_ExportPanelNotSet);
}

void TKorExportFormat::CheckSize() {
  CheckPanel();
  if (FWidth == 0) FWidth = FPanel->GetWidth();
  if (FHeight == 0) FHeight = FPanel->GetHeight();
}

void TKorExportFormat::CopyToClipboard() {
  CheckPanel();
  Options();  // so its settings apply
  CheckSize();
  DoCopyToClipboard();
}

void TKorExportFormat::SaveToFile(const QString& FileName) {
  CheckPanel();
  Options();
  CheckSize();
  WriteFileReplacing(FileName, [this](QIODevice& File) { SaveToStream(File); });
}

void TKorExportFormat::SaveToFile(TKorExportFormatClass FormatClass, TCustomKorPanel* Panel,
                                  const QString& FileName) {
  const std::unique_ptr<TKorExportFormat> Format = FormatClass();
  Format->SetPanel(Panel);
  Format->SaveToFile(FileName);
}

int TKorExportFormat::FileFilterIndex() const {
  return FFilterIndex;
}

void TKorExportFormat::IncFileFilterIndex(int& Index) {
  ++Index;
  FFilterIndex = Index;
}

bool TKorExportFormat::WantsFilterIndex(int Index) {
  return Index == FileFilterIndex();
}

QWidget* TKorExportFormat::Options(bool) {
  return nullptr;
}

TKorExportFormatClass TKorExportFormats::Get(int Index) const {
  KorCheckListIndex(Index, Count());
  return FItems[static_cast<size_t>(Index)];
}

int TKorExportFormats::IndexOf(TKorExportFormatClass FormatClass) const {
  const auto It = std::find(FItems.begin(), FItems.end(), FormatClass);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TKorExportFormats::Add(TKorExportFormatClass FormatClass) {
  FItems.push_back(FormatClass);
}

void TKorExportFormats::Remove(TKorExportFormatClass FormatClass) {
  const auto It = std::find(FItems.begin(), FItems.end(), FormatClass);
  if (It != FItems.end()) FItems.erase(It);
}

TKorExportFormats& KorExportFormats() {
  static TKorExportFormats Formats;
  return Formats;
}

void RegisterKorExportFormat(TKorExportFormatClass FormatClass) {
  if (!GraphicFileExtension) GraphicFileExtension = WithFileExtension;
  KorExportFormats().Add(FormatClass);
}

void UnRegisterKorExportFormat(TKorExportFormatClass FormatClass) {
  KorExportFormats().Remove(FormatClass);
}

std::unique_ptr<TGraphic> WithFileExtension(const QString& Extension) {
  const TKorExportFormats& Formats = KorExportFormats();
  for (int I = 0; I < Formats.Count(); ++I) {
    const std::unique_ptr<TKorExportFormat> Format = Formats.Get(I)();
    if (QLatin1Char('.') + Format->FileExtension().toUpper() != Extension.toUpper()) continue;
    const TKorGraphicClass Graphic = Format->GraphicClass();
    return Graphic != nullptr ? Graphic() : nullptr;
  }
  return nullptr;
}
