#include "app/report/TextEditor.h"

#include "app/report/ReportFile.h"
#include "app/report/ReportPage.h"
#include "app/report/ReportPicture.h"
#include "app/report/ReportPrintJob.h"
#include "app/report/ReportTextEdit.h"
#include "app/report/Richeditole.h"
#include "app/report/SearchDialog.h"

#include "app/Configuration.h"

#include "platform/Exception.h"
#include "platform/MessageBox.h"
#include "platform/ModalHooks.h"
#include "platform/PrintDialogs.h"
#include "platform/QtGuard.h"
#include "platform/TBitmap.h"
#include "platform/TFont.h"
#include "platform/TJPEGImage.h"
#include "platform/TPrinter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QVBoxLayout>

namespace {

const QString ReadFailed = QStringLiteral("Read file failed!");
const QString WriteFailed = QStringLiteral("Write file failed!");
const QString ReportFilter =
    QStringLiteral("Rich Text Format (*.rtf)|*.rtf;*.RTF|All files (*.*)|*");

// The built-in logo: the program's name on a light band, as a JPEG picture.
std::unique_ptr<TJPEGImage> DefaultLogo() {
  QImage image(TRTFfrm::LogoWidth, TRTFfrm::LogoHeight, QImage::Format_ARGB32);
  image.fill(QColor(0xE8, 0xEE, 0xF6));
  {
    QPainter painter(&image);
    painter.setPen(QColor(0x1F, 0x3A, 0x68));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Korvale"));
  }
  TBitmap bitmap;
  bitmap.SetImage(image);
  TPicture picture;
  picture.Assign(bitmap);
  auto jpeg = std::make_unique<TJPEGImage>();
  jpeg->Assign(*picture.GetGraphic());
  return jpeg;
}

}  // namespace

TRTFfrm::TRTFfrm(QWidget* AOwner) : QWidget(AOwner) {
  setWindowTitle(QStringLiteral("Editor"));
  CurrentFileName = Configuration::DefaultDirectory();
  if (Configuration::Instance() == nullptr)
    FOwnConfiguration =
        std::make_unique<Configuration>(nullptr, QStringLiteral("0"), QStringLiteral("0"));
  ZeltLogo.SetGraphic(DefaultLogo());
  LogoImage.Assign(ZeltLogo);
  BuildControls();
  BuildMenus();
  RichEdit1->clear();
  ShowLogo();
}

TRTFfrm::~TRTFfrm() {
  FormDestroy();
}

void TRTFfrm::BuildControls() {
  RichEdit1 = new ReportTextEdit(this);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setTabChangesFocus(false);
  RichEdit1->setContextMenuPolicy(Qt::NoContextMenu);
  RichEdit1->OnMouseDown = [this](QMouseEvent& Event) { RichEdit1MouseDown(Event.button()); };
  BotPanel = new QWidget(this);
  SpeedButton1 = new QPushButton(QStringLiteral("Clear"), BotPanel);
  SpeedButton1->setVisible(false);
  LogoLabel = new QLabel(BotPanel);
  ZeltLabel = new QLabel(BotPanel);
  for (QLabel* label : {LogoLabel, ZeltLabel}) label->setFixedSize(LogoWidth, LogoHeight);
  BitBtn1 = new QPushButton(QStringLiteral("OK"), BotPanel);
  PauseCB = new QCheckBox(QStringLiteral("Pause"), BotPanel);
  PauseCB->setVisible(false);
  auto* bottom = new QHBoxLayout(BotPanel);
  bottom->addWidget(SpeedButton1);
  bottom->addWidget(LogoLabel);
  bottom->addWidget(ZeltLabel);
  bottom->addStretch(1);
  bottom->addWidget(PauseCB);
  bottom->addWidget(BitBtn1);
  MainMenu2 = new QMenuBar(this);
  EditPopup = new QMenu(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(MainMenu2);
  layout->addWidget(RichEdit1, 1);
  layout->addWidget(BotPanel);
  QObject::connect(BitBtn1, &QPushButton::clicked, this,
                   [this] { RunGuarded([this] { BitBtn1Click(); }); });
  QObject::connect(SpeedButton1, &QPushButton::clicked, this,
                   [this] { RunGuarded([this] { SpeedButton1Click(); }); });
}

void TRTFfrm::BuildMenus() {
  FillMenu([this](const QString& Title) { return EditPopup->addMenu(Title); }, false);
  FillMenu([this](const QString& Title) { return MainMenu2->addMenu(Title); }, true);
}

void TRTFfrm::FillMenu(const std::function<QMenu*(const QString&)>& AddMenu, bool MainMenu) {
  auto add = [this](QMenu* menu, const QString& text, auto handler, QKeySequence key = {}) {
    QAction* action = menu->addAction(text);
    action->setShortcut(key);
    QObject::connect(action, &QAction::triggered, this,
                     [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
    return action;
  };
  auto slot = [](QMenu* menu, const QString& text, auto receiver, auto member) {
    QObject::connect(menu->addAction(text), &QAction::triggered, receiver, member);
  };
  // Docked on the main window's "Report" tab, this menu bar is shown below
  // the main window's, whose "&File" keeps Alt+F.
  QMenu* file = AddMenu(QStringLiteral("F&ile"));
  add(file, QStringLiteral("&Open..."), &TRTFfrm::Open1Click,
      QKeySequence(QStringLiteral("Ctrl+O")));
  add(file, QStringLiteral("Save &As..."), &TRTFfrm::SaveAs1Click);
  add(file, QStringLiteral("&Print..."), &TRTFfrm::Print2Click,
      QKeySequence(QStringLiteral("Ctrl+P")));
  add(file, QStringLiteral("Print Set&up..."), &TRTFfrm::PrintSetup2Click);
  add(file, QStringLiteral("Page setup"), &TRTFfrm::Pagesetup1Click);
  QMenu* edit = AddMenu(QStringLiteral("&Edit"));
  slot(edit, QStringLiteral("&Undo"), RichEdit1, &QTextEdit::undo);
  slot(edit, QStringLiteral("Cu&t"), RichEdit1, &QTextEdit::cut);
  slot(edit, QStringLiteral("&Copy"), RichEdit1, &QTextEdit::copy);
  slot(edit, QStringLiteral("&Paste"), RichEdit1, &QTextEdit::paste);
  if (MainMenu) {
    add(edit, QStringLiteral("Paste &image"), &TRTFfrm::Pasteimage1Click,
        QKeySequence(QStringLiteral("Ctrl+I")));
    add(edit, QStringLiteral("Paste s&pecial"), &TRTFfrm::Pastespecial1Click);
  }
  add(edit, QStringLiteral("&Find..."), &TRTFfrm::SearchFind1Execute);
  add(edit, QStringLiteral("Find first"), &TRTFfrm::SearchFindFirst1Execute);
  add(edit, QStringLiteral("Find &Next"), &TRTFfrm::SearchFindNext1Execute);
  add(edit, QStringLiteral("&Replace"), &TRTFfrm::SearchReplace1Execute);
  slot(edit, QStringLiteral("Select &All"), RichEdit1, &QTextEdit::selectAll);
  QMenu* format = AddMenu(QStringLiteral("F&ormat"));
  const std::pair<const char*, Qt::Alignment> aligns[] = {{"Align &Left", Qt::AlignLeft},
                                                          {"Align &Right", Qt::AlignRight},
                                                          {"&Center", Qt::AlignHCenter}};
  for (const auto& [text, align] : aligns) {
    QObject::connect(format->addAction(QString::fromLatin1(text)), &QAction::triggered, this,
                     [this, a = align] { RichEdit1->setAlignment(a); });
  }
  const char* const styles[] = {"&Bold", "&Italic", "&Underline", "&Strikeout"};
  for (int style = fsBold; style <= fsStrikeOut; ++style) {
    QAction* action = format->addAction(QString::fromLatin1(styles[style]));
    action->setCheckable(true);
    QObject::connect(action, &QAction::triggered, this, [this, style](bool on) {
      RunGuarded([this, style, on] { ApplyCharStyle(style, on); });
    });
  }
  QObject::connect(format->addAction(QStringLiteral("&Bullets")), &QAction::triggered, this,
                   [this] {
                     RunGuarded([this] {
                       QTextCursor cursor = RichEdit1->textCursor();
                       if (QTextList* list = cursor.currentList())
                         list->remove(cursor.block());
                       else
                         cursor.createList(QTextListFormat::ListDisc);
                     });
                   });
  if (MainMenu) add(format, QStringLiteral("Select &Font..."), &TRTFfrm::MenuItem14Click);
  if (!MainMenu) {
    QMenu* options = AddMenu(QStringLiteral("Options..."));
    add(options, QStringLiteral("Edit configuration file"), &TRTFfrm::Editconfigurationfile1Click);
    add(options, QStringLiteral("Set report logo file"), &TRTFfrm::Setreportlogofile1Click);
  }
}

bool TRTFfrm::CreateOleSupport() {
  try {
    OleSupport = std::make_unique<RichEditOleSupport>(*RichEdit1);
    OleReady = true;
  } catch (const std::exception&) {
    OleSupport.reset();
    OleReady = false;
  }
  return OleReady;
}

void TRTFfrm::MoveCaretToEnd() {
  QTextCursor cursor = RichEdit1->textCursor();
  cursor.movePosition(QTextCursor::End);
  RichEdit1->setTextCursor(cursor);
}

void TRTFfrm::AppendLineBreaks(int N) {
  for (int i = 0; i < N; ++i) {
    MoveCaretToEnd();
    RichEdit1->textCursor().insertBlock();
  }
}

void TRTFfrm::AppendStyledText(const QString& Text, bool Italic, bool Bold, bool Underline,
                               bool Centred) {
  try {
    MoveCaretToEnd();
    QTextCursor cursor = RichEdit1->textCursor();
    QTextBlockFormat block;
    block.setAlignment(Centred ? Qt::AlignHCenter : Qt::AlignLeft);
    cursor.mergeBlockFormat(block);
    QTextCharFormat format = cursor.charFormat();
    format.setFontWeight(Bold ? QFont::Bold : QFont::Normal);
    format.setFontUnderline(Underline);
    format.setFontItalic(Italic);
    cursor.insertText(Text, format);
    cursor.insertBlock();
    RichEdit1->setTextCursor(cursor);
  } catch (const std::exception& error) {
    const QString text = QString::fromUtf8(error.what());
    TMessageDialogRequest request;
    request.Caption = text;
    request.Text = text;
    request.DlgType = TMsgDlgType::mtError;
    MessageDlg(request);
  }
}

QString TRTFfrm::LogoFilePath() {
  try {
    const Configuration* config = Configuration::Instance();
    const QString folder = config != nullptr ? QFileInfo(config->FileName()).absolutePath()
                                             : Configuration::DefaultDirectory();
    return folder + QStringLiteral("/ReportLogo.jpg");
  } catch (...) {
    return QString();
  }
}

bool TRTFfrm::InsertReportLogo() {
  try {
    const QString path = LogoFilePath();
    if (path.isEmpty()) return false;
    if (!QFileInfo::exists(path) && !ChooseLogoFile()) return false;
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->LoadFromFile(path);
    LogoImage.SetGraphic(std::move(jpeg));
    ShowLogo();
    // The logo goes straight into the report: the user's clipboard is left alone.
    if (!OleSupport) throw EOleError(QStringLiteral("RichEdit OLE interface is not valid."));
    OleSupport->InsertPicture(LogoImage.GetGraphic()->ToImage());
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TRTFfrm::ChooseLogoFile() {
  TFileDialogAnswer answer;
  try {
    TFileDialogRequest request;
    request.Kind = TFileDialogKind::fdOpen;
    request.Title = QStringLiteral("Select a Bitmap Logo File for the Report ");
    // Linux file names are case-sensitive: lower-case extensions count too.
    request.Filter = QStringLiteral("JPEG (*.JPG)|*.JPG;*.jpg;*.jpeg;*.JPEG");
    request.DefaultExt = QStringLiteral("bmp");
    request.Parent = this;
    answer = ExecuteFileDialog(request);
  } catch (...) {
    return false;
  }
  if (!answer.Accepted) return true;
  if (!LoadLogoFile(answer.FileName)) LogoImage.Assign(ZeltLogo);
  ShowLogo();
  try {
    LogoImage.SaveToFile(LogoFilePath());
  } catch (const std::exception&) {
    ShowMessageBox("Unable to load image");
  }
  return true;
}

bool TRTFfrm::LoadLogoFile(const QString& FileName) {
  try {
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->LoadFromFile(FileName);
    LogoImage.SetGraphic(std::move(jpeg));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TRTFfrm::Setreportlogofile1Click() {
  if (ChooseLogoFile()) return;
  ShowMessageBox("Unable to set new logo- will use default");
  LogoImage.Assign(ZeltLogo);
  ShowLogo();
}

void TRTFfrm::ShowLogo() {
  for (auto [label, picture] :
       {std::pair{LogoLabel, &LogoImage}, std::pair{ZeltLabel, &ZeltLogo}}) {
    const TGraphic* graphic = picture->GetGraphic();
    const QImage image = graphic != nullptr ? graphic->ToImage() : QImage();
    label->setPixmap(image.isNull()
                         ? QPixmap()
                         : QPixmap::fromImage(image.scaled(label->size(), Qt::KeepAspectRatio,
                                                           Qt::SmoothTransformation)));
  }
}

bool TRTFfrm::LoadRtfFile(const QString& FileName) {
  FLoadError.clear();
  try {
    ReportFile file;
    if (file.Load(FileName, *RichEdit1->document())) return true;
    FLoadError = file.ErrorText();
  } catch (const std::exception& error) {
    FLoadError = QString::fromUtf8(error.what());
  }
  return false;
}

bool TRTFfrm::SaveRtfFile(const QString& FileName) {
  try {
    ReportFile file;
    return file.Save(FileName, *RichEdit1->document());
  } catch (const std::exception&) {
    return false;
  }
}

TFileDialogRequest TRTFfrm::ReportFileRequest(TFileDialogKind Kind) {
  TFileDialogRequest request;
  request.Kind = Kind;
  request.Filter = ReportFilter;
  request.DefaultExt = QStringLiteral("rtf");
  request.FolderKind = QStringLiteral("reports");
  // Until a report was opened the program's folder is no place for one:
  // the dialog starts in the data folder then.
  if (QFileInfo(CurrentFileName).isFile())
    request.InitialDir = QFileInfo(CurrentFileName).absolutePath();
  request.Parent = this;
  return request;
}

void TRTFfrm::Open1Click() {
  if (!QuerySaveChanges()) return;
  const TFileDialogAnswer answer = ExecuteFileDialog(ReportFileRequest(TFileDialogKind::fdOpen));
  if (!answer.Accepted) return;
  if (LoadRtfFile(answer.FileName))
    CurrentFileName = answer.FileName;
  else
    ShowErrorText(ReadFailed + u'\n' + answer.FileName + u'\n' + FLoadError);
}

bool TRTFfrm::SaveAs1Click() {
  const TFileDialogAnswer answer = ExecuteFileDialog(ReportFileRequest(TFileDialogKind::fdSave));
  if (!answer.Accepted) return false;
  QString name = answer.FileName;
  if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".rtf");
  if (SaveRtfFile(name)) return true;
  ShowErrorText(WriteFailed);
  return false;
}

bool TRTFfrm::QuerySaveChanges() {
  if (!RichEdit1->document()->isModified()) return true;
  TMessageDialogRequest question;
  question.Caption = QStringLiteral("Report changed");
  question.Text = QStringLiteral("Do you want to save the changes?");
  question.DlgType = TMsgDlgType::mtConfirmation;
  question.Buttons = mbYesNoCancel;
  question.DefaultButton = mbYes;
  question.Parent = this;
  const int answer = MessageDlg(question);
  if (answer == mrNo) return true;
  if (answer != mrYes || !SaveAs1Click()) return false;
  RichEdit1->document()->setModified(false);
  return true;
}

void TRTFfrm::Print2Click() {
  TPrinter& printer = Printer();
  // The dialog proposes the paper the report was laid out on.
  const QPageLayout page = ReportPage::Of(*RichEdit1->document()).ToPageLayout();
  printer.QtPrinter()->setPageSize(page.pageSize());
  printer.QtPrinter()->setPageOrientation(page.orientation());
  ReportPrintJob job(*RichEdit1->document());
  if (!ExecutePrintDialog(printer, 1, job.PageCount(*printer.QtPrinter()), this)) return;
  printer.SetTitle(QString());
  try {
    job.Print(printer);
  } catch (const EPrinter& error) {
    ShowErrorText(QStringLiteral("The report could not be printed: ") + error.Message());
  }
}

void TRTFfrm::PrintSetup2Click() {
  ExecutePrinterSetupDialog(Printer(), this);
}

void TRTFfrm::Pagesetup1Click() {
  // The report's page (paper and margins), on a printer of its own so the
  // program's printer keeps its settings.
  QTextDocument& document = *RichEdit1->document();
  QPrinter pageSetup;
  pageSetup.setFullPage(true);
  pageSetup.setPageLayout(ReportPage::Of(document).ToPageLayout());
  QPageSetupDialog dialog(&pageSetup, this);
  if (ShowModal(dialog) != mrOk) return;
  const ReportPage page = ReportPage::FromPageLayout(pageSetup.pageLayout());
  if (!page.IsUsable()) {
    ShowErrorText(QStringLiteral("These margins leave no room for the report's text."));
    return;
  }
  if (page == ReportPage::Of(document)) return;
  page.SetOn(document);
  FitReportPictures(document);
  document.setModified(true);
}

void TRTFfrm::Pasteimage1Click() {
  if (!OleSupport) throw EOleError(QStringLiteral("RichEdit OLE interface is not valid."));
  OleSupport->PastePicture();
}

void TRTFfrm::Pastespecial1Click() {
  if (!OleSupport) throw EOleError(QStringLiteral("RichEdit OLE interface is not valid."));
  OleSupport->PasteSpecial();
}

bool TRTFfrm::FindText(const QString& Text, bool MatchCase, bool FromStart) {
  FLastSearch = Text;
  FLastMatchCase = MatchCase;
  if (Text.isEmpty()) return false;
  const QTextDocument::FindFlags flags =
      MatchCase ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
  QTextDocument& document = *RichEdit1->document();
  QTextCursor found =
      document.find(Text, FromStart ? QTextCursor(&document) : RichEdit1->textCursor(), flags);
  if (found.isNull() && !FromStart) found = document.find(Text, QTextCursor(&document), flags);
  if (found.isNull()) return false;
  RichEdit1->setTextCursor(found);
  return true;
}

int TRTFfrm::ReplaceAll(const QString& Text, const QString& Replacement, bool MatchCase) {
  if (Text.isEmpty()) return 0;
  const QTextDocument::FindFlags flags =
      MatchCase ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
  QTextDocument& document = *RichEdit1->document();
  QTextCursor edit(&document);
  edit.beginEditBlock();
  int count = 0;
  for (QTextCursor found = document.find(Text, 0, flags); !found.isNull();
       found = document.find(Text, found, flags)) {
    found.insertText(Replacement);
    ++count;
  }
  edit.endEditBlock();
  return count;
}

void TRTFfrm::SearchFind1BeforeExecute() {
  RichEdit1->setFocus();
}

void TRTFfrm::SearchFind1Execute() {
  SearchFind1BeforeExecute();
  TSearchDlg dialog(this, [this](const QString& Text, bool MatchCase) {
    return FindText(Text, MatchCase, false);
  });
  ShowModal(dialog);
}

void TRTFfrm::SearchFindFirst1Execute() {
  FindText(FLastSearch, FLastMatchCase, true);
}

void TRTFfrm::SearchFindNext1Execute() {
  FindText(FLastSearch, FLastMatchCase, false);
}

void TRTFfrm::SearchReplace1Execute() {
  TSearchDlg dialog(
      this,
      [this](const QString& Text, bool MatchCase) { return FindText(Text, MatchCase, false); },
      [this](const QString& Text, const QString& Replacement, bool MatchCase) {
        return ReplaceAll(Text, Replacement, MatchCase);
      });
  ShowModal(dialog);
}

void TRTFfrm::MenuItem14Click() {
  const QTextCharFormat current = RichEdit1->currentCharFormat();
  TFont font;
  const QFont shown = current.font();
  font.SetName(shown.family());
  if (shown.pointSize() > 0) font.SetSize(shown.pointSize());
  if (current.hasProperty(QTextFormat::ForegroundBrush))
    font.SetColor(QColorToColor(current.foreground().color()));
  if (!ExecuteFontDialog(font, this)) return;
  QTextCharFormat format;
  format.setFontFamilies(QStringList{font.GetName()});
  format.setFontPointSize(font.GetSize());
  format.setForeground(ColorToQColor(font.GetColor()));
  const TFontStyles styles = font.GetStyle();
  format.setFontWeight(styles.Contains(fsBold) ? QFont::Bold : QFont::Normal);
  format.setFontItalic(styles.Contains(fsItalic));
  format.setFontUnderline(styles.Contains(fsUnderline));
  format.setFontStrikeOut(styles.Contains(fsStrikeOut));
  RichEdit1->mergeCurrentCharFormat(format);
}

void TRTFfrm::ApplyCharStyle(int Style, bool On) {
  QTextCharFormat format;
  switch (Style) {
    case fsBold: format.setFontWeight(On ? QFont::Bold : QFont::Normal); break;
    case fsItalic: format.setFontItalic(On); break;
    case fsUnderline: format.setFontUnderline(On); break;
    default: format.setFontStrikeOut(On);
  }
  RichEdit1->mergeCurrentCharFormat(format);
}

void TRTFfrm::Editconfigurationfile1Click() {
  if (Configuration* config = Configuration::Instance()) config->EditFile(this);
}

bool TRTFfrm::FormClose() {
  return QuerySaveChanges();
}

void TRTFfrm::FormDestroy() {
  OleSupport.reset();
  OleReady = false;
}

void TRTFfrm::BitBtn1Click() {
  if (QuerySaveChanges()) hide();
}

void TRTFfrm::SpeedButton1Click() {
  if (QuerySaveChanges()) RichEdit1->clear();
}

void TRTFfrm::RichEdit1MouseDown(Qt::MouseButton Button) {
  if (Button == Qt::RightButton) EditPopup->popup(QCursor::pos());
}

void TRTFfrm::closeEvent(QCloseEvent* Event) {
  bool mayClose = true;
  RunGuarded([&] { mayClose = FormClose(); });
  if (mayClose)
    Event->accept();
  else
    Event->ignore();
}

void TRTFfrm::ShowErrorText(const QString& Text) {
  ShowMessageBox(Text.toStdString());
}
