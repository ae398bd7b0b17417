#include "chart/editor/TChartGalleryPanel.h"

#include "chart/editor/TGalleryChart.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorEngine.h"
#include "chart/core/KorProcs.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisPen.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTheme.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TChartWall.h"
#include "chart/core/TChartWalls.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorFunction.h"
#include "chart/core/TKorSeriesTypes.h"
#include "chart/series/TLineSeries.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"

#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPolygon>
#include <QScreen>
#include <QWidget>

#include <algorithm>

bool KorGalleryCheckMaximize = false;
TColor clKorGallery = clWhite;

namespace {

// Pixels of the strip above a sub-gallery's charts, and of the box at the
// bottom left of the focused chart that opens the sub-gallery.
constexpr int SubStripHeight = 12;
constexpr int ArrowBoxSize = 12;
// Pixels a sub-gallery keeps from the right and bottom of the work area.
constexpr int WorkAreaGap = 2;
// Margins of a gallery chart (pixels): 3D charts need less room.
constexpr int Margin3D = 4;
constexpr int Margin2D = 5;

const QString SmoothGalleryOption = QStringLiteral("SmoothGallery");

// The strip at the top of a sub-gallery: a small up-pointing triangle;
// clicking it accepts the variant shown selected.
class TSubGalleryStrip : public QWidget {
 public:
  TSubGalleryStrip(QDialog& Form) : QWidget(&Form), FForm(Form) {
    setObjectName(QStringLiteral("SubGalleryStrip"));
    setFixedHeight(SubStripHeight);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    RunGuarded([this] {
      QPainter Painter(this);
      const int X = width() / 2;
      const QPolygon Triangle({QPoint(X - 4, 9), QPoint(X + 4, 9), QPoint(X, 5)});
      Painter.setPen(Qt::black);
      Painter.setBrush(Qt::black);
      Painter.drawPolygon(Triangle);
    });
  }
  void mousePressEvent(QMouseEvent*) override {
    RunGuarded([this] { FForm.done(mrOk); });
  }

 private:
  QDialog& FForm;
};

// The borderless sub-gallery form. It sees keys first: Esc cancels,
// Enter accepts, arrows move the inner panel's selection.
class TSubGalleryForm : public QDialog {
 public:
  explicit TSubGalleryForm(QWidget* Parent)
      : QDialog(Parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("KorSubGallery"));
  }
  TChartGalleryPanel* Inner = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* Event) override {
    RunGuarded([this, Event] {
      const int Key = Event->key();
      if (Key == Qt::Key_Escape)
        done(mrCancel);
      else if (Key == Qt::Key_Return || Key == Qt::Key_Enter)
        done(mrOk);
      else if (Inner != nullptr)
        Inner->HandleKey(Key, TShiftState());
    });
  }

 private:
  using QDialog::QDialog;
};

TChartSeriesClass SeriesClassOf(const TChartSeries& Series) {
  return ClassOfInstance<TChartSeries>(Series);
}

}  // namespace

TChartGalleryPanel::TChartGalleryPanel(TComponent* AOwner) : TCustomPanelNoCaption(AOwner) {
  FSmooth = KorReadBoolOption(SmoothGalleryOption, false);
  if (QWidget* Widget = GetWidget()) Widget->setFocusPolicy(Qt::StrongFocus);
}

TChartGalleryPanel::~TChartGalleryPanel() {
  Destroying();
  // The charts go first: they point back at the panel.
  FSelectedChart = nullptr;
  FCharts.Clear();
}

const TPropertyList& TChartGalleryPanel::Properties() const {
  namespace PP = PublishedProperty;
  using C = TChartGalleryPanel;
  static const TPropertyList List(
      TCustomPanelNoCaption::Properties(),
      {
          PP::Boolean<C>(QStringLiteral("DisplaySub"), &C::GetDisplaySub, &C::SetDisplaySub, true),
          PP::Boolean<C>(QStringLiteral("FocusRotation"), &C::GetFocusRotation,
                         &C::SetFocusRotation, true),
          PP::Integer<C>(QStringLiteral("NumRows"), &C::GetNumRows, &C::SetNumRows, 3),
          PP::Integer<C>(QStringLiteral("NumCols"), &C::GetNumCols, &C::SetNumCols, 4),
          PP::Boolean<C>(QStringLiteral("Smooth"), &C::GetSmooth, &C::SetSmooth, false),
          PP::Boolean<C>(QStringLiteral("View3D"), &C::GetView3D, &C::SetView3D, true),
      });
  return List;
}

// -- properties

void TChartGalleryPanel::SetFocusRotation(bool Value) {
  if (FFocusRotation == Value) return;
  FFocusRotation = Value;
  for (TGalleryChart* Chart : FCharts) Chart->CheckRotation();
}

void TChartGalleryPanel::SetNumRows(int Value) {
  FNumRows = std::max(1, Value);
  ResizeCharts();
}

void TChartGalleryPanel::SetNumCols(int Value) {
  FNumCols = std::max(1, Value);
  ResizeCharts();
}

void TChartGalleryPanel::SetSmooth(bool Value) {
  FSmooth = Value;
  for (TGalleryChart* Chart : FCharts) Chart->SetSmooth(Value);
}

void TChartGalleryPanel::SetView3D(bool Value) {
  FView3D = Value;
  for (TGalleryChart* Chart : FCharts) {
    Chart->SetGallery3D(Value);
    const int Margin = Value ? Margin3D : Margin2D;
    for (int Side = 0; Side < 4; ++Side) Chart->SetMargin(Side, Margin);
  }
}

// -- pages

bool TChartGalleryPanel::ValidSeries(const TKorSeriesType& AType, const QString& Page) const {
  // A type with no gallery series appears on no page.
  if (AType.GallerySeriesCount <= 0 || AType.GalleryPage() != Page) return false;
  return FFunctionsMode ? AType.FunctionClassRef.Assigned() : !AType.FunctionClassRef.Assigned();
}

int TChartGalleryPanel::CalcRows(int ValidCount) const {
  if (ValidCount > (FNumRows - 1) * FNumCols) return (ValidCount - 1) / FNumCols + 1;
  return 3;
}

void TChartGalleryPanel::CalcCellSize(int Rows) {
  const int Edge = GetBevelWidth() + GetBorderWidth();
  FCellHeight = (GetHeight() - Edge) / std::max(1, Rows);
  FCellWidth = (GetWidth() - Edge) / FNumCols;
}

void TChartGalleryPanel::PlaceChart(TGalleryChart& Chart, int Index) const {
  const int Edge = GetBevelWidth() + GetBorderWidth();
  const int Column = Index % FNumCols;
  const int Row = Index / FNumCols;
  const int W = std::min(FCellWidth, GetWidth() - Edge) - 1;
  const int H = std::min(FCellHeight, GetHeight() - Edge) - 1;
  Chart.SetBounds(Edge + Column * FCellWidth, Edge + Row * FCellHeight, std::max(0, W),
                  std::max(0, H));
}

void TChartGalleryPanel::ResizeCharts() {
  CalcCellSize(CalcRows(FCharts.Count()));
  for (int i = 0; i < FCharts.Count(); ++i) PlaceChart(*FCharts.Get(i), i);
}

void TChartGalleryPanel::Resize() {
  TCustomPanelNoCaption::Resize();
  ResizeCharts();
}

void TChartGalleryPanel::CreateGalleryPage(const QString& Page) {
  const TKorSeriesTypes& Types = KorSeriesTypes();
  int Valid = 0;
  for (int i = 0; i < Types.Count(); ++i)
    if (ValidSeries(*Types.Get(i), Page)) ++Valid;
  CalcCellSize(CalcRows(Valid));
  ClearCharts();
  for (int i = 0; i < Types.Count(); ++i)
    if (ValidSeries(*Types.Get(i), Page)) CreateChart(*Types.Get(i));
  FindSelectedChart();
  ShowSelectedChart();
}

void TChartGalleryPanel::CreateChartList(const std::vector<TChartSeriesClass>& SeriesClasses) {
  ClearCharts();
  std::vector<const TKorSeriesType*> Known;
  for (const TChartSeriesClass& Class : SeriesClasses)
    if (const TKorSeriesType* Type = KorSeriesTypes().Find(Class)) Known.push_back(Type);
  CalcCellSize(CalcRows(static_cast<int>(Known.size())));
  for (const TKorSeriesType* Type : Known) CreateChart(*Type);
  FindSelectedChart();
  ShowSelectedChart();
}

// -- one chart

void TChartGalleryPanel::AddGallerySeries(TGalleryChart& Chart, TKorFunctionClass FunctionClass,
                                          int Count) {
  const TChartSeriesClass Class = Chart.GetSeriesClassRef();
  for (int i = 0; i < std::max(1, Count); ++i)
    CreateNewSeries(&Chart, &Chart, Class, FunctionClass);
}

TGalleryChart* TChartGalleryPanel::CreateChart(const TKorSeriesType& AType) {
  auto* Chart = new TGalleryChart(this);
  FCharts.Add(Chart);
  Chart->SetGalleryPanel(this);
  Chart->SetRepaintOnChange(false);
  Chart->SetColor(GetColor());
  Chart->GetTitle().SetText(AType.Description().split(KorLineSeparator));
  Chart->SetName(KorGetUniqueName(this, QStringLiteral("KorGalleryChart")).toStdString());
  Chart->SetParentWidget(GetWidget());
  PlaceChart(*Chart, FCharts.Count() - 1);
  Chart->SetSeriesClassRef(AType.SeriesClassRef.Assigned() ? AType.SeriesClassRef
                                                           : TChartSeriesClass::Of<TLineSeries>());
  Chart->SetGallerySeriesCount(AType.GallerySeriesCount);
  AddGallerySeries(*Chart, AType.FunctionClassRef, AType.GallerySeriesCount);
  FinishChart(*Chart, AType.FunctionClassRef);
  if (QWidget* Widget = Chart->GetWidget()) Widget->show();
  return Chart;
}

void TChartGalleryPanel::FinishChart(TGalleryChart& Chart, TKorFunctionClass FunctionClass) {
  TChartSeries* First = Chart.SeriesCount() > 0 ? Chart.GetSeries(0) : nullptr;
  const bool Enabled = !(FCheckSeries && FChangeSeries != nullptr && First != nullptr &&
                         !First->IsValidSourceOf(FChangeSeries));
  Chart.SetGalleryEnabled(Enabled);
  if (Enabled) {
    Chart.SetCursor(crHandPoint);
    Chart.OnMouseDown = [this](TCustomControl* Sender, TMouseButton Button, TShiftState, int X,
                               int Y) {
      if (Button == mbLeft) ChartMouseDown(*static_cast<TGalleryChart*>(Sender), X, Y);
    };
    Chart.OnDblClick = [this](TCustomControl* Sender) {
      ChartOnDblClick(static_cast<TGalleryChart*>(Sender));
    };
  } else {
    // Greyed: nothing reacts, and the look says so.
    Chart.SetCursor(crNo);
    Chart.OnMouseDown = nullptr;
    Chart.OnDblClick = nullptr;
    Chart.GetTitle().GetFont().SetColor(clGray);
    Chart.GetBackWall().GetPen().SetColor(clGray);
    Chart.GetLeftWall().GetPen().SetColor(clGray);
    Chart.GetBottomWall().GetPen().SetColor(clGray);
    for (int i = 0; i < Chart.GetAxesList().Count(); ++i) {
      TChartAxisPen& Pen = Chart.GetAxesList().Get(i)->GetAxis();
      Pen.SetColor(clWhite);
      Pen.SetWidth(1);
    }
  }
  Chart.SetGallery3D(FView3D);
  if (FunctionClass.Assigned()) {
    std::unique_ptr<TKorFunction> Function(FunctionClass.Create(nullptr));
    Function->PrepareForGallery(&Chart);
  } else {
    for (int i = 0; i < Chart.SeriesCount(); ++i) Chart.GetSeries(i)->PrepareForGallery(Enabled);
  }
  const int Margin = FView3D ? Margin3D : Margin2D;
  for (int Side = 0; Side < 4; ++Side) Chart.SetMargin(Side, Margin);
  const bool Maximized =
      GetWidget() != nullptr && GetWidget()->window()->isMaximized() && KorGalleryCheckMaximize;
  for (int i = 0; i < Chart.GetAxesList().Count(); ++i)
    Chart.GetAxesList().Get(i)->SetLabels(Maximized);
  Chart.SetSmooth(FSmooth);
  Chart.CheckRotation();
  Chart.SetRepaintOnChange(true);
  Chart.Invalidate();
}

void TChartGalleryPanel::RecreateSeries(TGalleryChart& Chart) {
  TKorFunctionClass FunctionClass;
  if (Chart.SeriesCount() > 0 && Chart.GetSeries(0)->GetFunction() != nullptr)
    FunctionClass = ClassOfInstance<TKorFunction>(*Chart.GetSeries(0)->GetFunction());
  Chart.SetRepaintOnChange(false);
  Chart.FreeAllSeries();
  AddGallerySeries(Chart, FunctionClass, Chart.GetGallerySeriesCount());
  FinishChart(Chart, FunctionClass);
}

// -- selection

void TChartGalleryPanel::FindSelectedChart() {
  FSelectedChart = nullptr;
  if (FChangeSeries == nullptr) return;
  const TChartSeriesClass Class = SeriesClassOf(*FChangeSeries);
  for (TGalleryChart* Chart : FCharts) {
    if (Chart->SeriesCount() == 0) continue;
    const TChartSeries* First = Chart->GetSeries(0);
    if (First->GetFunction() == nullptr && Class.IsClassOf(First)) {
      FSelectedChart = Chart;
      return;
    }
  }
}

void TChartGalleryPanel::SelectChart(TGalleryChart* Chart) {
  FSelectedChart = Chart;
  ShowSelectedChart();
}

void TChartGalleryPanel::ShowSelectedChart() {
  if (FSelectedChart == nullptr)
    for (int i = FCharts.Count() - 1; i >= 0; --i)
      if (FCharts.Get(i)->GetGalleryEnabled()) {
        FSelectedChart = FCharts.Get(i);
        break;
      }
  for (TGalleryChart* Chart : FCharts)
    if (Chart != FSelectedChart) Chart->Focus(false);
  if (FSelectedChart != nullptr) {
    FSelectedChart->Focus(true);
    if (QWidget* Widget = GetWidget(); Widget != nullptr && Widget->isVisible()) Widget->setFocus();
  }
  if (OnChangeChart) OnChangeChart(this);
}

bool TChartGalleryPanel::GetSeriesClass(TChartSeriesClass& SeriesClass,
                                        TKorFunctionClass& FunctionClass, int& SubIndex) const {
  if (FSelectedChart == nullptr || FSelectedChart->SeriesCount() == 0) return false;
  const TChartSeries* First = FSelectedChart->GetSeries(0);
  SeriesClass = SeriesClassOf(*First);
  FunctionClass = First->GetFunction() != nullptr
                      ? ClassOfInstance<TKorFunction>(*First->GetFunction())
                      : TKorFunctionClass();
  SubIndex = FSelectedChart->GetTag();
  return true;
}

void TChartGalleryPanel::UseTheme(const TChartThemeFactory& Factory) {
  if (!Factory) return;
  for (TGalleryChart* Chart : FCharts) {
    std::unique_ptr<TChartTheme> Theme = Factory(Chart);
    if (Theme == nullptr) continue;
    Theme->Apply();
    for (int i = 0; i < Chart->SeriesCount(); ++i)
      Chart->GetSeries(i)->PrepareForGallery(Chart->GetGalleryEnabled());
  }
}

// -- mouse and keys

void TChartGalleryPanel::ChartOnClick(TGalleryChart* Chart) {
  if (Chart != nullptr && Chart->GetGalleryEnabled() && Chart != FSelectedChart) SelectChart(Chart);
}

void TChartGalleryPanel::ChartOnDblClick(TGalleryChart* Chart) {
  if (Chart == nullptr || !Chart->GetGalleryEnabled()) return;
  if (Chart != FSelectedChart) SelectChart(Chart);
  if (OnSelectedChart) OnSelectedChart(this);
}

void TChartGalleryPanel::ChartMouseDown(TGalleryChart& Chart, int X, int Y) {
  const bool InArrowBox = X < ArrowBoxSize && Y > Chart.GetHeight() - ArrowBoxSize;
  if (&Chart == FSelectedChart && FDisplaySub && InArrowBox)
    ShowSubGallery();
  else
    ChartOnClick(&Chart);
}

TGalleryChart* TChartGalleryPanel::NeighbourChart(int Key) const {
  const int Index = FCharts.IndexOf(FSelectedChart);
  if (Index < 0) return nullptr;
  const int Column = Index % FNumCols;
  int Step = 0;
  switch (Key) {
    case Qt::Key_Left: Step = -1; break;
    case Qt::Key_Right: Step = 1; break;
    case Qt::Key_Up: Step = -FNumCols; break;
    case Qt::Key_Down: Step = FNumCols; break;
    default: return nullptr;
  }
  const bool Horizontal = Step == 1 || Step == -1;
  for (int i = Index + Step; i >= 0 && i < FCharts.Count(); i += Step) {
    // Left and right stay in the row.
    if (Horizontal && i / FNumCols != Index / FNumCols) break;
    if (!Horizontal && i % FNumCols != Column) break;
    if (FCharts.Get(i)->GetGalleryEnabled()) return FCharts.Get(i);
  }
  return nullptr;
}

bool TChartGalleryPanel::HandleKey(int Key, TShiftState Shift) {
  switch (Key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (FSelectedChart == nullptr) return false;
      ChartOnDblClick(FSelectedChart);
      return true;
    case Qt::Key_Down:
      if (Shift.Contains(ssAlt)) {
        if (FDisplaySub) ShowSubGallery();
        return true;
      }
      [[fallthrough]];
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
      if (TGalleryChart* Next = NeighbourChart(Key)) SelectChart(Next);
      return true;
    default: return false;
  }
}

void TChartGalleryPanel::KeyDown(int& Key, TShiftState Shift) {
  if (HandleKey(Key, Shift))
    Key = 0;
  else
    TCustomPanelNoCaption::KeyDown(Key, Shift);
}

// -- sub-gallery

TPoint TChartGalleryPanel::SubGalleryPosition(const TPoint& Corner, const TPoint& Size,
                                              const TRect& WorkArea) {
  int X = Corner.X;
  int Y = Corner.Y;
  if (X + Size.X > WorkArea.Right - WorkAreaGap) X = WorkArea.Right - WorkAreaGap - Size.X;
  if (Y + Size.Y > WorkArea.Bottom - WorkAreaGap) Y = WorkArea.Bottom - WorkAreaGap - Size.Y;
  return TPoint(std::max(WorkArea.Left, X), std::max(WorkArea.Top, Y));
}

void TChartGalleryPanel::ForgetChart(const TGalleryChart* Chart) {
  if (FSelectedChart == Chart) FSelectedChart = nullptr;
  FCharts.Remove(Chart);
}

void TChartGalleryPanel::ClearCharts() {
  FSelectedChart = nullptr;
  FCharts.Clear();
}

void TChartGalleryPanel::AddSubGalleryCharts(TChartSeriesClass SeriesClass, int SeriesCount) {
  ClearCharts();
  if (!SeriesClass.Assigned()) return;
  // The class lists its variants; a throw-away instance answers for it.
  const QStringList Names =
      std::unique_ptr<TChartSeries>(SeriesClass.Create(nullptr))->CreateSubGallery();
  CalcCellSize(CalcRows(static_cast<int>(Names.size())));
  const TKorSeriesType Type(SeriesClass, TKorFunctionClass(), nullptr, nullptr, SeriesCount);
  for (int i = 0; i < Names.size(); ++i) {
    TGalleryChart* Chart = CreateChart(Type);
    Chart->GetTitle().SetText(QStringList{Names[i]});
    for (int s = 0; s < Chart->SeriesCount(); ++s) Chart->GetSeries(s)->SetSubGallery(i);
    Chart->SetTag(i);
  }
  SelectChart(GetChart(0));
}

void TChartGalleryPanel::FillSubGallery(TChartGalleryPanel& Inner) {
  TChartSeriesClass Class = FSelectedChart->GetSeriesClassRef();
  if (!Class.Assigned() && FSelectedChart->SeriesCount() > 0)
    Class = SeriesClassOf(*FSelectedChart->GetSeries(0));
  if (!Class.Assigned()) return;
  const int Count = static_cast<int>(
      std::unique_ptr<TChartSeries>(Class.Create(nullptr))->CreateSubGallery().size());
  Inner.FNumCols = FNumCols;
  Inner.FNumRows = std::max(1, (Count + FNumCols - 1) / FNumCols);
  // The form is as high as that many rows of this panel's cells and a
  // little, the strip included.
  const int FormHeight = Inner.FNumRows * FCellHeight + 8;
  Inner.SetBounds(0, SubStripHeight, FNumCols * FCellWidth + 8, FormHeight - SubStripHeight);
  Inner.AddSubGalleryCharts(Class, FSelectedChart->GetGallerySeriesCount());
  if (Count > 0)
    Inner.SelectChart(Inner.GetChart(std::clamp(FSelectedChart->GetTag(), 0, Count - 1)));
}

void TChartGalleryPanel::ShowSubGallery() {
  if (FSelectedChart == nullptr || FSubGallery != nullptr) return;
  TGalleryChart* Chart = FSelectedChart;
  Chart->Focus(false);
  TSubGalleryForm Form(GetWidget());
  auto* Strip = new TSubGalleryStrip(Form);
  TChartGalleryPanel Inner(nullptr);
  Inner.FIsSubGallery = true;
  Inner.FDisplaySub = false;
  Inner.FView3D = FView3D;
  Inner.FSmooth = FSmooth;
  Inner.FFocusRotation = FFocusRotation;
  Inner.SetColor(GetColor());
  Inner.SetParentWidget(&Form);
  if (QWidget* Widget = Inner.GetWidget()) Widget->setObjectName(QStringLiteral("SubGalleryPanel"));
  Form.Inner = &Inner;
  FillSubGallery(Inner);
  Inner.OnSelectedChart = [&Form](TChartGalleryPanel*) { Form.done(mrOk); };
  Strip->setGeometry(0, 0, Inner.GetWidth(), SubStripHeight);
  Form.resize(Inner.GetWidth(), SubStripHeight + Inner.GetHeight());
  Inner.ResizeCharts();
  QPoint Corner(0, 0);
  QRect Work(0, 0, 1 << 14, 1 << 14);
  if (QWidget* ChartWidget = Chart->GetWidget()) {
    Corner = ChartWidget->mapToGlobal(QPoint(0, ChartWidget->height()));
    if (QScreen* Screen = ChartWidget->screen()) Work = Screen->availableGeometry();
  }
  const TPoint At = SubGalleryPosition(
      TPoint(Corner.x(), Corner.y()), TPoint(Form.width(), Form.height()),
      TRect(Work.left(), Work.top(), Work.left() + Work.width(), Work.top() + Work.height()));
  Form.move(At.X, At.Y);
  FSubGallery = &Form;
  FSubPanel = &Inner;
  int Result = mrCancel;
  try {
    Result = ShowModal(Form);
  } catch (...) {
    FSubGallery = nullptr;
    FSubPanel = nullptr;
    throw;
  }
  FSubGallery = nullptr;
  FSubPanel = nullptr;
  if (Result == mrOk && Inner.GetSelectedChart() != nullptr) SubGalleryChosen(&Inner);
  if (FCharts.IndexOf(Chart) >= 0) SelectChart(Chart);
}

void TChartGalleryPanel::SubGalleryChosen(TChartGalleryPanel* Inner) {
  const int Index = Inner->GetSelectedChart()->GetTag();
  FSelectedChart->SetTag(Index);
  // Variants add to what is there, so the previous one goes first.
  RecreateSeries(*FSelectedChart);
  if (Index != 0)
    for (int s = 0; s < FSelectedChart->SeriesCount(); ++s)
      FSelectedChart->GetSeries(s)->SetSubGallery(Index);
  if (OnSubSelected) OnSubSelected(this);
}
