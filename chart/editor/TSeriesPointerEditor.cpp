#include "chart/editor/TSeriesPointerEditor.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonGradient.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TFormKorSeries.h"
#include "chart/editor/TItemFaceCombo.h"

#include "chart/core/TChartPen.h"
#include "chart/core/TComboFlat.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TSeriesPointer.h"
#include "chart/series/TCustomSeries.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/ScopeGuard.h"
#include "platform/TCanvas.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TOwnerDrawDelegate.h"
#include "platform/TUpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {

// The sample pointer sits 8 pixels below the item's top.
constexpr int StyleItemHeight = 16;

// Shapes drawn by the pen alone: without a frame they would not show.
bool IsLineStyle(TSeriesPointerStyle Style) {
  return Style == psCross || Style == psDiagCross || Style == psStar || Style == psSmallDot;
}

// The shapes with a solid 3D form (a sphere needs a canvas that rotates
// fully).
bool HasSolidForm(TSeriesPointerStyle Style, bool FullRotation) {
  switch (Style) {
    case psRectangle:
    case psTriangle:
    case psDownTriangle: return true;
    case psCircle: return FullRotation;
    default: return false;
  }
}

}  // namespace

TSeriesPointerEditor::TSeriesPointerEditor(QWidget* Parent) : QDialog(Parent) {
  setObjectName(QStringLiteral("SeriesPointerEditor"));
  BuildControls();
  Connect();
  resize(346, 196);
}

TSeriesPointerEditor::~TSeriesPointerEditor() = default;

void TSeriesPointerEditor::BuildControls() {
  TFormBuilder B(*this);
  auto Check = [&B](const char* Name, const char* Caption, int Left, int Top) {
    return B.Add<QCheckBox>(QString::fromLatin1(Name), QString::fromUtf8(Caption), Left, Top, 128,
                            17);
  };
  auto Size = [&B](const char* Name, const char* UpDown, int Top) {
    auto* E = B.Add<TEditUpDown>(QString::fromLatin1(Name), QStringLiteral("4"), 64, Top, 56, 22);
    E->GetUpDown()->setObjectName(QString::fromLatin1(UpDown));
    E->SetMin(1);
    E->SetMax(1000);
    return E;
  };
  CBDrawPoint = Check("CBDrawPoint", "&Visible", 8, 8);
  CB3dPoint = Check("CB3dPoint", "&3D", 8, 32);
  CBPoDark = Check("CBPoDark", "Dar&k 3D", 24, 54);
  CBInflate = Check("CBInflate", "Inflate &Margins", 8, 78);
  CBColorEach = Check("CBColorEach", "&Color Each ", 8, 102);
  LWidth = B.Add<QLabel>(QStringLiteral("LWidth"), QStringLiteral("&Width:"), 8, 136, 52, 13);
  SEPointHorizSize = Size("SEPointHorizSize", "UDPointHorizSize", 132);
  LHeight = B.Add<QLabel>(QStringLiteral("LHeight"), QStringLiteral("&Height:"), 8, 166, 52, 13);
  SEPointVertSize = Size("SEPointVertSize", "UDPointVertSize", 162);
  LWidth->setBuddy(SEPointHorizSize);
  LHeight->setBuddy(SEPointVertSize);

  CBStyle = new TItemFaceCombo(this, StyleItemHeight,
                               [this](TCanvas& Canvas, int Index, const TRect& Rect) {
                                 CBStyleDrawItem(Canvas, Index, Rect, false);
                               });
  CBStyle->setObjectName(QStringLiteral("CBStyle"));
  CBStyle->setGeometry(150, 8, 150, 22);
  CBStyle->addItems({QStringLiteral("Square"), QStringLiteral("Circle"), QStringLiteral("Triangle"),
                     QStringLiteral("Down Triangle"), QStringLiteral("Cross"),
                     QStringLiteral("Diagonal Cross"), QStringLiteral("Star"),
                     QStringLiteral("Diamond"), QStringLiteral("Small Dot"),
                     QStringLiteral("Nothing"), QStringLiteral("Left Triangle"),
                     QStringLiteral("Right Triangle")});
  CBStyle->setMaxVisibleItems(CBStyle->count());
  CBStyle->setItemDelegate(
      new TOwnerDrawDelegate(CBStyle, StyleItemHeight,
                             [this](TCanvas& Canvas, int Index, const TRect& Rect, bool Selected,
                                    bool) { CBStyleDrawItem(Canvas, Index, Rect, Selected); }));
  BPointFillColor = B.Add<QPushButton>(QStringLiteral("BPointFillColor"),
                                       QStringLiteral("&Pattern..."), 150, 40, 100, 25);
  CBDefBrushColor = Check("CBDefBrushColor", "&Default", 258, 44);
  CBDefBrushColor->resize(84, 17);
  BPoinPenCol = B.Add<TButtonPen>(QStringLiteral("BPoinPenCol"), QStringLiteral("B&order..."), 150,
                                  72, 100, 25);
  BGradient = B.Add<TButtonGradient>(QStringLiteral("BGradient"), QStringLiteral("&Gradient..."),
                                     150, 104, 100, 25);
  Button1 =
      B.Add<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Close"), 258, 162, 75, 25);
  Button1->setVisible(false);
}

void TSeriesPointerEditor::Connect() {
  auto Clicked = [this](QCheckBox* Box, void (TSeriesPointerEditor::*Handler)()) {
    connect(Box, &QCheckBox::clicked, this,
            [this, Handler] { Apply([this, Handler] { (this->*Handler)(); }); });
  };
  Clicked(CBDrawPoint, &TSeriesPointerEditor::CBDrawPointClick);
  Clicked(CB3dPoint, &TSeriesPointerEditor::CB3dPointClick);
  Clicked(CBPoDark, &TSeriesPointerEditor::CBPoDarkClick);
  Clicked(CBInflate, &TSeriesPointerEditor::CBInflateClick);
  Clicked(CBColorEach, &TSeriesPointerEditor::CBColorEachClick);
  Clicked(CBDefBrushColor, &TSeriesPointerEditor::CBDefBrushColorClick);
  connect(SEPointHorizSize, &QLineEdit::textChanged, this,
          [this] { Apply([this] { SEPointHorizSizeChange(); }); });
  connect(SEPointVertSize, &QLineEdit::textChanged, this,
          [this] { Apply([this] { SEPointVertSizeChange(); }); });
  connect(CBStyle, &QComboBox::currentIndexChanged, this,
          [this] { Apply([this] { CBStyleChange(); }); });
  connect(BPointFillColor, &QPushButton::clicked, this,
          [this] { Apply([this] { BPointFillColorClick(); }); });
  // The pen dialog may have changed the frame colour.
  BPoinPenCol->OnClick = [this](TKorButton*) {
    RunGuarded([this] {
      RefreshDefault();
      CBStyle->update();
    });
  };
  BGradient->OnClick = [this](TKorButton*) { CBStyle->update(); };
  connect(Button1, &QPushButton::clicked, this, [this] { done(mrOk); });
}

void TSeriesPointerEditor::Apply(const std::function<void()>& Edit) {
  if (FFilling || FPointer == nullptr) return;
  if (!RunGuarded(Edit)) RunGuarded([this] { FillControls(); });
}

void TSeriesPointerEditor::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TSeriesPointerEditor::SetStandalone(bool Value) {
  FStandalone = Value;
  Button1->setVisible(Value);
  if (Value) CBColorEach->setVisible(false);
}

void TSeriesPointerEditor::HideSizeOptions() {
  FHideSizes = true;
  ShowSizeOptions();
}

void TSeriesPointerEditor::FormShow() {
  if (TPersistent* Tagged = KorFormObject(*this)) FObject = Tagged;
  FPointer = dynamic_cast<TSeriesPointer*>(FObject);
  FSeries = nullptr;
  if (FPointer == nullptr) {
    if (auto* Series = dynamic_cast<TCustomSeries*>(FObject)) {
      FSeries = Series;
      FPointer = &Series->GetPointer();
    }
  }
  if (FPointer != nullptr) FillControls();
}

void TSeriesPointerEditor::FillControls() {
  FFilling = true;
  const TScopeGuard Filled([this] { FFilling = false; });
  const TSeriesPointer& P = *FPointer;
  CBColorEach->setVisible(FSeries != nullptr && !FStandalone);
  if (FSeries != nullptr) CBColorEach->setChecked(FSeries->GetColorEachPoint());
  CBDrawPoint->setChecked(P.GetVisible());
  CB3dPoint->setChecked(P.GetDraw3D());
  CBPoDark->setChecked(P.GetDark3D());
  CBInflate->setChecked(P.GetInflateMargins());
  SEPointHorizSize->SetPosition(P.GetHorizSize());
  SEPointVertSize->SetPosition(P.GetVertSize());
  CBStyle->setCurrentIndex(static_cast<int>(P.GetStyle()));
  RefreshDefault();
  BPoinPenCol->LinkPen(&P.GetPen());
  BGradient->LinkGradient(&P.GetGradient());
  ShowSizeOptions();
  EnableVisibleControls();
  Check3D();
}

void TSeriesPointerEditor::ShowSizeOptions() {
  const bool Shown = !FHideSizes && (FPointer == nullptr || FPointer->GetAllowChangeSize());
  ShowControls(Shown, {LWidth, SEPointHorizSize, LHeight, SEPointVertSize});
}

void TSeriesPointerEditor::RefreshDefault() {
  if (FPointer == nullptr) return;
  const bool Was = FFilling;
  FFilling = true;
  const TScopeGuard Restore([&] { FFilling = Was; });
  CBDefBrushColor->setChecked(FPointer->GetColor() == clDefault &&
                              FPointer->GetPen().GetColor() == clDefault);
}

void TSeriesPointerEditor::Check3D() {
  bool Enabled = false;
  if (FPointer != nullptr && FPointer->GetVisible()) {
    TCustomKorPanel* Chart = FPointer->GetParent();
    if (TChartSeries* Series = FPointer->GetSeries())
      if (Series->GetParentChart() != nullptr) Chart = Series->GetParentChart();
    if (Chart != nullptr && Chart->GetView3D())
      Enabled =
          HasSolidForm(FPointer->GetStyle(), Chart->GetPanelCanvas().GetSupportsFullRotation());
  }
  CB3dPoint->setEnabled(Enabled);
  CBPoDark->setEnabled(Enabled && CB3dPoint->isChecked());
}

void TSeriesPointerEditor::EnableVisibleControls() {
  const bool Visible = FPointer != nullptr && FPointer->GetVisible();
  for (QWidget* Control : std::initializer_list<QWidget*>{CBInflate, LWidth, SEPointHorizSize,
                                                          LHeight, SEPointVertSize, BPointFillColor,
                                                          CBStyle, BPoinPenCol, CBDefBrushColor})
    Control->setEnabled(Visible);
}

void TSeriesPointerEditor::CBDrawPointClick() {
  FPointer->SetVisible(CBDrawPoint->isChecked());
  EnableVisibleControls();
  Check3D();
}

void TSeriesPointerEditor::CB3dPointClick() {
  FPointer->SetDraw3D(CB3dPoint->isChecked());
  Check3D();
}

void TSeriesPointerEditor::CBPoDarkClick() {
  FPointer->SetDark3D(CBPoDark->isChecked());
}

void TSeriesPointerEditor::CBInflateClick() {
  FPointer->SetInflateMargins(CBInflate->isChecked());
}

void TSeriesPointerEditor::SEPointHorizSizeChange() {
  bool Ok = false;
  const int Value = SEPointHorizSize->text().trimmed().toInt(&Ok);
  if (Ok) FPointer->SetHorizSize(Value);
}

void TSeriesPointerEditor::SEPointVertSizeChange() {
  bool Ok = false;
  const int Value = SEPointVertSize->text().trimmed().toInt(&Ok);
  if (Ok) FPointer->SetVertSize(Value);
}

void TSeriesPointerEditor::CBStyleChange() {
  if (CBStyle->currentIndex() < 0) return;
  FPointer->SetStyle(static_cast<TSeriesPointerStyle>(CBStyle->currentIndex()));
  Check3D();
}

void TSeriesPointerEditor::BPointFillColorClick() {
  EditChartBrush(this, FPointer->GetBrush());
  RefreshDefault();
  CBStyle->update();
}

void TSeriesPointerEditor::CBDefBrushColorClick() {
  if (CBDefBrushColor->isChecked()) {
    FPointer->SetColor(clDefault);
    FPointer->GetPen().SetColor(clDefault);
  } else if (FPointer->GetPen().GetColor() == clDefault) {
    // A frame in the series colour would vanish into the fill.
    FPointer->GetPen().SetColor(clBlack);
  }
  BPoinPenCol->update();
  CBStyle->update();
}

void TSeriesPointerEditor::CBColorEachClick() {
  if (FSeries != nullptr) FSeries->SetColorEachPoint(CBColorEach->isChecked());
}

void TSeriesPointerEditor::CBStyleDrawItem(TCanvas& Canvas, int Index, const TRect& Rect,
                                           bool Selected) const {
  const TColor Background = Selected ? clHighlight : clWindow;
  Canvas.GetBrush().SetStyle(bsSolid);
  Canvas.GetBrush().SetColor(Background);
  Canvas.FillRect(Rect);
  if (Index < 0 || Index >= CBStyle->count()) return;
  if (FPointer != nullptr) {
    TColor Color = FPointer->GetColor();
    if (Color == clDefault) {
      const TChartSeries* Series = FPointer->GetSeries();
      Color = Series != nullptr ? Series->GetSeriesColor() : clBlack;
    }
    const auto Style = static_cast<TSeriesPointerStyle>(Index);
    TKorCanvas3D Surface(&Canvas);
    FPointer->PrepareCanvas(Surface, Color);
    if (IsLineStyle(Style) && !FPointer->GetPen().GetVisible()) {
      Surface.GetPen().SetStyle(psSolid);
      Surface.GetPen().SetWidth(1);
      Surface.GetPen().SetColor(Color);
    }
    FPointer->DrawPointer(Surface, false, Rect.Left + 6, Rect.Top + 8, 4, 4, Color, Style);
  }
  Canvas.GetBrush().SetStyle(bsClear);
  Canvas.SetBkMode(bkTransparent);
  Canvas.GetFont().SetColor(Selected ? clHighlightText : clWindowText);
  Canvas.TextOut(Rect.Left + 14, Rect.Top + 2, CBStyle->itemText(Index));
}

void RegisterSeriesPointerEditor() {
  RegisterEditorForm(QStringLiteral("TSeriesPointerEditor"),
                     [](QWidget* Parent) { return new TSeriesPointerEditor(Parent); });
}

bool EditSeriesPointer(QWidget* Owner, TSeriesPointer& Pointer) {
  const std::unique_ptr<TSeriesPointerEditor> Form = KorCreateForm<TSeriesPointerEditor>(Owner);
  Form->setWindowTitle(QStringLiteral("Pointer"));
  Form->SetObject(&Pointer);
  Form->SetStandalone(true);
  ShowModal(*Form);
  return true;
}

QWidget* KorInsertPointerForm(QWidget& Parent, TPersistent* Pointer, const QString& TabCaption) {
  return InsertSeriesForm(Parent, QStringLiteral("TSeriesPointerEditor"), TabCaption, Pointer);
}
