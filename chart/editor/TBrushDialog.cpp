#include "chart/editor/TBrushDialog.h"

#include "chart/editor/KorEditorHelpers.h"

#include "chart/core/KorProcs.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TChartBrush.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TBitmap.h"
#include "platform/TBitmapGraphic.h"
#include "platform/TCanvas.h"
#include "platform/TFont.h"
#include "platform/TFormBuilder.h"
#include "platform/TOwnerDrawDelegate.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

// The patterns and textures live in the editor library's resource file; a
// static library must register it explicitly.
static void InitBrushResources() {
  static const bool Registered = [] {
    Q_INIT_RESOURCE(KorBrush);
    return true;
  }();
  (void)Registered;
}

namespace {

constexpr int PatternCount = TBrushDialog::FirstTexture - TBrushDialog::FirstPattern;
constexpr int TextureCount = TBrushDialog::StyleCount - TBrushDialog::FirstTexture;
// A row holds a 14 x 12 swatch 2 pixels in from the top and bottom.
constexpr int StyleItemHeight = 16;

// clang-format off
const char* const StyleNames[TBrushDialog::StyleCount] = {
    "Solid", "None", "Horizontal", "Vertical", "Diagonal", "Back Diagonal", "Cross",
    "Diagonal Cross",
    "Fill 80%", "Fill 60%", "Fill 40%", "Fill 20%", "Fill 10%", "Zig zag", "Vertical small",
    "Horiz. small", "Diag. small", "Back Diag. small", "Cross small", "Diag. Cross small",
    "Metal", "Wood", "Stone", "Clouds", "Grass", "Fire", "Snow"};
// clang-format on

bool HasPicture(const TChartBrush& Brush) {
  return Brush.ExistingImage() != nullptr && Brush.ExistingImage()->GetGraphic() != nullptr;
}

// Pictures of other kinds (metafiles, JPEG, PNG) become a bitmap of their
// own size with the picture drawn on it, so the brush always tiles a bitmap.
void MakeBitmapPicture(TPicture& Picture) {
  const TGraphic* Graphic = Picture.GetGraphic();
  if (Graphic == nullptr || Picture.HasBitmap()) return;
  TBitmap Bitmap(Graphic->GetWidth(), Graphic->GetHeight());
  Graphic->Draw(Bitmap.GetCanvas(), TRect(0, 0, Bitmap.GetWidth(), Bitmap.GetHeight()));
  Picture.Assign(Bitmap);
}

}  // namespace

TBrushDialog::TBrushDialog(QWidget* Owner) : QDialog(Owner) {
  setObjectName(QStringLiteral("BrushDialog"));
  setWindowTitle(QStringLiteral("Pattern Color Editor"));
  BuildControls();
  LoadTextures();
  setFixedSize(292, 258);
}

TBrushDialog::~TBrushDialog() = default;

void TBrushDialog::BuildControls() {
  TFormBuilder B(*this);
  LStyle = B.Add<QListWidget>(QStringLiteral("LStyle"), QString(), 8, 8, 161, 242);
  for (const char* Name : StyleNames) LStyle->addItem(QString::fromLatin1(Name));
  LStyle->setItemDelegate(
      new TOwnerDrawDelegate(LStyle, StyleItemHeight,
                             [this](TCanvas& Canvas, int Index, const TRect& Rect, bool Selected,
                                    bool) { LStyleDrawItem(Canvas, Index, Rect, Selected); }));
  BOK = B.Add<QPushButton>(QStringLiteral("BOK"), QStringLiteral("OK"), 184, 8, 100, 25);
  Button3 =
      B.Add<QPushButton>(QStringLiteral("Button3"), QStringLiteral("Cancel"), 184, 40, 100, 25);
  BColor =
      B.Add<TButtonColor>(QStringLiteral("BColor"), QStringLiteral("&Color..."), 184, 80, 100, 25);
  GroupBox1 =
      B.Add<QGroupBox>(QStringLiteral("GroupBox1"), QStringLiteral("Image:"), 180, 118, 108, 132);
  Image1 = new QLabel(GroupBox1);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(8, 20, 92, 68);
  Image1->setScaledContents(true);
  Button1 = new QPushButton(QStringLiteral("B&rowse..."), GroupBox1);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(8, 96, 92, 25);
  BOK->setDefault(true);

  connect(LStyle, &QListWidget::currentRowChanged, this,
          [this] { RunGuarded([this] { LStyleClick(); }); });
  BColor->OnClick = [this](TKorButton*) { BColorClick(); };
  connect(Button1, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button1Click(); }); });
  connect(BOK, &QPushButton::clicked, this, [this] { done(mrOk); });
  connect(Button3, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button3Click(); }); });
}

void TBrushDialog::LoadTextures() {
  InitBrushResources();
  static const char* const Names[TextureCount] = {"Metal", "Wood", "Stone", "Clouds",
                                                  "Grass", "Fire", "Snow"};
  TPicture* const Pictures[TextureCount] = {&ImageMetal, &ImageWood, &ImageStone, &ImageClouds,
                                            &ImageGrass, &ImageFire, &ImageSnow};
  for (int I = 0; I < TextureCount; ++I) {
    TBitmap Bitmap;
    KorLoadBitmap(Bitmap, QStringLiteral("KorTexture") + QLatin1String(Names[I]), QString());
    if (!Bitmap.GetEmpty()) Pictures[I]->Assign(Bitmap);
  }
}

const TPicture& TBrushDialog::Texture(int Index) const {
  const TPicture* const Pictures[TextureCount] = {
      &ImageMetal, &ImageWood, &ImageStone, &ImageClouds, &ImageGrass, &ImageFire, &ImageSnow};
  return *Pictures[std::clamp(Index, 0, TextureCount - 1)];
}

void TBrushDialog::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  // A window restored from the task bar is shown again by the system; the
  // backup must stay what the brush was when the dialog opened.
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TBrushDialog::done(int Result) {
  QDialog::done(Result);
  FBackup.reset();
}

void TBrushDialog::FormShow() {
  if (FBrush == nullptr) return;
  FBackup = std::make_unique<TChartBrush>();
  FBackup->Assign(*FBrush);
  FModified = false;
  SelectStyleItem(HasPicture(*FBrush));
  BColor->LinkProperty(FBrush, QStringLiteral("Color"));
  CheckImageButton();
  EnableColor();
}

void TBrushDialog::SelectStyleItem(bool None) {
  FFilling = true;
  TScopeGuard Filled([this] { FFilling = false; });
  LStyle->setCurrentRow(None ? -1 : static_cast<int>(FBrush->GetStyle()));
}

void TBrushDialog::CheckImageButton() {
  const bool Picture = FBrush != nullptr && HasPicture(*FBrush);
  FImageTag = Picture ? 1 : 0;
  Button1->setText(Picture ? QStringLiteral("Clea&r") : QStringLiteral("B&rowse..."));
  if (Picture)
    Image1->setPixmap(QPixmap::fromImage(FBrush->ExistingImage()->GetGraphic()->ToImage()));
  else
    Image1->clear();
}

void TBrushDialog::EnableColor() {
  BColor->setEnabled(FBrush != nullptr && FBrush->GetStyle() != bsClear);
}

void TBrushDialog::LStyleClick() {
  const int Index = LStyle->currentRow();
  if (FFilling || FBrush == nullptr || Index < 0) return;
  ApplyItem(Index);
  FModified = true;
  CheckImageButton();
  EnableColor();
}

void TBrushDialog::ApplyItem(int Index) {
  if (Index < FirstPattern) {
    FBrush->SetStyle(static_cast<TBrushStyle>(Index));
    FBrush->SetImage(nullptr);
  } else if (Index < FirstTexture) {
    TBitmap Pattern;
    GetKorBrush(Index - FirstPattern, Pattern);
    FBrush->GetImage()->Assign(Pattern);
  } else {
    FBrush->SetImage(&Texture(Index - FirstTexture));
  }
}

void TBrushDialog::Button1Click() {
  if (FBrush == nullptr) return;
  SelectStyleItem(false);
  if (FImageTag == 1) {
    FBrush->SetImage(nullptr);
    FModified = true;
  } else {
    const QString FileName = KorGetPictureFileName(this);
    if (!FileName.isEmpty()) {
      // Loaded and converted aside: an unreadable file leaves the brush as
      // it was, and the brush repaints once.
      TPicture Loaded;
      Loaded.LoadFromFile(FileName);
      MakeBitmapPicture(Loaded);
      FBrush->SetImage(&Loaded);
      FModified = true;
    }
  }
  CheckImageButton();
}

void TBrushDialog::BColorClick() {
  LStyle->viewport()->update();
  FModified = true;
}

void TBrushDialog::Button3Click() {
  if (FModified && FBrush != nullptr && FBackup) {
    // One change notification for the whole restore, so the chart repaints
    // once.
    const TNotifyEvent Handler = FBrush->OnChange;
    {
      FBrush->OnChange = nullptr;
      TScopeGuard Restore([this, &Handler] { FBrush->OnChange = Handler; });
      FBrush->Assign(*FBackup);
    }
    if (Handler) Handler(FBrush);
    FModified = false;
  }
  done(mrCancel);
}

void TBrushDialog::reject() {
  RunGuarded([this] { Button3Click(); });
}

const TBitmap* TBrushDialog::ItemBitmap(int Index) const {
  if (Index >= FirstTexture && Index < StyleCount) {
    const TPicture& Picture = Texture(Index - FirstTexture);
    return Picture.HasBitmap() ? &static_cast<TBitmapGraphic*>(Picture.GetGraphic())->Bitmap()
                               : nullptr;
  }
  if (Index < FirstPattern || Index >= FirstTexture) return nullptr;
  std::unique_ptr<TBitmap>& Pattern = FPatterns[Index - FirstPattern];
  if (!Pattern) {
    Pattern = std::make_unique<TBitmap>();
    GetKorBrush(Index - FirstPattern, *Pattern);
    // The swatch shows the pattern on its own white, also on a selected row.
    Pattern->SetTransparent(false);
  }
  return Pattern.get();
}

void TBrushDialog::LStyleDrawItem(TCanvas& Canvas, int Index, const TRect& Rect,
                                  bool Selected) const {
  const TColor Background = Selected ? clHighlight : clWindow;
  Canvas.GetBrush().SetStyle(bsSolid);
  Canvas.GetBrush().SetColor(Background);
  Canvas.FillRect(Rect);
  if (Index < 0 || Index >= StyleCount) return;
  const TRect Swatch(Rect.Left + 2, Rect.Top + 2, Rect.Left + 16, Rect.Bottom - 2);
  if (Index < FirstPattern) {
    if (Index != bsClear) {
      Canvas.GetBrush().SetStyle(static_cast<TBrushStyle>(Index));
      Canvas.GetBrush().SetColor(clBlack);
      Canvas.SetBkMode(bkOpaque);
      Canvas.SetBkColor(clWhite);
      Canvas.FillRect(Swatch);
    }
  } else if (const TBitmap* Bitmap = ItemBitmap(Index)) {
    Canvas.StretchDraw(Swatch, *Bitmap);
  }
  Canvas.GetBrush().SetStyle(bsClear);
  Canvas.SetBkMode(bkTransparent);
  Canvas.GetFont().SetColor(Selected ? clHighlightText : clWindowText);
  Canvas.TextOut(Rect.Left + 20, Rect.Top + 1, LStyle->item(Index)->text());
}

bool EditChartBrush(QWidget* Owner, TChartBrush& Brush) {
  const std::unique_ptr<TBrushDialog> Dialog = KorCreateForm<TBrushDialog>(Owner);
  Dialog->SetBrush(&Brush);
  KorTranslateControl(Dialog.get());
  return ShowModal(*Dialog) == mrOk;
}

bool EditKorFont(QWidget* Owner, TFont& Font) {
  return ExecuteFontDialog(Font, Owner);
}

QString KorGetPictureFileName(QWidget* Owner) {
  TFileDialogRequest Request;
  Request.Kind = TFileDialogKind::fdOpen;
  Request.Filter = TPicture::FileFilter();
  Request.Parent = Owner;
  const TFileDialogAnswer Answer = ExecuteFileDialog(Request);
  return Answer.Accepted ? Answer.FileName : QString();
}

void KorLoadClearImage(QWidget* Owner, TPicture& Picture) {
  if (Picture.GetGraphic() != nullptr) {
    Picture.SetGraphic(nullptr);
    return;
  }
  const QString FileName = KorGetPictureFileName(Owner);
  if (!FileName.isEmpty()) Picture.LoadFromFile(FileName);
}

void GetKorBrush(int Index, TBitmap& Bitmap) {
  if (Index < 0 || Index >= PatternCount) return;
  InitBrushResources();
  KorLoadBitmap(Bitmap, QStringLiteral("KorBrush%1").arg(Index + 1), QString());
  Bitmap.SetTransparentColor(clWhite);
  Bitmap.SetTransparent(true);
}
