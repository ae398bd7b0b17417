#include "chart/editor/TKorToolsGallery.h"

#include "chart/core/KorEngine.h"
#include "chart/core/KorProcs.h"
#include "chart/core/TKorCustomTool.h"
#include "chart/core/TKorCustomToolAxis.h"
#include "chart/core/TKorCustomToolSeries.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/TCanvas.h"
#include "platform/TFormBuilder.h"
#include "platform/TOwnerDrawDelegate.h"

#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>

#include <memory>

namespace {

// A row holds a 16-pixel editor bitmap one pixel below its top.
constexpr int ToolItemHeight = 18;

// Tools are asked about themselves through an instance of their class,
// freed at once.
std::unique_ptr<TKorCustomTool> TemporaryTool(TKorToolClass Tool) {
  return std::unique_ptr<TKorCustomTool>(Tool.Create(nullptr));
}

}  // namespace

TKorToolsGallery::TToolKind KorToolKind(TKorToolClass Tool) {
  const std::unique_ptr<TKorCustomTool> Instance = TemporaryTool(Tool);
  if (dynamic_cast<const TKorCustomToolSeries*>(Instance.get()) != nullptr)
    return TKorToolsGallery::tkSeries;
  if (dynamic_cast<const TKorCustomToolAxis*>(Instance.get()) != nullptr)
    return TKorToolsGallery::tkAxis;
  return TKorToolsGallery::tkOther;
}

void KorDrawTool(const QListWidget& List, int Index, TCanvas& Canvas, const TRect& Rect,
                 TKorToolClass Tool, bool Selected) {
  Canvas.GetBrush().SetStyle(bsSolid);
  Canvas.GetBrush().SetColor(Selected ? clHighlight : clWindow);
  Canvas.FillRect(Rect);
  if (Tool) KorDrawBitmapEditor(Canvas, *TemporaryTool(Tool), Rect.Left + 2, Rect.Top + 1);
  Canvas.GetBrush().SetStyle(bsClear);
  Canvas.SetBkMode(bkTransparent);
  Canvas.GetFont().SetColor(Selected ? clHighlightText : clWindowText);
  if (const QListWidgetItem* Item = List.item(Index))
    Canvas.TextOut(Rect.Left + 22, Rect.Top + 2, Item->text());
}

TKorToolsGallery::TKorToolsGallery(QWidget* Owner) : QDialog(Owner) {
  setObjectName(QStringLiteral("KorToolsGallery"));
  setWindowTitle(QStringLiteral("Chart Tools Gallery"));
  BuildControls();
  resize(320, 330);
}

TKorToolsGallery::~TKorToolsGallery() = default;

void TKorToolsGallery::BuildControls() {
  TFormBuilder B(*this);
  TabControl1 = B.Add<QTabBar>(QStringLiteral("TabControl1"), QString(), 8, 8, 304, 24);
  TabControl1->setExpanding(false);
  LBTool = B.Add<QListWidget>(QStringLiteral("LBTool"), QString(), 8, 32, 304, 250);
  LBTool->setItemDelegate(new TOwnerDrawDelegate(
      LBTool, ToolItemHeight,
      [this](TCanvas& Canvas, int Index, const TRect& Rect, bool Selected, bool) {
        KorDrawTool(*LBTool, Index, Canvas, Rect, ToolAtIndex(Index), Selected);
      }));
  BOk = B.Add<QPushButton>(QStringLiteral("BOk"), QStringLiteral("&Add"), 156, 294, 75, 25);
  BCan = B.Add<QPushButton>(QStringLiteral("BCan"), QStringLiteral("Cancel"), 237, 294, 75, 25);
  BOk->setDefault(true);

  connect(TabControl1, &QTabBar::currentChanged, this,
          [this] { RunGuarded([this] { TabControl1Change(); }); });
  connect(LBTool, &QListWidget::currentRowChanged, this,
          [this] { RunGuarded([this] { LBToolClick(); }); });
  connect(LBTool, &QListWidget::itemDoubleClicked, this,
          [this] { RunGuarded([this] { LBToolDblClick(); }); });
  connect(BOk, &QPushButton::clicked, this, [this] { done(mrOk); });
  connect(BCan, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TKorToolsGallery::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (!Event->spontaneous()) RunGuarded([this] { FormShow(); });
}

void TKorToolsGallery::FormShow() {
  if (TabControl1->count() == 0) {
    for (const QString& Tab :
         {QStringLiteral("Series"), QStringLiteral("Axis"), QStringLiteral("Other")})
      TabControl1->addTab(Tab);
  }
  FillTools();
  KorTranslateControl(this);
}

void TKorToolsGallery::FillTools() {
  LBTool->clear();
  FRowTools.clear();
  const int Kind = TabControl1->currentIndex();
  const TKorToolTypes& Types = KorToolTypes();
  for (int I = 0; I < Types.Count(); ++I) {
    const TKorToolClass Tool = Types.Get(I);
    if (KorToolKind(Tool) != Kind) continue;
    FRowTools.push_back(Tool);
    LBTool->addItem(TemporaryTool(Tool)->Description());
  }
  LBTool->setCurrentRow(-1);
  BOk->setEnabled(false);
}

void TKorToolsGallery::TabControl1Change() {
  FillTools();
}

void TKorToolsGallery::LBToolClick() {
  BOk->setEnabled(LBTool->currentRow() >= 0);
}

void TKorToolsGallery::LBToolDblClick() {
  if (SelectedTool()) done(mrOk);
}

TKorToolClass TKorToolsGallery::ToolAtIndex(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(FRowTools.size())) return TKorToolClass();
  return FRowTools[static_cast<size_t>(Index)];
}

TKorToolClass TKorToolsGallery::SelectedTool() const {
  return ToolAtIndex(LBTool->currentRow());
}
