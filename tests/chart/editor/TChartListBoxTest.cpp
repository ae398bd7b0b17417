#include "chart/editor/TChartListBox.h"

#include "chart/core/KorProcs.h"
#include "chart/core/KorTypePictures.h"
#include "chart/core/Korconst.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartSeriesList.h"
#include "chart/core/TKorCustomDesigner.h"
#include "chart/core/TSeriesGroup.h"
#include "chart/core/TSeriesGroups.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TLineSeries.h"

#include "platform/ModalHooks.h"
#include "platform/TBitmap.h"
#include "platform/TStringList.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <memory>
#include <optional>

namespace {

class CountingDesigner : public TKorCustomDesigner {
 public:
  void Refresh() override { ++Refreshes; }
  int Refreshes = 0;
};

// A list box on a chart with three series A, B, C (line, bar, line), 300
// pixels wide; the modal hooks are answered by a script.
class TChartListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSeriesTypes();
    A = AddSeries(new TLineSeries(nullptr), "A", clRed);
    B = AddSeries(new TBarSeries(nullptr), "B", clGreen);
    C = AddSeries(new TLineSeries(nullptr), "C", clBlue);
    List = std::make_unique<TChartListBox>();
    List->resize(300, 100);
    List->SetChart(Chart.get());
  }
  void TearDown() override {
    SetInputQueryHook({});
    KorAddGalleryProc = {};
    KorChangeGalleryProc = {};
  }

  TChartSeries* AddSeries(TChartSeries* S, const char* Title, TColor Color) {
    S->SetName(Title + std::string("Series"));
    S->SetTitle(QString::fromLatin1(Title));
    S->SetSeriesColor(Color);
    S->SetParentChart(Chart.get());  // the chart frees its series
    return S;
  }

  QStringList Rows() const {
    QStringList R;
    for (int I = 0; I < List->count(); ++I) R << List->item(I)->text();
    return R;
  }
  QStringList ChartTitles() const {
    QStringList R;
    for (int I = 0; I < Chart->SeriesCount(); ++I) R << Chart->GetSeries(I)->GetTitle();
    return R;
  }
  // The middle of a section on row Row, in viewport pixels.
  QPoint At(TChartListBoxSection Section, int Row) const {
    return QPoint(List->SectionLeft(Section) + List->SectionWidth(Section) / 2,
                  Row * TChartListBox::RowHeight + TChartListBox::RowHeight / 2);
  }
  void AnswerInput(std::optional<QString> Answer) {
    SetInputQueryHook([this, Answer](const TInputQueryRequest& R, QString& Value) {
      Asked = R.Caption + "|" + R.Prompt + "|" + Value;
      if (!Answer) return false;
      Value = *Answer;
      return true;
    });
  }

  std::unique_ptr<TChart> Chart = std::make_unique<TChart>(nullptr);
  std::unique_ptr<TChartListBox> List;
  TChartSeries* A = nullptr;
  TChartSeries* B = nullptr;
  TChartSeries* C = nullptr;
  QString Asked;
};

TEST_F(TChartListBoxTest, FollowsTheChartsSeries) {
  TStringList Mirror;
  List->SetOtherItems(&Mirror);
  List->FillSeries(B);
  EXPECT_EQ(Rows(), QStringList({"A", "B", "C"}));
  EXPECT_EQ(List->SelectedSeries(), B);
  EXPECT_EQ(Mirror.Count(), 3);
  EXPECT_EQ(Mirror.Objects(1), B);

  TChartSeries* D = AddSeries(new TLineSeries(nullptr), "D", clYellow);
  EXPECT_EQ(Rows(), QStringList({"A", "B", "C", "D"}));
  EXPECT_EQ(List->SelectedSeries(), B) << "adding keeps the selection";

  B->SetTitle("Bee");
  EXPECT_EQ(Rows(), QStringList({"A", "Bee", "C", "D"}));
  EXPECT_EQ(Mirror[1], "Bee");
  B->SetTitle(QString());
  EXPECT_EQ(List->item(1)->text(), "BSeries") << "an untitled series shows its name";

  TChartSeries* Removed = nullptr;
  List->OnRemovedSeries = [&](TChartListBox*, TChartSeries* S) { Removed = S; };
  delete D;
  EXPECT_EQ(Removed, D);
  EXPECT_EQ(List->count(), 3);
  EXPECT_EQ(Mirror.Count(), 3);

  Chart->ExchangeSeries(A, C);
  EXPECT_EQ(List->GetSeries(0), C);
  EXPECT_EQ(List->GetSeries(2), A);

  List->SetNames(true);
  EXPECT_EQ(Rows(), QStringList({"CSeries", "BSeries", "ASeries"}));
}

TEST_F(TChartListBoxTest, ShowsAGroupAndForgetsItWithTheChart) {
  TSeriesGroup* Group = Chart->GetSeriesList().GetGroups().Add();
  Group->Add(C);
  Group->Add(A);
  List->SetGroup(Group);
  EXPECT_EQ(Rows(), QStringList({"C", "A"}));
  TChart Other(nullptr);
  List->SetChart(&Other);
  EXPECT_EQ(List->GetGroup(), nullptr);
  EXPECT_EQ(List->count(), 0);
  EXPECT_EQ(List->GetItemIndex(), -1) << "an empty list has no item index";
  EXPECT_EQ(List->SelectedSeries(), nullptr);
  EXPECT_EQ(List->GetSeries(0), nullptr);
  EXPECT_EQ(Chart->GetListeners().IndexOf(List.get()), -1);
  List->SetChart(nullptr);
}

TEST_F(TChartListBoxTest, FreeingEitherSideFirstLeavesNoDanglingLink) {
  Chart.reset();
  EXPECT_EQ(List->GetChart(), nullptr);
  EXPECT_EQ(List->count(), 0);

  Chart = std::make_unique<TChart>(nullptr);
  A = AddSeries(new TLineSeries(nullptr), "A", clRed);
  List->SetChart(Chart.get());
  EXPECT_EQ(Chart->GetListeners().Count(), 1);
  List.reset();
  EXPECT_EQ(Chart->GetListeners().Count(), 0);
  A->SetTitle("still fine");  // would reach a freed listener
}

TEST_F(TChartListBoxTest, ActiveCheckTogglesAndRadioStyleKeepsOneActive) {
  int Changes = 0;
  List->OnChangeActive = [&](TChartListBox*, TChartSeries* S) {
    EXPECT_EQ(S, B);
    ++Changes;
  };
  List->MouseDownAt(mbLeft, TShiftState(), At(lbsActive, 1));
  EXPECT_FALSE(B->GetActive());
  List->MouseDownAt(mbLeft, TShiftState(), At(lbsActive, 1));
  EXPECT_TRUE(B->GetActive());
  EXPECT_EQ(Changes, 2);
  List->MouseDownAt(mbLeft, TShiftState(), At(lbsTitle, 1));
  EXPECT_TRUE(B->GetActive()) << "a click beside the check changes nothing";

  A->SetActive(false);
  List->SetCheckStyle(cbsRadio);
  EXPECT_FALSE(A->GetActive());
  EXPECT_TRUE(B->GetActive());
  EXPECT_FALSE(C->GetActive()) << "only the first active series stays active";
  List->OnChangeActive = nullptr;
  List->MouseDownAt(mbLeft, TShiftState(), At(lbsActive, 2));
  EXPECT_FALSE(A->GetActive());
  EXPECT_FALSE(B->GetActive());
  EXPECT_TRUE(C->GetActive());
}

TEST_F(TChartListBoxTest, WindowEventsReachTheHandlers) {
  const QPointF Check = At(lbsActive, 0);
  QMouseEvent Press(QEvent::MouseButtonPress, Check, List->viewport()->mapToGlobal(Check),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(List->viewport(), &Press);
  EXPECT_FALSE(A->GetActive());

  List->SetAskDelete(false);
  List->SetSelectedSeries(C);
  QKeyEvent Release(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(List.get(), &Release);
  EXPECT_EQ(ChartTitles(), QStringList({"A", "B"}));
}

TEST_F(TChartListBoxTest, DoubleClickOnTheSwatchRecoloursThroughTheColourDialog) {
  int Changes = 0;
  List->OnChangeColor = [&](TChartListBox*, TChartSeries*) { ++Changes; };
  {
    ModalScript Script;
    Script.AnswerColor(true, clFuchsia);
    Script.AnswerColor(false, clAqua);
    List->DblClickAt(At(lbsColor, 0));
    List->DblClickAt(At(lbsColor, 0));
  }
  EXPECT_EQ(A->GetSeriesColor(), clFuchsia);
  EXPECT_EQ(Changes, 1) << "a cancelled dialog changes nothing";

  B->SetColorEachPoint(true);
  ModalScript Script;  // no answer: asking for a colour would fail the test
  List->DblClickAt(At(lbsColor, 1));
  List->SetEnableChangeColor(false);
  List->DblClickAt(At(lbsColor, 0));
}

TEST_F(TChartListBoxTest, DoubleClickOnTheTitleReportsTheRow) {
  int Row = -1;
  List->OnDblClickSeries = [&](TChartListBox*, int Index) { Row = Index; };
  List->DblClickAt(At(lbsTitle, 2));
  EXPECT_EQ(Row, 2);
  Row = -1;
  List->DblClickAt(QPoint(At(lbsTitle, 0).x(), 5 * TChartListBox::RowHeight));
  EXPECT_EQ(Row, -1) << "below the last row";
}

TEST_F(TChartListBoxTest, RenameAsksForTheTitle) {
  List->SetSelectedSeries(B);
  AnswerInput(QStringLiteral("Beta"));
  EXPECT_TRUE(List->RenameSeries());
  EXPECT_EQ(Asked,
            Korconst::KorMsg_ChangeSeriesTitle + "|" + Korconst::KorMsg_NewSeriesTitle + "|B");
  EXPECT_EQ(B->GetTitle(), "Beta");
  EXPECT_EQ(List->item(1)->text(), "Beta");

  AnswerInput(QString());
  EXPECT_FALSE(List->RenameSeries()) << "an empty answer changes nothing";
  EXPECT_EQ(B->GetTitle(), "Beta");
  AnswerInput(std::nullopt);
  EXPECT_FALSE(List->RenameSeries());

  AnswerInput(QStringLiteral("BSeries"));
  EXPECT_TRUE(List->RenameSeries());
  EXPECT_TRUE(B->GetTitle().isEmpty()) << "the component's own name clears the title";
  EXPECT_EQ(List->item(1)->text(), "BSeries");

  List->SetNames(true);
  List->SetSelectedSeries(C);
  AnswerInput(QStringLiteral("Gamma"));
  EXPECT_TRUE(List->RenameSeries());
  EXPECT_EQ(C->GetName(), "Gamma");
  EXPECT_EQ(C->GetTitle(), "C");
  EXPECT_EQ(List->item(2)->text(), "Gamma");
}

TEST_F(TChartListBoxTest, DeleteAsksFirstAndFreesTheSelection) {
  CountingDesigner Designer;
  Chart->SetDesigner(&Designer);
  List->SetSelectedSeries(B);
  {
    ModalScript Script;
    Script.AnswerMessage(mrNo);
    List->KeyUp(Qt::Key_Delete);
    EXPECT_EQ(Script.Asked(), std::vector<QString>({"message: Delete B ?"}));
  }
  EXPECT_EQ(Chart->SeriesCount(), 3);
  {
    ModalScript Script;
    Script.AnswerMessage(mrYes);
    List->DeleteSeries();
  }
  EXPECT_EQ(ChartTitles(), QStringList({"A", "C"}));
  EXPECT_EQ(Rows(), QStringList({"A", "C"}));
  EXPECT_EQ(List->GetItemIndex(), 0);
  EXPECT_EQ(Designer.Refreshes, 1);
  Chart->SetDesigner(nullptr);
}

TEST_F(TChartListBoxTest, DeletingSeveralRowsAsksOnceNamingTheSelection) {
  AddSeries(new TLineSeries(nullptr), "D", clYellow);
  List->SelectAll();
  List->item(0)->setSelected(false);
  ModalScript Script;
  Script.AnswerMessage(mrYes);
  List->DeleteSeries();
  EXPECT_EQ(Script.Asked(),
            std::vector<QString>({"message: Delete " + Korconst::KorMsg_SelectedSeries + " ?"}));
  EXPECT_EQ(ChartTitles(), QStringList({"A"}));
  EXPECT_EQ(List->SelectedSeries(), A);
}

TEST_F(TChartListBoxTest, DeleteWithoutQuestionOrPermission) {
  ModalScript Script;  // nothing may be asked
  List->SetAskDelete(false);
  List->SetSelectedSeries(C);
  List->SetAllowDeleteSeries(false);
  List->KeyUp(Qt::Key_Delete);
  EXPECT_EQ(Chart->SeriesCount(), 3);
  List->SetAllowDeleteSeries(true);
  List->KeyUp(Qt::Key_Delete);
  EXPECT_EQ(ChartTitles(), QStringList({"A", "B"}));
  List->clearSelection();
  List->DeleteSeries();
  EXPECT_EQ(Chart->SeriesCount(), 2) << "nothing selected: nothing freed";
}

TEST_F(TChartListBoxTest, CloneAddsACopyOfTheSelectedSeries) {
  List->SetSelectedSeries(B);
  List->CloneSeries();
  ASSERT_EQ(Chart->SeriesCount(), 4);
  TChartSeries* Copy = Chart->GetSeries(3);
  EXPECT_NE(dynamic_cast<TBarSeries*>(Copy), nullptr);
  EXPECT_EQ(Copy->GetSeriesColor(), clGreen);
  EXPECT_EQ(List->count(), 4);
  EXPECT_EQ(List->GetSeries(3), Copy);
  EXPECT_EQ(List->SelectedSeries(), B);
}

TEST_F(TChartListBoxTest, MovesAndDropsReorderTheChart) {
  std::vector<std::pair<TChartSeries*, TChartSeries*>> Orders;
  List->OnChangeOrder = [&](TChartListBox*, TChartSeries* S1, TChartSeries* S2) {
    Orders.emplace_back(S1, S2);
  };
  List->SetSelectedSeries(A);
  List->MoveCurrentUp();
  EXPECT_TRUE(Orders.empty()) << "nothing above the first row";
  List->MoveCurrentDown();
  EXPECT_EQ(ChartTitles(), QStringList({"B", "A", "C"}));
  EXPECT_EQ(Rows(), QStringList({"B", "A", "C"}));
  EXPECT_EQ(List->SelectedSeries(), A);
  List->MoveCurrentDown();
  List->MoveCurrentDown();
  EXPECT_EQ(ChartTitles(), QStringList({"B", "C", "A"}));
  ASSERT_EQ(Orders.size(), 2u);
  EXPECT_EQ(Orders[0], std::make_pair(A, B));

  List->MouseDownAt(mbLeft, TShiftState(), At(lbsTitle, 0));
  EXPECT_EQ(List->GetDragRow(), 0);
  List->DragDropAt(At(lbsTitle, 0));
  EXPECT_EQ(Orders.size(), 2u) << "a row dropped on itself stays";
  List->MouseDownAt(mbLeft, TShiftState(), At(lbsTitle, 0));
  List->DragDropAt(At(lbsIcon, 2));
  EXPECT_EQ(ChartTitles(), QStringList({"A", "C", "B"}));
  EXPECT_EQ(List->SelectedSeries(), B);

  List->MouseDownAt(mbLeft, TShiftState({ssCtrl}), At(lbsTitle, 0));
  EXPECT_EQ(List->GetDragRow(), -1) << "Ctrl extends the selection instead";
  List->SetEnableDragSeries(false);
  List->MouseDownAt(mbLeft, TShiftState(), At(lbsTitle, 0));
  EXPECT_EQ(List->GetDragRow(), -1);
  EXPECT_TRUE(List->AcceptsDragFrom(List.get()));
  EXPECT_FALSE(List->AcceptsDragFrom(nullptr));
}

TEST_F(TChartListBoxTest, InlineEditorRenamesOverTheTitleSection) {
  List->SetSelectedSeries(B);
  List->KeyUp(Qt::Key_F2);
  QLineEdit* Edit = List->GetEditor();
  ASSERT_NE(Edit, nullptr);
  EXPECT_TRUE(Edit->isVisibleTo(List.get()));
  EXPECT_EQ(Edit->text(), "B");
  EXPECT_EQ(Edit->geometry(), QRect(List->SectionLeft(lbsTitle) - 2, TChartListBox::RowHeight,
                                    List->SectionWidth(lbsTitle), TChartListBox::RowHeight + 1));
  Edit->setText("Bravo");
  EXPECT_TRUE(List->EditorKeyDown(Qt::Key_Return));
  EXPECT_EQ(B->GetTitle(), "Bravo");
  EXPECT_FALSE(Edit->isVisibleTo(List.get()));

  List->ShowEditor();
  Edit->setText("dropped");
  EXPECT_TRUE(List->EditorKeyDown(Qt::Key_Escape));
  EXPECT_EQ(B->GetTitle(), "Bravo");

  List->ShowEditor();
  delete B;  // the series leaves while being edited
  EXPECT_FALSE(Edit->isVisibleTo(List.get()));
  EXPECT_FALSE(List->EditorKeyDown(Qt::Key_Return));

  List->SetShowSeriesTitle(false);
  List->ShowEditor();
  EXPECT_FALSE(Edit->isVisibleTo(List.get()));
}

TEST_F(TChartListBoxTest, GalleryActionsNeedTheirHooks) {
  List->KeyUp(Qt::Key_Insert);
  List->ChangeTypeSeries();
  EXPECT_EQ(Chart->SeriesCount(), 3) << "without a gallery nothing happens";

  KorAddGalleryProc = [](QWidget*, TCustomChart* AChart, TChartSeries*) {
    return CreateNewSeries(nullptr, AChart, TChartSeriesClass::Of<TBarSeries>());
  };
  List->SetSelectedSeries(A);
  List->KeyUp(Qt::Key_Insert);
  ASSERT_EQ(Chart->SeriesCount(), 4);
  EXPECT_EQ(List->SelectedSeries(), Chart->GetSeries(3));
  EXPECT_EQ(List->SelectedSeriesList().size(), 1u);

  KorChangeGalleryProc = [](QWidget*, TChartSeries*& S) {
    ChangeSeriesType(S, TChartSeriesClass::Of<TBarSeries>());
    return TChartSeriesClass::Of<TBarSeries>();
  };
  List->SetSelectedSeries(A);
  List->SelectSeries(2);
  List->ChangeTypeSeries();
  EXPECT_NE(dynamic_cast<TBarSeries*>(Chart->GetSeries(0)), nullptr);
  EXPECT_NE(dynamic_cast<TBarSeries*>(Chart->GetSeries(2)), nullptr);
  EXPECT_EQ(ChartTitles().mid(0, 3), QStringList({"A", "B", "C"}));
  EXPECT_EQ(List->SelectedSeries(), Chart->GetSeries(0));
  EXPECT_EQ(List->SelectedSeriesList().size(), 2u);
}

TEST_F(TChartListBoxTest, EachRowShowsThePictureOfItsSeriesType) {
  List->show();
  const QImage Image = List->viewport()->grab().toImage();
  const int Left = List->SectionLeft(lbsIcon) + (List->SectionWidth(lbsIcon) - KorPictureSize) / 2;
  const int Top = (TChartListBox::RowHeight - KorPictureSize) / 2;
  const QRgb Window = Image.pixel(List->SectionLeft(lbsIcon), 0);
  // Row R's icon cell as the list shows it, and the picture drawn there.
  auto Shown = [&](int Row) { return Image.copy(Left, Row * 24 + Top, 16, 16); };
  auto Expected = [&](const TChartSeries& S) {
    TBitmap Picture;
    KorGetBitmapEditor(S.ClassName(), QString(), Picture);
    QImage Cell(16, 16, QImage::Format_RGB32);
    const QImage Pixels = Picture.Image();
    for (int Y = 0; Y < 16; ++Y)
      for (int X = 0; X < 16; ++X) {
        const TColor C = Picture.GetPixel(X, Y);
        Cell.setPixel(X, Y, C == Picture.GetTransparentColor() ? Window : Pixels.pixel(X, Y));
      }
    return Cell;
  };
  int Drawn = 0;
  for (int Row = 0; Row < 3; ++Row) {
    const QImage Cell = Shown(Row);
    const QImage Want = Expected(*List->GetSeries(Row));
    for (int Y = 0; Y < 16; ++Y)
      for (int X = 0; X < 16; ++X) {
        ASSERT_EQ(Cell.pixel(X, Y) | 0xFF000000u, Want.pixel(X, Y) | 0xFF000000u)
            << "row " << Row << " at " << X << "," << Y;
        if ((Cell.pixel(X, Y) | 0xFF000000u) != (Window | 0xFF000000u)) ++Drawn;
      }
  }
  EXPECT_GT(Drawn, 3 * 20);
  // A line and a bar series look different.
  EXPECT_NE(Shown(0), Shown(1));
  EXPECT_EQ(Shown(0), Shown(2));
}

TEST_F(TChartListBoxTest, RowsPaintCheckSwatchAndTitle) {
  C->SetActive(false);
  List->SetSelectedSeries(B);
  List->show();
  const QImage Image = List->viewport()->grab().toImage();
  const QPoint SwatchA = At(lbsColor, 0);
  const QPoint SwatchB = At(lbsColor, 1);
  EXPECT_EQ(QColor(Image.pixel(SwatchA)), QColor(Qt::red));
  EXPECT_EQ(QColor(Image.pixel(SwatchB)).green(), 0x80);
  // The check mark shows in the active series' box only.
  auto Dark = [&](int Row) {
    int N = 0;
    const int Left = List->SectionLeft(lbsActive);
    for (int Y = Row * 24 + 6; Y < Row * 24 + 18; ++Y)
      for (int X = Left + 3; X < Left + 13; ++X)
        if (QColor(Image.pixel(X, Y)).lightness() < 80) ++N;
    return N;
  };
  EXPECT_GT(Dark(0), Dark(2));
  // The selected row's title sits on the selection colour; the icon part
  // beside it does not.
  const QColor TitleBack(Image.pixel(List->SectionLeft(lbsTitle) + 150, 24 + 2));
  const QColor IconBack(Image.pixel(2, 24 + 2));
  EXPECT_NE(TitleBack, IconBack);
}

}  // namespace
