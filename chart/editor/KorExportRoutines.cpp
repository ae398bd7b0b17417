#include "chart/editor/KorExportRoutines.h"

#include "chart/core/Korconst.h"
#include "chart/core/TCustomKorPanel.h"

#include "platform/ModalHooks.h"
#include "platform/OptionsStore.h"
#include "platform/ScopeGuard.h"
#include "platform/TReader.h"
#include "platform/TStream.h"
#include "platform/TWriter.h"
#include "platform/WriteFileReplacing.h"

#include <QDir>

namespace {

// Where the user's options name the folders of help files.
const QString HelpKey = QStringLiteral("SOFTWARE\\Korvale\\Help");

}  // namespace

void KorFillPictureDialog(TFileDialogRequest& Dialog, TCustomKorPanel* Panel,
                          std::vector<std::unique_ptr<TKorExportFormat>>* Formats) {
  int Running = Dialog.Filter.isEmpty() ? 0 : 1;
  const TKorExportFormats& Registered = KorExportFormats();
  for (int I = 0; I < Registered.Count(); ++I) {
    std::unique_ptr<TKorExportFormat> Format = Registered.Get(I)();
    Format->SetPanel(Panel);
    Format->IncFileFilterIndex(Running);
    if (!Dialog.Filter.isEmpty()) Dialog.Filter += u'|';
    Dialog.Filter += Format->FileFilter();
    if (Formats != nullptr) Formats->push_back(std::move(Format));
  }
}

void KorExportSavePanel(TKorExportFormatClass FormatClass, TCustomKorPanel& Panel) {
  const std::unique_ptr<TKorExportFormat> Format = FormatClass();
  Format->SetPanel(&Panel);
  int Running = 0;  // the dialog lists this format's entries alone
  Format->IncFileFilterIndex(Running);
  TFileDialogRequest Dialog;
  Dialog.Kind = TFileDialogKind::fdSave;
  Dialog.Filter = Format->FileFilter();
  Dialog.DefaultExt = Format->FileExtension();
  Dialog.FolderKind = KorExportFolderKind;
  Dialog.OverwritePrompt = true;
  const TFileDialogAnswer Answer = ExecuteFileDialog(Dialog);
  if (!Answer.Accepted) return;
  Format->WantsFilterIndex(Answer.FilterIndex);
  Format->SaveToFile(Answer.FileName);
}

void KorSavePanel(TKorExportFormatClass FormatClass, TCustomKorPanel& Panel) {
  KorExportSavePanel(FormatClass, Panel);
}

void SaveKorToStream(TCustomKorPanel& Panel, TStream& Stream) {
  TWriter Writer(Stream);
  Writer.SetRoot(Panel.GetOwner() != nullptr ? Panel.GetOwner() : &Panel);
  Writer.WriteSignature();
  Writer.WriteComponent(Panel);
}

void SaveKorToFile(TCustomKorPanel& Panel, const QString& FileName) {
  const bool WasVisible = Panel.GetVisible();
  Panel.SetVisible(true);
  TScopeGuard Restore([&Panel, WasVisible] { Panel.SetVisible(WasVisible); });
  TMemoryStream Stream;
  SaveKorToStream(Panel, Stream);
  WriteFileReplacing(FileName, Stream.Bytes());
}

void LoadKorFromStream(TCustomKorPanel& Panel, TStream& Stream) {
  TReader Reader(Stream);
  Reader.ReadSignature();
  Reader.ReadRootComponent(Panel);
}

void LoadKorFromFile(TCustomKorPanel& Panel, const QString& FileName) {
  TMemoryStream Stream = TMemoryStream::LoadFromFile(FileName);
  LoadKorFromStream(Panel, Stream);
}

QString KorDataFilter() {
  using namespace Korconst;
  return QStringList{KorMsg_TextFilter1, KorMsg_TextFilter2, KorMsg_TextFilter3, KorMsg_TextFilter4,
                     KorMsg_TextFilter5, KorMsg_XMLFilter,   KorMsg_HTMLFilter,  KorMsg_ExcelFilter}
      .join(u'|');
}

QString KorDataFilterExtension(int Index) {
  // Entry Index is the description at 2 Index - 2 and the pattern after it.
  const QString Pattern = KorDataFilter().section(u'|', 2 * Index - 1, 2 * Index - 1);
  return Pattern.section(u'.', 1);
}

QString GetRegistryHelpPath(const QString& FileName) {
  const OptionsStore& Options = OptionsStore::User();
  if (!Options.KeyExists(HelpKey)) return QString();
  const QString Folder = Options.ReadString(HelpKey, FileName, QString());
  return QDir(Folder).filePath(FileName);
}
