#include "chart/editor/TKorExportFormBase.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/KorEmail.h"
#include "chart/editor/KorExportRoutines.h"
#include "chart/editor/TKorExportFormat.h"

#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TComboFlat.h"
#include "chart/core/TCustomKorPanel.h"
#include "chart/core/TKorExportData.h"

#include "platform/Cursors.h"
#include "platform/FormatSettings.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TClipboard.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TRadioGroup.h"
#include "platform/TStream.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr int MaxPictureSize = 3000;

QWidget* AddPage(QTabWidget& Pages, const QString& Name, const QString& Caption) {
  auto* Page = new QWidget(&Pages);
  Page->setObjectName(Name);
  Pages.addTab(Page, Caption);
  return Page;
}

TEditUpDown* AddSizeEdit(QWidget& Page, const QString& Name, const QString& UpDownName, int Top) {
  auto* Edit = TFormBuilder::AddTo<TEditUpDown>(Page, Name, QStringLiteral("0"), 64, Top, 60, 21);
  Edit->GetUpDown()->setObjectName(UpDownName);
  Edit->SetMin(0);
  Edit->SetMax(MaxPictureSize);
  return Edit;
}

QString WithoutAccelerators(QString Text) {
  return Text.remove(u'&');
}

// The name with its extension (if any) replaced by "." + Extension.
QString ChangeFileExt(const QString& FileName, const QString& Extension) {
  const QFileInfo Info(FileName);
  const QString Suffix = Info.suffix();
  const QString Stem =
      Suffix.isEmpty() ? FileName : FileName.left(FileName.size() - Suffix.size() - 1);
  return Stem + u'.' + Extension;
}

// The name as the user gave it when it has an extension, else with
// "." + Extension. A suffix of digits alone ("run 1.5", "scan.003") is part
// of the name, not a file type.
QString WithExtension(const QString& FileName, const QString& Extension) {
  const QString Suffix = QFileInfo(FileName).suffix();
  if (std::any_of(Suffix.begin(), Suffix.end(), [](QChar C) { return C.isLetter(); }))
    return FileName;
  return FileName.endsWith(u'.') ? FileName + Extension : FileName + u'.' + Extension;
}

// Whether Name may be written: the file dialog asked about the name the
// user confirmed, so a name the export changed is asked about here.
bool MayReplace(const QString& Name, const QString& Confirmed, QWidget* Parent) {
  return Name == Confirmed || !QFileInfo::exists(Name) ||
         KorYesNo(QStringLiteral("%1 already exists.\nDo you want to replace it?")
                      .arg(QFileInfo(Name).fileName()),
                  Parent);
}

QString UpperExtension(const QString& FileName) {
  return QFileInfo(FileName).suffix().toUpper();
}

// The extensions of a "description|*.ext|..." filter, in entry order.
QStringList FilterExtensions(const QString& Filter) {
  QStringList Extensions;
  const QStringList Parts = Filter.split(u'|');
  for (int I = 1; I < Parts.size(); I += 2)
    Extensions << Parts[I].section(u'.', 1).section(u';', 0, 0).toUpper();
  return Extensions;
}

}  // namespace

TKorExportFormBase::TKorExportFormBase(QWidget* Owner) : QDialog(Owner) {
  setObjectName(QStringLiteral("KorExportFormBase"));
  setWindowTitle(QStringLiteral("Export Dialog"));
  FSubject = QStringLiteral("KorChart");
  for (TFileDialogRequest* Request : {&SaveDialogPicture, &SaveDialogNative, &SaveDialogData}) {
    Request->Kind = TFileDialogKind::fdSave;
    Request->OverwritePrompt = true;
    Request->FolderKind = KorExportFolderKind;
    Request->Parent = this;
  }
  BuildControls();
  ConnectControls();
  setFixedSize(378, 239);
}

TKorExportFormBase::~TKorExportFormBase() = default;

void TKorExportFormBase::BuildControls() {
  PageControl1 = TFormBuilder::AddTo<QTabWidget>(*this, QStringLiteral("PageControl1"), QString(),
                                                 4, 4, 370, 196);
  TabPicture = AddPage(*PageControl1, QStringLiteral("TabPicture"), QStringLiteral("Picture"));
  TabNative = AddPage(*PageControl1, QStringLiteral("TabNative"), QStringLiteral("Native"));
  TabData = AddPage(*PageControl1, QStringLiteral("TabData"), QStringLiteral("Data"));
  BuildPicturePage();
  BuildNativePage();
  BuildDataPage();
  BuildButtons();
}

void TKorExportFormBase::BuildPicturePage() {
  GroupFormat = TFormBuilder::AddTo<QGroupBox>(*TabPicture, QStringLiteral("GroupFormat"),
                                               QStringLiteral("&Format"), 6, 4, 130, 160);
  LBFormat = TFormBuilder::AddTo<QListWidget>(*GroupFormat, QStringLiteral("LBFormat"), QString(),
                                              8, 20, 114, 132);
  PageOptions = TFormBuilder::AddTo<QTabWidget>(*TabPicture, QStringLiteral("PageOptions"),
                                                QString(), 142, 4, 216, 160);
  TabOptions = AddPage(*PageOptions, QStringLiteral("TabOptions"), QStringLiteral("Options"));
  TabSize = AddPage(*PageOptions, QStringLiteral("TabSize"), QStringLiteral("Size"));
  auto* LabelWidth = TFormBuilder::AddTo<QLabel>(*TabSize, QStringLiteral("Label1"),
                                                 QStringLiteral("&Width:"), 8, 14, 52, 13);
  EWidth = AddSizeEdit(*TabSize, QStringLiteral("EWidth"), QStringLiteral("UDWidth"), 10);
  UDWidth = EWidth->GetUpDown();
  auto* LabelHeight = TFormBuilder::AddTo<QLabel>(*TabSize, QStringLiteral("Label2"),
                                                  QStringLiteral("&Height:"), 8, 42, 52, 13);
  EHeight = AddSizeEdit(*TabSize, QStringLiteral("EHeight"), QStringLiteral("UDHeight"), 38);
  UDHeight = EHeight->GetUpDown();
  LabelWidth->setBuddy(EWidth);
  LabelHeight->setBuddy(EHeight);
  CBAspect = TFormBuilder::AddTo<QCheckBox>(*TabSize, QStringLiteral("CBAspect"),
                                            QStringLiteral("&Keep aspect ratio"), 8, 70, 190, 17);
  CBAspect->setChecked(true);
}

void TKorExportFormBase::BuildNativePage() {
  TFormBuilder B(*TabNative);
  CBNativeData = B.Add<QCheckBox>(QStringLiteral("CBNativeData"),
                                  QStringLiteral("&Include Series data"), 12, 12, 200, 17);
  CBNativeData->setChecked(true);
  CBFileSize = B.Add<QCheckBox>(QStringLiteral("CBFileSize"), QStringLiteral("&File size:"), 12, 40,
                                100, 17);
  LabelSize = B.Add<QLabel>(QStringLiteral("LabelSize"), QStringLiteral("?"), 116, 42, 200, 13);
  CBNativeFormat = B.Add<TComboFlat>(QStringLiteral("CBNativeFormat"), QString(), 12, 70, 120, 21);
  CBNativeFormat->addItems({QStringLiteral("Binary"), QStringLiteral("Text")});
  CBNativeFormat->setCurrentIndex(0);
}

void TKorExportFormBase::BuildDataPage() {
  TFormBuilder B(*TabData);
  auto* LabelSeries =
      B.Add<QLabel>(QStringLiteral("Label3"), QStringLiteral("Se&ries:"), 8, 10, 56, 13);
  CBSeries = B.Add<TComboFlat>(QStringLiteral("CBSeries"), QString(), 68, 6, 150, 21);
  LabelSeries->setBuddy(CBSeries);
  RGText = new TRadioGroup(QStringLiteral("&Format:"), TabData);
  RGText->setObjectName(QStringLiteral("RGText"));
  RGText->setGeometry(8, 34, 114, 98);
  RGText->SetItems({QStringLiteral("Text"), QStringLiteral("XML"), QStringLiteral("HTML Table"),
                    QStringLiteral("Excel")});
  auto* LabelDelim =
      B.Add<QLabel>(QStringLiteral("Label4"), QStringLiteral("&Delimiter:"), 130, 40, 70, 13);
  CBDelim = B.Add<TComboFlat>(QStringLiteral("CBDelim"), QString(), 210, 36, 80, 21);
  CBDelim->addItems({QStringLiteral("Space"), QStringLiteral("Tab"), QStringLiteral("Comma"),
                     QStringLiteral("Colon"), QStringLiteral("Custom")});
  LabelDelim->setBuddy(CBDelim);
  ECustom = B.Add<QLineEdit>(QStringLiteral("ECustom"), QString(), 296, 36, 24, 21);
  ECustom->setMaxLength(1);
  auto* LabelQuotes =
      B.Add<QLabel>(QStringLiteral("Label5"), QStringLiteral("Text &Quotes:"), 130, 68, 78, 13);
  EQuotes = B.Add<QLineEdit>(QStringLiteral("EQuotes"), QString(), 210, 64, 24, 21);
  EQuotes->setMaxLength(1);
  LabelQuotes->setBuddy(EQuotes);
  auto* Include = B.Add<QGroupBox>(QStringLiteral("GroupInclude"), QStringLiteral("&Include:"), 130,
                                   92, 228, 70);
  const auto AddCheck = [Include](const QString& Name, const QString& Caption, int Left, int Top) {
    return TFormBuilder::AddTo<QCheckBox>(*Include, Name, Caption, Left, Top, 110, 17);
  };
  CBLabels = AddCheck(QStringLiteral("CBLabels"), QStringLiteral("Point &Labels"), 8, 20);
  CBIndex = AddCheck(QStringLiteral("CBIndex"), QStringLiteral("Point &Index"), 8, 44);
  CBHeader = AddCheck(QStringLiteral("CBHeader"), QStringLiteral("&Header"), 122, 20);
  CBColors = AddCheck(QStringLiteral("CBColors"), QStringLiteral("Point &Colors"), 122, 44);
  CBLabels->setChecked(true);
  CBHeader->setChecked(true);
}

void TKorExportFormBase::BuildButtons() {
  TFormBuilder B(*this);
  BCopy = B.Add<QPushButton>(QStringLiteral("BCopy"), QStringLiteral("&Copy"), 4, 208, 75, 25);
  BSave = B.Add<QPushButton>(QStringLiteral("BSave"), QStringLiteral("&Save..."), 84, 208, 75, 25);
  BSend = B.Add<QPushButton>(QStringLiteral("BSend"), QStringLiteral("S&end..."), 164, 208, 75, 25);
  BClose = B.Add<QPushButton>(QStringLiteral("BClose"), QStringLiteral("Close"), 299, 208, 75, 25);
  BClose->setDefault(true);
}

void TKorExportFormBase::ConnectControls() {
  const auto Guarded = [this](void (TKorExportFormBase::*Handler)()) {
    return [this, Handler] { RunGuarded([this, Handler] { (this->*Handler)(); }); };
  };
  connect(LBFormat, &QListWidget::currentRowChanged, this,
          Guarded(&TKorExportFormBase::LBFormatClick));
  connect(EWidth, &QLineEdit::textChanged, this, Guarded(&TKorExportFormBase::EWidthChange));
  connect(EHeight, &QLineEdit::textChanged, this, Guarded(&TKorExportFormBase::EHeightChange));
  connect(PageControl1, &QTabWidget::currentChanged, this,
          Guarded(&TKorExportFormBase::EnableButtons));
  connect(CBNativeFormat, &QComboBox::currentIndexChanged, this, [this] {
    RunGuarded([this] {
      EnableButtons();
      RefreshFileSize();
    });
  });
  connect(CBNativeData, &QCheckBox::clicked, this, Guarded(&TKorExportFormBase::RefreshFileSize));
  connect(CBFileSize, &QCheckBox::clicked, this, Guarded(&TKorExportFormBase::RefreshFileSize));
  RGText->OnClick = [this](TRadioGroup*) { RunGuarded([this] { RGTextClick(); }); };
  connect(CBDelim, &QComboBox::activated, this, Guarded(&TKorExportFormBase::CBDelimChange));
  connect(BCopy, &QPushButton::clicked, this, Guarded(&TKorExportFormBase::BCopyClick));
  connect(BSave, &QPushButton::clicked, this, Guarded(&TKorExportFormBase::BSaveClick));
  connect(BSend, &QPushButton::clicked, this, Guarded(&TKorExportFormBase::BSendClick));
  connect(BClose, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TKorExportFormBase::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

// ------------------------------------------------------------------ show

void TKorExportFormBase::FormShow() {
  RGText->SetItemIndex(dfText);
  if (void* Tag = KorFormTag(*this)) FExportPanel = static_cast<TCustomKorPanel*>(Tag);
  if (FExportPanel != nullptr) {
    FBusy = true;
    TScopeGuard NotBusy([this] { FBusy = false; });
    EWidth->SetPosition(FExportPanel->GetWidth());
    EHeight->SetPosition(FExportPanel->GetHeight());
    FAspect = FExportPanel->GetHeight() != 0
                  ? static_cast<double>(FExportPanel->GetWidth()) / FExportPanel->GetHeight()
                  : 0;
    PrepareOnShow();
    FillFormats();
    CBDelim->setCurrentIndex(dlTab);
    RGTextClick();
    if (LBFormat->count() > 0) LBFormat->setCurrentRow(0);
    LBFormatClick();
    EnableButtons();
  }
  KorTranslateControl(this);
}

void TKorExportFormBase::FillFormats() {
  LBFormat->clear();
  FFormats.clear();
  SaveDialogPicture.Filter.clear();
  KorFillPictureDialog(SaveDialogPicture, FExportPanel, &FFormats);
  for (const auto& Format : FFormats) LBFormat->addItem(WithoutAccelerators(Format->Description()));
}

TKorExportFormat* TKorExportFormBase::SelectedFormat() const {
  const int Row = LBFormat->currentRow();
  return Row >= 0 && Row < static_cast<int>(FFormats.size()) ? FFormats[Row].get() : nullptr;
}

void TKorExportFormBase::LBFormatClick() {
  for (QWidget* Child : TabOptions->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    Child->hide();
  TKorExportFormat* Format = SelectedFormat();
  QWidget* Options = Format != nullptr ? Format->Options(true) : nullptr;
  const bool HasOptions = Options != nullptr && !Options->findChildren<QWidget*>().isEmpty();
  PageOptions->setTabVisible(PageOptions->indexOf(TabOptions), HasOptions);
  if (HasOptions) {
    PageOptions->setCurrentWidget(TabOptions);
    AddFormTo(*Options, *TabOptions);
    KorTranslateControl(Options);
  } else {
    PageOptions->setCurrentWidget(TabSize);
  }
}

// --------------------------------------------------------- picture size

bool TKorExportFormBase::CouplesSize() const {
  return isVisible() && !FBusy && CBAspect->isChecked() && FAspect != 0;
}

void TKorExportFormBase::EWidthChange() {
  if (!CouplesSize()) return;
  FBusy = true;
  TScopeGuard NotBusy([this] { FBusy = false; });
  EHeight->SetPosition(static_cast<int>(std::lround(EWidth->GetPosition() / FAspect)));
}

void TKorExportFormBase::EHeightChange() {
  if (!CouplesSize()) return;
  FBusy = true;
  TScopeGuard NotBusy([this] { FBusy = false; });
  EWidth->SetPosition(static_cast<int>(std::lround(EHeight->GetPosition() * FAspect)));
}

// --------------------------------------------------------------- buttons

TKorExportFormBase::TExportPage TKorExportFormBase::ActivePage() const {
  const QWidget* Page = PageControl1->currentWidget();
  if (Page == TabNative) return TExportPage::epNative;
  if (Page == TabData) return TExportPage::epData;
  return TExportPage::epPicture;
}

bool TKorExportFormBase::NativeAsText() const {
  return CBNativeFormat->currentIndex() == 1;
}

void TKorExportFormBase::EnableButtons() {
  const TExportPage Page = ActivePage();
  bool Copy = Page == TExportPage::epPicture;
  if (Page == TExportPage::epData) Copy = ExistData();
  if (Page == TExportPage::epNative) Copy = NativeAsText();
  const bool Save = Copy || Page == TExportPage::epNative;
  // The spreadsheet is binary: nothing to copy as text.
  if (Page == TExportPage::epData && RGText->GetItemIndex() == dfExcel) Copy = false;
  BCopy->setEnabled(Copy);
  BSave->setEnabled(Save);
  BSend->setEnabled(Save && KorMailAvailable());
}

void TKorExportFormBase::BCopyClick() {
  switch (ActivePage()) {
    case TExportPage::epPicture:
      if (TKorExportFormat* Format = SelectedFormat()) {
        Format->SetWidth(EWidth->GetPosition());
        Format->SetHeight(EHeight->GetPosition());
        Format->CopyToClipboard();
      }
      break;
    case TExportPage::epData: {
      TScreenCursorScope HourGlass(crHourGlass);
      if (std::unique_ptr<TKorExportData> Data = CreateData()) Data->CopyToClipboard();
      break;
    }
    case TExportPage::epNative:
      if (NativeAsText()) Clipboard().SetAsText(QString::fromUtf8(CreateNativeStream()->Bytes()));
      break;
  }
}

TKorExportFormat* TKorExportFormBase::FormatForFile(const QString& FileName,
                                                    int FilterIndex) const {
  for (const auto& Format : FFormats)
    if (Format->WantsFilterIndex(FilterIndex)) return Format.get();
  // No filter of ours was picked: the first format that knows the name's
  // extension, in any of its entries (the metafile format has two). The
  // list's entries are the formats' entries in order, from 1.
  const QString Extension = UpperExtension(FileName);
  int FirstEntry = 1;
  for (const auto& Format : FFormats) {
    const QStringList Extensions = FilterExtensions(Format->FileFilter());
    const int Entry = static_cast<int>(Extensions.indexOf(Extension));
    if (!Extension.isEmpty() && Entry >= 0 && Format->WantsFilterIndex(FirstEntry + Entry))
      return Format.get();
    FirstEntry += static_cast<int>(Extensions.size());
  }
  return SelectedFormat();
}

void TKorExportFormBase::SavePicture(TKorExportFormat& Format, const QString& FileName) {
  TScreenCursorScope HourGlass(crHourGlass);
  Format.SetWidth(EWidth->GetPosition());
  Format.SetHeight(EHeight->GetPosition());
  Format.SaveToFile(FileName);
}

void TKorExportFormBase::SaveNative(const QString& FileName) {
  TScreenCursorScope HourGlass(crHourGlass);
  DoSaveNativeToFile(FileName, CBNativeData->isChecked());
}

void TKorExportFormBase::SaveData(const QString& FileName) {
  TScreenCursorScope HourGlass(crHourGlass);
  if (std::unique_ptr<TKorExportData> Data = CreateData()) Data->SaveToFile(FileName);
}

void TKorExportFormBase::BSaveClick() {
  switch (ActivePage()) {
    case TExportPage::epPicture: {
      TKorExportFormat* Selected = SelectedFormat();
      if (Selected == nullptr) return;
      SaveDialogPicture.DefaultExt = Selected->FileExtension();
      SaveDialogPicture.FilterIndex = Selected->FileFilterIndex();
      SaveDialogPicture.FileName.clear();
      const TFileDialogAnswer Answer = ExecuteFileDialog(SaveDialogPicture);
      if (!Answer.Accepted) return;
      if (TKorExportFormat* Format = FormatForFile(Answer.FileName, Answer.FilterIndex))
        SavePicture(*Format, Answer.FileName);
      break;
    }
    case TExportPage::epNative: {
      SaveDialogNative.FileName.clear();
      SaveDialogNative.DefaultExt = Korconst::KorMsg_KorExtension;
      SaveDialogNative.Filter = Korconst::KorMsg_NativeFilter;
      const TFileDialogAnswer Answer = ExecuteFileDialog(SaveDialogNative);
      if (!Answer.Accepted) return;
      const QString Name = ChangeFileExt(Answer.FileName, Korconst::KorMsg_KorExtension);
      if (!MayReplace(Name, Answer.FileName, BSave)) return;
      SaveNative(Name);
      break;
    }
    case TExportPage::epData: {
      SaveDialogData.FileName.clear();
      SaveDialogData.Filter = KorDataFilter();
      SaveDialogData.FilterIndex = DataFilterIndex();
      SaveDialogData.DefaultExt = KorDataFilterExtension(SaveDialogData.FilterIndex);
      const TFileDialogAnswer Answer = ExecuteFileDialog(SaveDialogData);
      if (!Answer.Accepted) return;
      // The filter picked decides the format, and for text its delimiter.
      if (Answer.FilterIndex > dlCustom + 1) {
        RGText->SetItemIndex(Answer.FilterIndex - dlCustom - 1);
      } else if (Answer.FilterIndex >= 1) {
        RGText->SetItemIndex(dfText);
        CBDelim->setCurrentIndex(Answer.FilterIndex - 1);
      }
      RGTextClick();
      // Exports of one name in two formats must not replace each other.
      const QString Name =
          WithExtension(Answer.FileName, KorDataFilterExtension(DataFilterIndex()));
      if (!MayReplace(Name, Answer.FileName, BSave)) return;
      SaveData(Name);
      break;
    }
  }
}

int TKorExportFormBase::DataFilterIndex() const {
  const int Format = RGText->GetItemIndex();
  if (Format > dfText) return Format + dlCustom + 1;
  return std::max(0, CBDelim->currentIndex()) + 1;
}

// ------------------------------------------------------------ data page

void TKorExportFormBase::RGTextClick() {
  const bool Text = RGText->GetItemIndex() == dfText;
  CBDelim->setEnabled(Text);
  ECustom->setEnabled(Text && CBDelim->currentIndex() == dlCustom);
  EnableButtons();
}

void TKorExportFormBase::CBDelimChange() {
  const bool Custom = CBDelim->currentIndex() == dlCustom;
  ECustom->setEnabled(CBDelim->isEnabled() && Custom);
  if (Custom && ECustom->isEnabled() && ECustom->isVisible()) ECustom->setFocus();
}

// ---------------------------------------------------------- native page

void TKorExportFormBase::RefreshFileSize() {
  if (!CBFileSize->isChecked()) {
    LabelSize->setText(QStringLiteral("?"));
    return;
  }
  const std::unique_ptr<TMemoryStream> Stream = CreateNativeStream();
  LabelSize->setText(Format(Korconst::KorMsg_FileSize, {static_cast<qint64>(Stream->Size())}));
}

// ------------------------------------------------------------------ mail

QString TKorExportFormBase::SaveForSending(const QString& FileName) {
  switch (ActivePage()) {
    case TExportPage::epPicture: {
      TKorExportFormat* Selected = SelectedFormat();
      if (Selected == nullptr) return QString();
      const QString Name = ChangeFileExt(FileName, Selected->FileExtension());
      if (TKorExportFormat* Format = FormatForFile(Name, 0)) SavePicture(*Format, Name);
      return Name;
    }
    case TExportPage::epNative: {
      const QString Name = ChangeFileExt(FileName, Korconst::KorMsg_KorExtension);
      SaveNative(Name);
      return Name;
    }
    case TExportPage::epData: {
      const QString Name = ChangeFileExt(FileName, KorDataFilterExtension(DataFilterIndex()));
      SaveData(Name);
      return Name;
    }
  }
  return QString();
}

void TKorExportFormBase::BSendClick() {
  const QString Folder = KorMailAttachmentFolder();
  const QString Name = SaveForSending(Folder + u'/' + FSubject);
  if (!Name.isEmpty()) KorEmailFile(Name, FSubject);
}

// ---------------------------------------------------- panel operations

std::unique_ptr<TKorExportData> TKorExportFormBase::CreateData() {
  return nullptr;
}

void TKorExportFormBase::DoSaveNativeToFile(const QString& FileName, bool) {
  SaveKorToFile(*FExportPanel, FileName);
}

bool TKorExportFormBase::ExistData() const {
  return false;
}

std::unique_ptr<TMemoryStream> TKorExportFormBase::CreateNativeStream() {
  auto Stream = std::make_unique<TMemoryStream>();
  if (FExportPanel != nullptr) SaveKorToStream(*FExportPanel, *Stream);
  return Stream;
}

void TKorExportFormBase::PrepareOnShow() {
  PageControl1->setTabVisible(PageControl1->indexOf(TabData), false);
  CBNativeData->hide();
}
