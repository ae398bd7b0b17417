#include "chart/editor/NativeChartStream.h"

#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TCustomChart.h"
#include "platform/ClassRegistry.h"
#include "platform/Exception.h"
#include "platform/ObjectTextConversion.h"
#include "platform/ScopeGuard.h"
#include "platform/TStream.h"
#include "platform/TWriter.h"
#include "platform/WriteFileReplacing.h"

#include <QFileInfo>

#include <vector>

namespace {

enum class TNativeForm { nfNone, nfBinary, nfText };

void WriteHeader(TStream& Stream) {
  Stream.WriteUInt8(KorNativeMagic & 0xFF);
  Stream.WriteUInt8(KorNativeMagic >> 8);
  Stream.WriteUInt8(KorNativeVersion & 0xFF);
  Stream.WriteUInt8(KorNativeVersion >> 8);
}

// Looks at the first bytes without moving the position.
TNativeForm DetectForm(TStream& Stream) {
  const qint64 Start = Stream.Position();
  unsigned char Bytes[2] = {};
  const qint64 Got = Stream.Read(Bytes, 2);
  Stream.Seek(Start);
  if (Got >= 1 && (Bytes[0] == 'O' || Bytes[0] == 'o')) return TNativeForm::nfText;
  if (Got == 2 && (Bytes[0] | (Bytes[1] << 8)) == KorNativeMagic) return TNativeForm::nfBinary;
  return TNativeForm::nfNone;
}

// The save-data settings of each series, put back after a save.
struct TSavedDataFlags {
  TChartSeries* Series;
  bool Force;
  bool DontSave;
};

std::vector<TSavedDataFlags> MarkSeriesForSave(TCustomChart& Chart, bool IncludeData) {
  std::vector<TSavedDataFlags> Saved;
  for (int I = 0; I < Chart.SeriesCount(); ++I) {
    TChartSeries* Series = Chart.GetSeries(I);
    Saved.push_back({Series, Series->GetForceSaveData(), Series->GetDontSaveData()});
    Series->SetForceSaveData(IncludeData);
    Series->SetDontSaveData(!IncludeData);
  }
  return Saved;
}

void WriteChartComponent(TCustomChart& Chart, TStream& Stream, bool IncludeData) {
  WriteHeader(Stream);
  const std::string Name = Chart.GetName();
  const bool KeepName = Chart.InState(TComponent::csDesigning);
  if (!KeepName) Chart.SetName(std::string());
  const std::vector<TSavedDataFlags> Saved = MarkSeriesForSave(Chart, IncludeData);
  TScopeGuard Restore([&] {
    for (const TSavedDataFlags& Flags : Saved) {
      Flags.Series->SetForceSaveData(Flags.Force);
      Flags.Series->SetDontSaveData(Flags.DontSave);
    }
    if (!KeepName) Chart.SetName(Name);
  });
  TWriter Writer(Stream);
  Writer.SetRoot(Chart.GetOwner() != nullptr ? Chart.GetOwner() : &Chart);
  Writer.WriteSignature();
  Writer.WriteComponent(Chart);
}

QString RootClassName(TStream& Stream) {
  const qint64 Start = Stream.Position();
  TReader Peek(Stream);
  Peek.ReadSignature();
  QString Name = Peek.ReadShortString();
  if (!Name.isEmpty() && (Name.at(0).unicode() & 0xF0) == 0xF0) Name = Peek.ReadShortString();
  Stream.Seek(Start);
  return Name;
}

// A new chart of the class the stream names, or none.
TCustomChart* CreateChartOfStream(TStream& Stream) {
  const TClassInfo* Class = GetClass(RootClassName(Stream));
  if (Class == nullptr || !Class->IsComponent()) return nullptr;
  TComponent* Component = Class->Create(nullptr);
  if (auto* Chart = dynamic_cast<TCustomChart*>(Component)) return Chart;
  delete Component;
  return nullptr;
}

void ReadTrailingData(TCustomChart& Chart, TStream& Stream) {
  for (int I = 0; I < Chart.SeriesCount() && Stream.Remaining() > 0; ++I)
    Chart.GetSeries(I)->ReadData(Stream);
}

void ReadChart(TCustomChart*& Chart, TStream& Binary, const TProcKorCheckStream& Check,
               bool TryReadData) {
  unsigned char Header[4];
  Binary.ReadBuffer(Header, 4);
  const bool Created = Chart == nullptr;
  if (Created) Chart = CreateChartOfStream(Binary);
  if (Chart == nullptr) throw ChartException(Korconst::KorMsg_InvalidKorFile);
  try {
    TChartReader Reader(Binary, Check);
    Reader.ReadSignature();
    Reader.ReadRootComponent(*Chart);
    if (TryReadData) ReadTrailingData(*Chart, Binary);
  } catch (...) {
    if (Created) {
      delete Chart;
      Chart = nullptr;
    }
    throw;
  }
}

void ClearChart(TCustomChart& Chart) {
  Chart.FreeAllSeries();
  Chart.GetTools().Clear();
}

}  // namespace

QString KorCheckExtension(const QString& FileName) {
  if (!QFileInfo(FileName).suffix().isEmpty()) return FileName;
  return FileName + QLatin1Char('.') + Korconst::KorMsg_KorExtension;
}

void SaveChartToStream(TCustomChart& Chart, TStream& Stream, bool IncludeData, bool TextForm) {
  if (!TextForm) return WriteChartComponent(Chart, Stream, IncludeData);
  TMemoryStream Binary;
  WriteChartComponent(Chart, Binary, IncludeData);
  Binary.Seek(4);
  ObjectBinaryToText(Binary, Stream);
}

void SaveChartToFile(TCustomChart& Chart, const QString& FileName, bool IncludeData,
                     bool TextForm) {
  TMemoryStream Stream;
  SaveChartToStream(Chart, Stream, IncludeData, TextForm);
  WriteFileReplacing(KorCheckExtension(FileName), Stream.Bytes());
}

void LoadChartFromStreamCheck(TCustomChart*& Chart, TStream& Stream,
                              const TProcKorCheckStream& Check, bool TryReadData) {
  if (Stream.Remaining() <= 0) throw ChartException(Korconst::KorMsg_EmptyKorFile);
  const TNativeForm Form = DetectForm(Stream);
  if (Form == TNativeForm::nfNone) throw ChartException(Korconst::KorMsg_WrongKorFileFormat);
  TCustomChart* Existing = Chart;
  if (Existing != nullptr) {
    Existing->SetAutoRepaint(false);
    ClearChart(*Existing);
  }
  // Whatever happens below, the chart paints again.
  TScopeGuard Repaint([&Chart] {
    if (Chart == nullptr) return;
    Chart->SetAutoRepaint(true);
    Chart->Invalidate();
  });
  if (Form == TNativeForm::nfBinary) return ReadChart(Chart, Stream, Check, TryReadData);
  TMemoryStream Binary;
  WriteHeader(Binary);
  ObjectTextToBinary(Stream, Binary);
  Binary.Seek(0);
  ReadChart(Chart, Binary, Check, TryReadData);
}

void LoadChartFromStream(TCustomChart*& Chart, TStream& Stream) {
  LoadChartFromStreamCheck(Chart, Stream, TProcKorCheckStream(), true);
}

void LoadChartFromFileCheck(TCustomChart*& Chart, const QString& FileName,
                            const TProcKorCheckStream& Check) {
  TMemoryStream Stream = TMemoryStream::LoadFromFile(KorCheckExtension(FileName));
  LoadChartFromStreamCheck(Chart, Stream, Check, true);
}

void LoadChartFromFile(TCustomChart*& Chart, const QString& FileName) {
  LoadChartFromFileCheck(Chart, FileName, TProcKorCheckStream());
}

void ConvertKorFileToText(const QString& InputName, const QString& OutputName) {
  TMemoryStream Input = TMemoryStream::LoadFromFile(InputName);
  const TNativeForm Form = DetectForm(Input);
  if (Form == TNativeForm::nfNone) throw ChartException(Korconst::KorMsg_WrongKorFileFormat);
  if (Form == TNativeForm::nfText) return WriteFileReplacing(OutputName, Input.Bytes());
  TMemoryStream Output;
  Input.Seek(4);
  ObjectBinaryToText(Input, Output);
  WriteFileReplacing(OutputName, Output.Bytes());
}

void ConvertKorFileToBinary(const QString& InputName, const QString& OutputName) {
  TMemoryStream Input = TMemoryStream::LoadFromFile(InputName);
  const TNativeForm Form = DetectForm(Input);
  if (Form == TNativeForm::nfNone) throw ChartException(Korconst::KorMsg_WrongKorFileFormat);
  if (Form == TNativeForm::nfBinary) return WriteFileReplacing(OutputName, Input.Bytes());
  TMemoryStream Output;
  WriteHeader(Output);
  ObjectTextToBinary(Input, Output);
  WriteFileReplacing(OutputName, Output.Bytes());
}
