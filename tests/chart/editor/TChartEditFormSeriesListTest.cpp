#include "chart/editor/TChartEditForm.h"

#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <functional>

#include "chart/core/TChartAxis.h"
#include "chart/core/TChartFootTitle.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartSeriesList.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TSeriesGroup.h"
#include "chart/core/TSeriesGroups.h"
#include "chart/editor/TChartEditor.h"
#include "chart/editor/TChartEditorPanel.h"
#include "chart/editor/TChartListBox.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/series/TAddKorFunction.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TLineSeries.h"
#include "platform/ModalHooks.h"
#include "platform/TFormBuilder.h"
#include "tests/chart/editor/EditorFixture.h"
#include "tests/support/ModalScript.h"

namespace {

// The series list page of the editor on a chart with the series A, B, C
// (line, bar, line), opened through the editor component.
class TChartEditFormSeriesListTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    RegisterSeriesTypes();
    A = AddSeries(new TLineSeries(&Chart), "A", clRed);
    B = AddSeries(new TBarSeries(&Chart), "B", clGreen);
    C = AddSeries(new TLineSeries(&Chart), "C", clBlue);
    Editor.SetChart(&Chart);
  }
  void TearDown() override {
    SetInputQueryHook({});
    KorAddGalleryProc = {};
    KorChangeGalleryProc = {};
    KorSeriesNamesRuntime = false;
    EditorFixture::TearDown();
  }

  TChartSeries* AddSeries(TChartSeries* S, const char* Title, TColor Color) {
    S->SetName(Title + std::string("Series"));
    S->SetTitle(QString::fromLatin1(Title));
    S->SetSeriesColor(Color);
    Chart.AddSeries(S);
    return S;
  }

  // Runs Execute with Check on the live dialog, then closes it; Messages
  // answer the questions the check causes, in turn.
  void Open(const std::function<void(TChartEditForm&)>& Check,
            std::initializer_list<int> Messages = {}) {
    Script.AnswerForm([&](QDialog& dialog) {
      auto& form = dynamic_cast<TChartEditForm&>(dialog);
      Check(form);
      form.BCloseClick();
      return dialog.result();
    });
    for (int answer : Messages) Script.AnswerMessage(answer);
    Editor.Execute();
  }

  // The input box answers Text (or cancels with an empty one).
  void AnswerInput(const QString& Text) {
    SetInputQueryHook([Text](const TInputQueryRequest&, QString& Value) {
      Value = Text;
      return !Text.isEmpty();
    });
  }

  static QStringList Rows(const TChartEditForm& Form) {
    QStringList rows;
    for (int i = 0; i < Form.LBSeries->count(); ++i) rows << Form.LBSeries->item(i)->text();
    return rows;
  }
  QStringList ChartTitles() const {
    QStringList titles;
    for (int i = 0; i < Chart.SeriesCount(); ++i) titles << Chart.GetSeries(i)->GetTitle();
    return titles;
  }
  // Enabled buttons, in the order Add, Delete, Title, Clone, Change, Up, Down.
  static QString Enabled(const TChartEditForm& F) {
    QString s;
    for (const QPushButton* b : {F.BAddSeries, F.BDeleteSeries, F.BRenameSeries, F.BCloneSeries,
                                 F.BChangeTypeSeries, F.BMoveUP, F.BMoveDown})
      s += b->isEnabled() ? '1' : '0';
    return s;
  }

  TChartEditor Editor{nullptr};
  ModalScript Script;
  TChartSeries* A = nullptr;
  TChartSeries* B = nullptr;
  TChartSeries* C = nullptr;
};

TEST_F(TChartEditFormSeriesListTest, OpensOnTheSeriesListWithTheChartsSeries) {
  Open([&](TChartEditForm& form) {
    EXPECT_EQ(form.MainPage->currentWidget(), form.TabChart);
    EXPECT_EQ(form.SubPage->currentWidget(), form.TabSeriesList);
    EXPECT_TRUE(form.IsTabShown(form.TabSeriesList));
    // No other page is offered here, so none of them shows.
    EXPECT_FALSE(form.IsTabShown(form.TabGeneral));
    EXPECT_FALSE(form.IsTabShown(form.TabSeries));
    EXPECT_EQ(form.LBSeries->GetChart(), &Chart);
    EXPECT_EQ(Rows(form), QStringList({"A", "B", "C"}));
    EXPECT_EQ(form.LBSeries->SelectedSeries(), A);
    EXPECT_TRUE(form.LBSeries->isVisible());
    for (const char* name : {"BAddSeries", "BDeleteSeries", "BRenameSeries", "BCloneSeries",
                             "BChangeTypeSeries", "BMoveUP", "BMoveDown"})
      EXPECT_TRUE(FindControl<QPushButton>(form, name)->isVisible()) << name;
    EXPECT_EQ(form.BCloneSeries->text(), "C&lone");
    // Default options: no groups; not designing: no names check box.
    EXPECT_FALSE(form.PanelGroups->isVisible());
    EXPECT_FALSE(form.CBNames->isVisible());
  });
  // Hidden by its own tab flag, the list gives way to the next sub-page.
  OfferPages({"TabGeneral"});
  Editor.SetHideTabs(EditorTab(cetMain));
  Open([](TChartEditForm& form) {
    EXPECT_FALSE(form.IsTabShown(form.TabSeriesList));
    EXPECT_EQ(form.SubPage->currentWidget(), form.TabGeneral);
  });
}

TEST_F(TChartEditFormSeriesListTest, ButtonsFollowTheSelectionTheSeriesFlagsAndTheOptions) {
  Open([&](TChartEditForm& form) {
    // Without the gallery there is nothing to add or change to.
    EXPECT_EQ(Enabled(form), "0111001");
    EXPECT_FALSE(form.LBSeries->GetEnableChangeType());
    form.LBSeries->SetSelectedSeries(B);
    EXPECT_EQ(Enabled(form), "0111011");
    form.LBSeries->SetSelectedSeries(C);
    EXPECT_EQ(Enabled(form), "0111010");
    // Several selected: only delete stays.
    form.LBSeries->SelectSeries(0);
    EXPECT_EQ(Enabled(form), "0100000");
    // The series' own flags.
    B->SetStyle({tssDenyDelete, tssDenyClone});
    form.LBSeries->SetSelectedSeries(B);
    EXPECT_EQ(Enabled(form), "0010011");
  });

  KorAddGalleryProc = [](QWidget*, TCustomChart*, TChartSeries*) { return nullptr; };
  KorChangeGalleryProc = [](QWidget*, TChartSeries*&) { return TChartSeriesClass(); };
  C->SetStyle({tssDenyChangeType});
  Open([&](TChartEditForm& form) {
    EXPECT_EQ(Enabled(form), "1111101");
    EXPECT_TRUE(form.LBSeries->GetEnableChangeType());
    form.LBSeries->SetSelectedSeries(C);
    EXPECT_FALSE(form.BChangeTypeSeries->isEnabled());
    EXPECT_FALSE(form.LBSeries->GetEnableChangeType());
  });

  // Options take buttons away; without ordering the arrows and dragging go.
  Editor.SetOptions(DefaultChartEditorOptions & ~EditorOption(ceDelete) &
                    ~EditorOption(ceOrderSeries) & ~EditorOption(ceAdd) & ~EditorOption(ceTitle));
  Open([&](TChartEditForm& form) {
    EXPECT_EQ(Enabled(form), "0001100");
    EXPECT_FALSE(form.BMoveUP->isVisible());
    EXPECT_FALSE(form.BMoveDown->isVisible());
    EXPECT_FALSE(form.LBSeries->GetEnableDragSeries());
    EXPECT_FALSE(form.LBSeries->GetAllowDeleteSeries());
  });

  // An empty chart still offers Add, and nothing else.
  Chart.FreeAllSeries();
  Editor.SetOptions(DefaultChartEditorOptions);
  Open([&](TChartEditForm& form) { EXPECT_EQ(Enabled(form), "1000000"); });
}

TEST_F(TChartEditFormSeriesListTest, ButtonsDeleteCloneRenameAndMoveTheChartsSeries) {
  int orderChanges = 0;
  Editor.OnChangeSeriesOrder = [&](TPersistent* Sender) {
    EXPECT_EQ(Sender, &Chart);
    ++orderChanges;
  };
  Open(
      [&](TChartEditForm& form) {
        form.LBSeries->SetSelectedSeries(B);
        form.BMoveUP->click();
        EXPECT_EQ(ChartTitles(), QStringList({"B", "A", "C"}));
        EXPECT_EQ(form.LBSeries->SelectedSeries(), B);
        EXPECT_FALSE(form.BMoveUP->isEnabled());  // now first
        form.BMoveDownClick();
        form.BMoveDownClick();
        EXPECT_EQ(ChartTitles(), QStringList({"A", "C", "B"}));
        EXPECT_EQ(Rows(form), ChartTitles());
        EXPECT_EQ(orderChanges, 3);

        AnswerInput("Scan 7");
        form.BRenameSeriesClick();
        EXPECT_EQ(B->GetTitle(), "Scan 7");
        EXPECT_EQ(Rows(form).last(), "Scan 7");

        form.BCloneSeriesClick();
        ASSERT_EQ(Chart.SeriesCount(), 4);
        EXPECT_EQ(form.LBSeries->count(), 4);

        form.LBSeries->SetSelectedSeries(A);
        form.BDeleteSeriesClick();  // answered No
        EXPECT_EQ(Chart.SeriesCount(), 4);
        form.BDeleteSeriesClick();  // answered Yes
        EXPECT_EQ(Chart.SeriesCount(), 3);
        EXPECT_EQ(Chart.IndexOfSeries(C), 0);
        EXPECT_EQ(form.LBSeries->SelectedSeries(), C);
        EXPECT_FALSE(form.BMoveUP->isEnabled());
      },
      {mrNo, mrYes});
  ASSERT_EQ(Script.Asked().size(), 3u);
  EXPECT_TRUE(Script.Asked()[1].contains("A")) << Script.Asked()[1].toStdString();
}

TEST_F(TChartEditFormSeriesListTest, AddingASeriesWithAFunctionOpensItsDataSource) {
  OfferPages({"TabSeries"});
  TChartSeries* added = nullptr;
  KorAddGalleryProc = [&](QWidget*, TCustomChart* chart, TChartSeries*) {
    added = new TLineSeries(chart);
    added->SetParentChart(chart);
    if (chart->SeriesCount() > 4) added->SetFunction(new TAddKorFunction(added));
    return added;
  };
  Open([&](TChartEditForm& form) {
    form.BAddSeriesClick();  // a plain series stays on the list
    EXPECT_EQ(form.LBSeries->SelectedSeries(), added);
    EXPECT_EQ(form.MainPage->currentWidget(), form.TabChart);
    form.BAddSeriesClick();
    EXPECT_EQ(form.MainPage->currentWidget(), form.TabSeries);
    EXPECT_EQ(form.GetEditSeries(), added);
    EXPECT_EQ(form.GetSeriesTab(), TEditorSeriesTab::estDataSource);
  });
}

TEST_F(TChartEditFormSeriesListTest, NamesCheckBoxSwitchesTheListAndTheTitleButton) {
  KorSeriesNamesRuntime = true;
  Open([&](TChartEditForm& form) {
    ASSERT_TRUE(form.CBNames->isVisible());
    form.CBNames->click();
    EXPECT_EQ(Rows(form), QStringList({"ASeries", "BSeries", "CSeries"}));
    EXPECT_EQ(form.BRenameSeries->text(), "&Name...");
    AnswerInput("Speed");
    form.BRenameSeriesClick();
    EXPECT_EQ(A->GetName(), "Speed");
    EXPECT_EQ(A->GetTitle(), "A");
    form.CBNames->click();
    EXPECT_EQ(Rows(form), QStringList({"A", "B", "C"}));
    EXPECT_EQ(form.BRenameSeries->text(), "&Title...");
  });
}

TEST_F(TChartEditFormSeriesListTest, TheSeriesToOpenIsSelectedAndForgottenWhenDeleted) {
  OfferPages({"TabSeries"});
  Editor.SetSeries(B);
  Open(
      [&](TChartEditForm& form) {
        EXPECT_EQ(form.LBSeries->SelectedSeries(), B);
        EXPECT_EQ(form.MainPage->currentWidget(), form.TabSeries);
        EXPECT_NE(form.PageEditor(form.TabSeries), nullptr);
        form.MainPage->setCurrentWidget(form.TabChart);
        form.BDeleteSeriesClick();
        // The dialog must not keep pointing at the freed series, and the
        // series page made for it is dropped.
        EXPECT_EQ(form.GetEditSeries(), nullptr);
        EXPECT_EQ(form.PageEditor(form.TabSeries), nullptr);
      },
      {mrYes});
}

TEST_F(TChartEditFormSeriesListTest, GroupsFilterShowAndHideTheirSeries) {
  TSeriesGroup* odd = Chart.GetSeriesList().GetGroups().Add();
  odd->SetName("Odd");
  odd->Add(A);
  odd->Add(C);
  Editor.SetOptions(DefaultChartEditorOptions | EditorOption(ceGroups));
  Open(
      [&](TChartEditForm& form) {
        ASSERT_TRUE(form.PanelGroups->isVisible());
        ASSERT_EQ(form.Groups->count(), 2);
        EXPECT_EQ(form.Groups->item(0)->text(), "(all)");
        EXPECT_EQ(form.Groups->item(1)->text(), "Odd");
        form.Groups->setCurrentRow(1);
        EXPECT_EQ(Rows(form), QStringList({"A", "C"}));
        form.Groups->item(1)->setCheckState(Qt::Unchecked);
        EXPECT_FALSE(A->GetActive());
        EXPECT_TRUE(B->GetActive());
        EXPECT_EQ(form.Groups->item(0)->checkState(), Qt::PartiallyChecked);
        form.Groups->item(0)->setCheckState(Qt::Checked);
        EXPECT_TRUE(A->GetActive() && B->GetActive() && C->GetActive());
        EXPECT_EQ(form.Groups->item(1)->checkState(), Qt::Checked);

        AnswerInput("Even");
        form.BAddGroupClick();
        ASSERT_EQ(Chart.GetSeriesList().GetGroups().Count(), 2);
        EXPECT_EQ(form.Groups->item(2)->text(), "Even");
        form.Groups->setCurrentRow(1);
        AnswerInput("Outer");
        form.BRenameGroupClick();
        EXPECT_EQ(odd->GetName(), "Outer");
        EXPECT_EQ(form.Groups->item(1)->text(), "Outer");
        form.BDeleteGroupClick();
        EXPECT_EQ(Chart.GetSeriesList().GetGroups().Count(), 1);
        EXPECT_EQ(form.LBSeries->GetGroup(), nullptr);
        EXPECT_EQ(form.LBSeries->count(), 3);
      },
      {mrYes});
}

// A row dragged out of the list and released over a group joins it;
// released over nothing it changes nothing.
TEST_F(TChartEditFormSeriesListTest, ASeriesDraggedOntoAGroupJoinsIt) {
  TSeriesGroup* odd = Chart.GetSeriesList().GetGroups().Add();
  odd->SetName("Odd");
  odd->Add(A);
  Editor.SetOptions(DefaultChartEditorOptions | EditorOption(ceGroups));
  Open([&](TChartEditForm& form) {
    TChartListBox& list = *form.LBSeries;
    const QPoint title(list.SectionLeft(lbsTitle) + 20, TChartListBox::RowHeight * 2 + 5);
    auto dragTo = [&](const QPoint& global) {
      list.MouseDownAt(mbLeft, TShiftState(), title);  // row 2: C
      ASSERT_EQ(list.GetDragRow(), 2);
      list.DragDropAt(list.viewport()->mapFromGlobal(global));
    };
    const QRect oddRow = form.Groups->visualItemRect(form.Groups->item(1));
    dragTo(form.Groups->viewport()->mapToGlobal(oddRow.center()));
    EXPECT_TRUE(odd->GetSeries().Contains(C));
    EXPECT_EQ(odd->GetSeries().Count(), 2);
    dragTo(form.Groups->viewport()->mapToGlobal(oddRow.center()));  // already in it
    EXPECT_EQ(odd->GetSeries().Count(), 2);
    dragTo(form.BAddSeries->mapToGlobal(QPoint(2, 2)));
    EXPECT_EQ(odd->GetSeries().Count(), 2);
    EXPECT_EQ(Chart.SeriesCount(), 3);
  });
}

TEST_F(TChartEditFormSeriesListTest, RendersTheOpenEditor) {
  const QString file = QDir::temp().filePath("korvale-chart-editor-series.png");
  Open([&](TChartEditForm& form) {
    const QImage image = form.grab().toImage();
    EXPECT_EQ(image.size(), form.size());
    EXPECT_TRUE(image.save(file));
  });
  EXPECT_TRUE(QFile::exists(file));
  if (qEnvironmentVariableIsEmpty("KORVALE_KEEP_RENDERS")) QFile::remove(file);
}

// ------------------------------------------------------------------ panel

TEST_F(TChartEditFormSeriesListTest, PanelHostsTheEditorAndOpensThePageUnderTheMouse) {
  OfferPages(AllPages);
  TChartEditorPanel panel;
  EXPECT_EQ(panel.size(), QSize(409, 291));
  EXPECT_EQ(panel.frameShadow(), QFrame::Sunken);
  TChartEditForm& form = *panel.GetEditor();
  EXPECT_FALSE(form.GetRememberPosition());
  EXPECT_FALSE(form.GetRememberSize());
  panel.show();
  EXPECT_FALSE(form.PanBottom->isVisible());
  EXPECT_FALSE(form.isWindow());
  panel.SetChart(&Chart);
  EXPECT_EQ(form.GetChart(), &Chart);
  EXPECT_EQ(Rows(form), QStringList({"A", "B", "C"}));

  auto page = [&] {
    return form.MainPage->currentWidget() == form.TabChart ? form.SubPage->currentWidget()
                                                           : form.MainPage->currentWidget();
  };
  const QImage shot = panel.grab().toImage();
  EXPECT_EQ(shot.size(), panel.size());
  if (!qEnvironmentVariableIsEmpty("KORVALE_KEEP_RENDERS"))
    shot.save(QDir::temp().filePath("korvale-chart-editor-panel.png"));

  panel.SelectPart({cpLegend});
  EXPECT_EQ(page(), form.TabLegend);
  panel.SelectPart({cpAxis, -1, nullptr, Chart.GetBottomAxis()});
  EXPECT_EQ(page(), form.TabAxis);
  EXPECT_EQ(form.GetTheAxis(), Chart.GetBottomAxis());
  EXPECT_EQ(FindControl<QLabel>(*form.TabAxis, "PageTabAxis")->text(), "TabAxis of an axis");
  panel.SelectPart({cpSeries, 2, B});
  EXPECT_EQ(page(), form.TabSeries);
  EXPECT_EQ(form.GetEditSeries(), B);
  EXPECT_EQ(form.LBSeries->SelectedSeries(), B);
  EXPECT_EQ(form.GetSeriesTab(), TEditorSeriesTab::estFormat);
  panel.SelectPart({cpSeriesMarks, 1, C});
  EXPECT_EQ(form.GetEditSeries(), C);
  EXPECT_EQ(form.GetSeriesTab(), TEditorSeriesTab::estMarks);
  panel.SelectPart({cpSubFoot});
  EXPECT_EQ(page(), form.TabTitle);
  EXPECT_EQ(form.GetTheTitle(), &Chart.GetSubFoot());
  panel.SelectPart({cpChartRect});
  EXPECT_EQ(page(), form.TabPanel);

  // Through the mouse: just left of the plot, on the left axis.
  Chart.SetBounds(0, 0, 400, 300);
  Chart.GetLegend().SetVisible(false);
  Chart.Draw();
  const TRect plot = Chart.GetPlotRect();
  const TPoint onAxis(plot.Left - 1, (plot.Top + plot.Bottom) / 2);
  ASSERT_EQ(Chart.CalcNeedClickedPart(onAxis, false).Axis, Chart.GetLeftAxis());
  QCursor::setPos(Chart.GetWidget()->mapToGlobal(QPoint(onAxis.X, onAxis.Y)));
  panel.SelectUnderMouse();
  EXPECT_EQ(page(), form.TabAxis);
  EXPECT_EQ(form.GetTheAxis(), Chart.GetLeftAxis());
}

}  // namespace
