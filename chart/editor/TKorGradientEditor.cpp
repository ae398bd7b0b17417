#include "chart/editor/TKorGradientEditor.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TChartGalleryPanel.h"
#include "chart/editor/TGalleryChart.h"
#include "chart/editor/TPreviewGradient.h"

#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TButtonColor.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TComboFlat.h"

#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TFormBuilder.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSlider>
#include <QTabWidget>

#include <array>
#include <initializer_list>
#include <utility>

namespace {

// Form and page geometry in pixels.
constexpr int FormWidth = 340;
constexpr int FormHeight = 272;
constexpr int TopBarHeight = 34;
constexpr int PageWidth = 332;
constexpr int PageHeight = 198;
constexpr int ButtonsHeight = 36;

constexpr int RadialLimit = 300;
constexpr int RadialTick = 50;

const std::array<const char*, 10> DirectionNames = {
    "Top Bottom",    "Bottom Top",       "Left Right", "Right Left",  "From Center",
    "From Top Left", "From Bottom Left", "Radial",     "Diagonal Up", "Diagonal Down"};

struct TGradientPreset {
  const char* Name;
  TColor Start;
  TColor Middle;  // clNone: no middle colour
  TColor End;
  int Balance;
  TGradientDirection Direction;
};

// Numbered as the list items carry them; the list shows them sorted.
const std::array<TGradientPreset, 17> Presets = {{
    {"Caribe Sun", 0xDDDFD2, 0xF50A97, 0x0B80F4, 50, gdTopBottom},
    {"Business", 0xC0C0C0, 0xFFFFFF, 0x808080, 50, gdTopBottom},
    {"Hot", 0x0000FF, clNone, 0x00FFFF, 50, gdTopBottom},
    {"Ace", 0x000000, 0xFF8080, 0x000000, 74, gdBottomTop},
    {"Farm", 0x006AD5, 0xFFFFFF, 0x0062C4, 4, gdBottomTop},
    {"Sea", 0xFFFF80, 0xFF8080, 0x800000, 55, gdBottomTop},
    {"Night", 0xFFFFFF, 0x800040, 0x000000, 40, gdTopBottom},
    {"Space", 0xA50320, 0x800040, 0xFFFFFF, 50, gdFromTopLeft},
    {"Golf", 0x159902, 0xC0C0C0, 0xD9F986, 50, gdTopBottom},
    {"Funky", 0xBD3881, 0x87607A, 0x52EB85, 50, gdTopBottom},
    {"Sunset", 0xB85A06, 0xA7D8AF, 0x001042, 50, gdTopBottom},
    {"Rainbow", 0xA11EE8, 0x0F8355, 0xDD011A, 50, gdTopBottom},
    {"Pastel", 0x247489, 0x9491F6, 0xFD8B9D, 50, gdTopBottom},
    {"Tropical", 0x9A414B, 0x732FF3, 0x20D761, 50, gdTopBottom},
    {"Sea 2", 0x4C031C, 0xBACBE1, 0x291EF9, 50, gdTopBottom},
    {"Desert", 0x265FB7, 0xCE7185, 0x604457, 50, gdTopBottom},
    {"Clear day", 0xFFF3EA, 0xE0E6E9, 0xCEDBFF, 50, gdTopBottom},
}};

// Directions that fill bands across a rectangle; only these split at a
// middle colour.
bool IsRectangular(TGradientDirection Direction) {
  return Direction <= gdRightLeft || Direction == gdDiagonalUp || Direction == gdDiagonalDown;
}

// Sets Flag for the scope and puts back what it was, so refreshes nest.
class TUpdating {
 public:
  explicit TUpdating(bool& Flag) : FFlag(Flag), FOld(std::exchange(Flag, true)) {}
  ~TUpdating() { FFlag = FOld; }
  TUpdating(const TUpdating&) = delete;
  TUpdating& operator=(const TUpdating&) = delete;

 private:
  bool& FFlag;
  bool FOld;
};

}  // namespace

TKorGradientEditor::TKorGradientEditor(QWidget* Owner) : QDialog(Owner), TComponent(nullptr) {
  setObjectName(QStringLiteral("KorGradientEditor"));
  setWindowTitle(QStringLiteral("Gradient Editor"));
  BuildForm();
  Connect();
  setFixedSize(FormWidth, FormHeight);
}

TKorGradientEditor::TKorGradientEditor(QWidget* Owner, TCustomKorGradient* Gradient)
    : TKorGradientEditor(Owner) {
  FGradient = Gradient;
  Dock();
}

TKorGradientEditor::~TKorGradientEditor() {
  Destroying();
}

// ------------------------------------------------------------------ form

void TKorGradientEditor::BuildForm() {
  TFormBuilder B(*this);
  CBVisible =
      B.Add<QCheckBox>(QStringLiteral("CBVisible"), QStringLiteral("&Visible"), 8, 10, 90, 17);
  LabelDirection = B.Add<QLabel>(QStringLiteral("LabelDirection"), QStringLiteral("&Direction:"),
                                 110, 12, 60, 13);
  CBDirection = B.Add<TComboFlat>(QStringLiteral("CBDirection"), QString(), 176, 7, 156, 22);
  LabelDirection->setBuddy(CBDirection);
  for (const char* Name : DirectionNames) CBDirection->addItem(QString::fromLatin1(Name));

  PageControl1 = B.Add<QTabWidget>(QStringLiteral("PageControl1"), QString(), 4, TopBarHeight,
                                   PageWidth, PageHeight);
  TabDefault = AddNamedTab(*PageControl1, "TabDefault", "Default");
  TabColors = AddNamedTab(*PageControl1, "TabColors", "Colors");
  TabOptions = AddNamedTab(*PageControl1, "TabOptions", "Options");
  TabDirections = AddNamedTab(*PageControl1, "TabDirections", "Directions");
  BuildDefaultTab();
  BuildColorsTab();
  BuildOptionsTab();
  BuildDirectionsTab();
  PageControl1->setCurrentWidget(TabColors);

  PanelButtons = B.Add<QWidget>(QStringLiteral("PanelButtons"), QString(), 0,
                                FormHeight - ButtonsHeight, FormWidth, ButtonsHeight);
  BOK = TFormBuilder::AddTo<QPushButton>(*PanelButtons, QStringLiteral("BOK"), QStringLiteral("OK"),
                                         172, 5, 75, 25);
  BCancel = TFormBuilder::AddTo<QPushButton>(*PanelButtons, QStringLiteral("BCancel"),
                                             QStringLiteral("Cancel"), 256, 5, 75, 25);
  BOK->setDefault(true);
}

void TKorGradientEditor::BuildDefaultTab() {
  Gallery = TFormBuilder::AddTo<QListWidget>(*TabDefault, QStringLiteral("Gallery"), QString(), 4,
                                             4, 120, 160);
  FillPresets();
  Preview = new TPreviewGradient(this);
  Preview->SetName("Preview");
  Preview->SetParentWidget(TabDefault);
  Preview->GetWidget()->setObjectName(QStringLiteral("Preview"));
  Preview->SetBounds(130, 4, 192, 160);
}

void TKorGradientEditor::FillPresets() {
  Gallery->clear();
  for (int i = 0; i < static_cast<int>(Presets.size()); ++i) {
    auto* Item = new QListWidgetItem(QString::fromLatin1(Presets[i].Name));
    Item->setData(Qt::UserRole, i);
    Gallery->addItem(Item);
  }
  Gallery->sortItems();
}

void TKorGradientEditor::BuildColorsTab() {
  QWidget& T = *TabColors;
  BStart = TFormBuilder::AddTo<TButtonColor>(T, QStringLiteral("BStart"),
                                             QStringLiteral("&Start..."), 12, 12, 96, 25);
  BMid = TFormBuilder::AddTo<TButtonColor>(T, QStringLiteral("BMid"), QStringLiteral("&Middle..."),
                                           12, 46, 96, 25);
  CBMid = TFormBuilder::AddTo<QCheckBox>(T, QStringLiteral("CBMid"), QStringLiteral("&No Middle"),
                                         120, 50, 110, 17);
  BEnd = TFormBuilder::AddTo<TButtonColor>(T, QStringLiteral("BEnd"), QStringLiteral("&End..."), 12,
                                           80, 96, 25);
  BSwap = TFormBuilder::AddTo<QPushButton>(T, QStringLiteral("BSwap"), QStringLiteral("S&wap"), 12,
                                           114, 96, 25);
  for (QPushButton* Button : {static_cast<QPushButton*>(BStart), static_cast<QPushButton*>(BMid),
                              static_cast<QPushButton*>(BEnd), BSwap})
    Button->setAutoDefault(false);
}

void TKorGradientEditor::BuildOptionsTab() {
  QWidget& T = *TabOptions;
  LabelBalanceCaption = TFormBuilder::AddTo<QLabel>(T, QStringLiteral("LabelBalanceCaption"),
                                                    QStringLiteral("&Balance:"), 10, 14, 56, 13);
  SBBalance =
      TFormBuilder::AddTo<QScrollBar>(T, QStringLiteral("SBBalance"), QString(), 70, 12, 180, 17);
  SBBalance->setOrientation(Qt::Horizontal);
  SBBalance->setRange(0, 100);
  LabelBalanceCaption->setBuddy(SBBalance);
  LabelBalance =
      TFormBuilder::AddTo<QLabel>(T, QStringLiteral("LabelBalance"), QString(), 258, 14, 60, 13);

  auto* Group = TFormBuilder::AddTo<QGroupBox>(T, QStringLiteral("GroupRadial"),
                                               QStringLiteral("Radial offset:"), 6, 42, 314, 112);
  const auto AddTrack = [Group](const char* Name, const char* Caption, const char* ValueName,
                                int Top, QLabel*& Label, QSlider*& Track, QLabel*& Value) {
    Label = TFormBuilder::AddTo<QLabel>(*Group, QStringLiteral("Label") + Name,
                                        QString::fromLatin1(Caption), 8, Top + 8, 40, 13);
    Track = TFormBuilder::AddTo<QSlider>(*Group, QString::fromLatin1(Name), QString(), 50, Top, 200,
                                         30);
    Track->setOrientation(Qt::Horizontal);
    Track->setRange(-RadialLimit, RadialLimit);
    Track->setTickInterval(RadialTick);
    Track->setTickPosition(QSlider::TicksBelow);
    Label->setBuddy(Track);
    Value = TFormBuilder::AddTo<QLabel>(*Group, QString::fromLatin1(ValueName), QStringLiteral("0"),
                                        258, Top + 8, 48, 13);
  };
  AddTrack("TrackBar1", "&Horiz:", "LRadialX", 22, LabelHoriz, TrackBar1, LRadialX);
  AddTrack("TrackBar2", "&Vert:", "LRadialY", 66, LabelVert, TrackBar2, LRadialY);
}

// Ten flat charts, one per direction, each showing its direction on an
// opaque back wall.
void TKorGradientEditor::BuildDirectionsTab() {
  Directions = new TChartGalleryPanel(this);
  Directions->SetName("Directions");
  Directions->SetParentWidget(TabDirections);
  Directions->GetWidget()->setObjectName(QStringLiteral("Directions"));
  Directions->SetBounds(2, 2, PageWidth - 10, PageHeight - 30);
  Directions->SetNumRows(2);
  Directions->SetNumCols(5);
  // The charts have no series, so there are no variants to offer.
  Directions->SetDisplaySub(false);
  for (int i = 0; i < static_cast<int>(DirectionNames.size()); ++i) {
    auto* Chart = new TGalleryChart(Directions);
    Chart->SetGalleryPanel(Directions);
    Chart->SetParentWidget(Directions->GetWidget());
    Chart->SetHint(QString::fromLatin1(DirectionNames[static_cast<size_t>(i)]));
    Chart->SetShowHint(true);
    Chart->GetTitle().Clear();
    Chart->SetView3D(false);
    Chart->SetAxisVisible(false);
    // Walls are drawn only behind series that use the axes: an empty one
    // brings the back wall and draws nothing of its own.
    Chart->AddSeries(new TChartSeries(Chart));
    TChartBackWall& Wall = Chart->GetBackWall();
    Wall.SetTransparent(false);
    Wall.GetGradient()->SetVisible(true);
    Wall.GetGradient()->SetDirection(static_cast<TGradientDirection>(i));
    Chart->SetMarginLeft(16);
    Chart->SetMarginTop(22);
    Chart->SetMarginRight(16);
    Chart->SetMarginBottom(22);
    Chart->OnMouseDown = [this](TCustomControl* Sender, TMouseButton Button, TShiftState, int,
                                int) {
      if (Button == mbLeft) Directions->ChartOnClick(static_cast<TGalleryChart*>(Sender));
    };
    Chart->OnDblClick = [this](TCustomControl* Sender) {
      Directions->ChartOnDblClick(static_cast<TGalleryChart*>(Sender));
    };
    if (QWidget* Widget = Chart->GetWidget()) Widget->show();
    Directions->GetCharts().Add(Chart);
  }
  Directions->ResizeCharts();
}

void TKorGradientEditor::Connect() {
  const auto Guarded = [this](void (TKorGradientEditor::*Handler)()) {
    return [this, Handler] { RunGuarded([this, Handler] { (this->*Handler)(); }); };
  };
  connect(CBVisible, &QCheckBox::clicked, this, Guarded(&TKorGradientEditor::CBVisibleClick));
  connect(CBDirection, &QComboBox::activated, this,
          Guarded(&TKorGradientEditor::CBDirectionChange));
  connect(Gallery, &QListWidget::currentRowChanged, this,
          Guarded(&TKorGradientEditor::GalleryClick));
  // A click on the current preset applies it again (after other edits).
  connect(Gallery, &QListWidget::itemClicked, this, Guarded(&TKorGradientEditor::GalleryClick));
  connect(CBMid, &QCheckBox::clicked, this, Guarded(&TKorGradientEditor::CBMidClick));
  // The colour buttons run OnClick after their dialog, guarded already.
  BStart->OnClick = [this](TKorButton*) { BStartClick(); };
  BMid->OnClick = [this](TKorButton*) { BMidClick(); };
  BEnd->OnClick = [this](TKorButton*) { BEndClick(); };
  connect(BSwap, &QPushButton::clicked, this, Guarded(&TKorGradientEditor::BSwapClick));
  connect(SBBalance, &QScrollBar::valueChanged, this,
          Guarded(&TKorGradientEditor::SBBalanceChange));
  connect(TrackBar1, &QSlider::valueChanged, this, Guarded(&TKorGradientEditor::TrackBar1Change));
  connect(TrackBar2, &QSlider::valueChanged, this, Guarded(&TKorGradientEditor::TrackBar2Change));
  if (Directions != nullptr) {
    // Called from the panel's own guarded handlers.
    Directions->OnChangeChart = [this](TChartGalleryPanel*) { DirectionsSelectedChart(); };
    Directions->OnSelectedChart = [this](TChartGalleryPanel*) { DirectionsSelectedChart(); };
  }
  connect(BOK, &QPushButton::clicked, this, [this] { done(mrOk); });
  connect(BCancel, &QPushButton::clicked, this, Guarded(&TKorGradientEditor::BCancelClick));
}

void TKorGradientEditor::Dock() {
  FDocked = true;
  PanelButtons->hide();
  setFixedSize(FormWidth, FormHeight - ButtonsHeight);
}

// ------------------------------------------------------------ switches

void TKorGradientEditor::SetColorsOnly(bool Value) {
  FColorsOnly = Value;
  BEnd->setHidden(Value);
  BSwap->setHidden(Value);
  EnableControls();
}

void TKorGradientEditor::SetHideVisible(bool Value) {
  FHideVisible = Value;
  CBVisible->setHidden(Value);
}

// ------------------------------------------------------------- refresh

void TKorGradientEditor::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  // A window restored from the task bar is shown again by the system; the
  // backup must stay what the gradient was when the form opened.
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TKorGradientEditor::FormShow() {
  TCustomKorGradient* Gradient = FGradient;
  if (Gradient == nullptr) Gradient = static_cast<TCustomKorGradient*>(KorFormTag(*this));
  RefreshGradient(Gradient);
  FModified = false;
  KorTranslateControl(this);
}

void TKorGradientEditor::RefreshGradient(TCustomKorGradient* Gradient) {
  TUpdating Updating(FUpdating);
  FGradient = Gradient;
  if (Gradient != nullptr) {
    FBackup.Assign(*Gradient);
    BStart->LinkProperty(Gradient, QStringLiteral("StartColor"));
    BMid->LinkProperty(Gradient, QStringLiteral("MidColor"));
    BEnd->LinkProperty(Gradient, QStringLiteral("EndColor"));
    RefreshControls();
    SetPreview();
  } else {
    // The buttons must not reach a gradient that may be gone.
    for (TButtonColor* Button : {BStart, BMid, BEnd}) Button->LinkProperty(&FBackup, QString());
  }
  EnableControls();
  SelectDirectionChart();
}

void TKorGradientEditor::RefreshControls() {
  if (FGradient == nullptr) return;
  TUpdating Updating(FUpdating);
  const TCustomKorGradient& G = *FGradient;
  SBBalance->setValue(G.GetBalance());
  ShowBalance();
  CBVisible->setChecked(G.GetVisible());
  CBDirection->setCurrentIndex(static_cast<int>(G.GetDirection()));
  CBMid->setChecked(G.GetMidColor() == clNone);
  TrackBar1->setValue(G.GetRadialX());
  TrackBar2->setValue(G.GetRadialY());
  ShowRadial();
  for (TButtonColor* Button : {BStart, BMid, BEnd}) Button->update();
  ColorDirectionCharts();
}

// Everything that edits the gradient waits for it to be visible, unless
// only its colours are edited (then its visibility belongs to someone
// else).
void TKorGradientEditor::EnableControls() {
  const bool Bound = FGradient != nullptr;
  const bool On = Bound && (FColorsOnly || FGradient->GetVisible());
  const TGradientDirection Direction = Bound ? FGradient->GetDirection() : gdTopBottom;
  const bool Middle =
      Bound && (FColorsOnly || (FGradient->GetVisible() && IsRectangular(Direction)));
  const bool Radial = On && Direction == gdRadial;
  CBVisible->setEnabled(Bound);
  for (QWidget* Control :
       std::initializer_list<QWidget*>{LabelDirection, CBDirection, Gallery, BStart, BEnd, BSwap,
                                       LabelBalanceCaption, SBBalance, LabelBalance})
    Control->setEnabled(On);
  if (Preview->GetWidget() != nullptr) Preview->GetWidget()->setEnabled(On);
  if (Directions != nullptr && Directions->GetWidget() != nullptr)
    Directions->GetWidget()->setEnabled(On);
  CBMid->setEnabled(Middle);
  BMid->setEnabled(Middle);
  for (QWidget* Control : std::initializer_list<QWidget*>{LabelHoriz, TrackBar1, LRadialX,
                                                          LabelVert, TrackBar2, LRadialY})
    Control->setEnabled(Radial);
}

void TKorGradientEditor::SetPreview() {
  if (FGradient == nullptr) return;
  const TCustomKorGradient& G = *FGradient;
  TKorGradient& P = *Preview->GetGradient();
  P.SetVisible(G.GetVisible());
  P.SetDirection(G.GetDirection());
  P.SetStartColor(G.GetStartColor());
  P.SetMidColor(G.GetMidColor());
  P.SetEndColor(G.GetEndColor());
  ColorDirectionCharts();
}

// Each direction chart shows its direction in the edited colours.
void TKorGradientEditor::ColorDirectionCharts() {
  const TCustomKorGradient& G = *FGradient;
  for (int i = 0; i < DirectionChartCount(); ++i) {
    TKorGradient& Wall = *DirectionChart(i)->GetBackWall().GetGradient();
    Wall.SetStartColor(G.GetStartColor());
    Wall.SetMidColor(G.GetMidColor());
    Wall.SetEndColor(G.GetEndColor());
  }
}

void TKorGradientEditor::ShowBalance() {
  if (FGradient != nullptr)
    LabelBalance->setText(FormatFloat(Korconst::KorMsg_DefPercentFormat, FGradient->GetBalance()));
}

void TKorGradientEditor::ShowRadial() {
  if (FGradient == nullptr) return;
  LRadialX->setText(QString::number(FGradient->GetRadialX()));
  LRadialY->setText(QString::number(FGradient->GetRadialY()));
}

int TKorGradientEditor::DirectionChartCount() const {
  return Directions != nullptr ? Directions->GetCharts().Count() : 0;
}

TCustomChart* TKorGradientEditor::DirectionChart(int Direction) const {
  return Directions != nullptr ? Directions->GetChart(Direction) : nullptr;
}

void TKorGradientEditor::SelectDirectionChart() {
  if (Directions == nullptr || FGradient == nullptr) return;
  TUpdating Updating(FUpdating);
  Directions->SelectChart(Directions->GetChart(static_cast<int>(FGradient->GetDirection())));
}

// --------------------------------------------------------------- edits

void TKorGradientEditor::CBVisibleClick() {
  if (FUpdating || FGradient == nullptr) return;
  FGradient->SetVisible(CBVisible->isChecked());
  EnableControls();
  SetPreview();
  FModified = true;
}

void TKorGradientEditor::CBDirectionChange() {
  const int Index = CBDirection->currentIndex();
  if (FUpdating || FGradient == nullptr || Index < 0) return;
  const auto Direction = static_cast<TGradientDirection>(Index);
  FGradient->SetDirection(Direction);
  EnableControls();
  if (!IsRectangular(Direction)) {
    TUpdating Updating(FUpdating);
    Gallery->setCurrentRow(-1);
    Gallery->clearSelection();
  }
  SetPreview();
  SelectDirectionChart();
  FModified = true;
}

void TKorGradientEditor::GalleryClick() {
  const QListWidgetItem* Item = Gallery->currentItem();
  if (FUpdating || FGradient == nullptr || Item == nullptr) return;
  ApplyPreset(Item->data(Qt::UserRole).toInt());
}

void TKorGradientEditor::ApplyPreset(int Number) {
  if (Number < 0 || Number >= static_cast<int>(Presets.size())) return;
  const TGradientPreset& P = Presets[static_cast<size_t>(Number)];
  FGradient->SetStartColor(P.Start);
  FGradient->SetMidColor(P.Middle);
  FGradient->SetEndColor(P.End);
  FGradient->SetDirection(P.Direction);
  FGradient->SetBalance(P.Balance);
  FModified = true;
  RefreshControls();
  // The preset's direction may change which controls apply.
  EnableControls();
  SetPreview();
  SelectDirectionChart();
}

void TKorGradientEditor::CBMidClick() {
  if (FUpdating || FGradient == nullptr) return;
  if (CBMid->isChecked()) {
    FGradient->SetMidColor(clNone);
  } else {
    FGradient->UseMiddleColor();
    if (FGradient->GetMidColor() == clNone) FGradient->SetMidColor(clWhite);
  }
  BMid->update();
  SetPreview();
  FModified = true;
}

void TKorGradientEditor::BStartClick() {
  SetPreview();
  FModified = true;
}

void TKorGradientEditor::BMidClick() {
  if (FGradient == nullptr) return;
  {
    TUpdating Updating(FUpdating);
    CBMid->setChecked(FGradient->GetMidColor() == clNone);
  }
  SetPreview();
  FModified = true;
}

void TKorGradientEditor::BEndClick() {
  SetPreview();
  FModified = true;
}

void TKorGradientEditor::BSwapClick() {
  if (FGradient == nullptr) return;
  const TColor Start = FGradient->GetStartColor();
  FGradient->SetStartColor(FGradient->GetEndColor());
  FGradient->SetEndColor(Start);
  BStart->update();
  BEnd->update();
  SetPreview();
  FModified = true;
}

void TKorGradientEditor::SBBalanceChange() {
  if (FGradient == nullptr) return;
  if (!FUpdating) {
    FGradient->SetBalance(SBBalance->value());
    FModified = true;
  }
  ShowBalance();
}

void TKorGradientEditor::TrackBar1Change() {
  if (FGradient == nullptr) return;
  if (!FUpdating) {
    FGradient->SetRadialX(TrackBar1->value());
    FModified = true;
  }
  ShowRadial();
}

void TKorGradientEditor::TrackBar2Change() {
  if (FGradient == nullptr) return;
  if (!FUpdating) {
    FGradient->SetRadialY(TrackBar2->value());
    FModified = true;
  }
  ShowRadial();
}

void TKorGradientEditor::DirectionsSelectedChart() {
  if (FUpdating || FGradient == nullptr || Directions == nullptr) return;
  const int Index = Directions->GetCharts().IndexOf(Directions->GetSelectedChart());
  if (Index < 0) return;
  FGradient->SetDirection(static_cast<TGradientDirection>(Index));
  {
    TUpdating Updating(FUpdating);
    CBDirection->setCurrentIndex(Index);
  }
  // Radial offsets and the middle colour depend on the direction.
  EnableControls();
  SetPreview();
  FModified = true;
}

void TKorGradientEditor::BCancelClick() {
  if (FModified && FGradient != nullptr) {
    // One change notification for the whole restore, so the owner repaints
    // once.
    const TNotifyEvent Handler = FGradient->OnChange;
    FGradient->OnChange = nullptr;
    FGradient->Assign(FBackup);
    FGradient->OnChange = Handler;
    if (Handler) Handler(FGradient);
    FModified = false;
  }
  done(mrCancel);
}

void TKorGradientEditor::reject() {
  if (FDocked) return;
  RunGuarded([this] { BCancelClick(); });
}

bool EditKorGradient(QWidget* Owner, TCustomKorGradient& Gradient, bool ColorsOnly,
                     bool HideVisible) {
  const std::unique_ptr<TKorGradientEditor> Editor = KorCreateForm<TKorGradientEditor>(Owner);
  Editor->SetColorsOnly(ColorsOnly);
  Editor->SetHideVisible(HideVisible);
  Editor->RefreshGradient(&Gradient);
  return ShowModal(*Editor) == mrOk;
}
