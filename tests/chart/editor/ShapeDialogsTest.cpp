#include "chart/editor/TBrushDialog.h"
#include "chart/editor/TButtonGradient.h"
#include "chart/editor/TButtonPen.h"
#include "chart/editor/TFormKorShape.h"
#include "chart/editor/TKorFontEditor.h"
#include "chart/editor/TKorGradientEditor.h"
#include "chart/editor/TKorShadowEditor.h"
#include "chart/editor/TSelectListForm.h"
#include "chart/editor/TSymbolEditor.h"

#include "chart/core/TButtonColor.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorFontGradient.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TLegendSymbol.h"

#include "platform/TEditUpDown.h"
#include "platform/TUpDown.h"
#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace {

QStringList Texts(const QListWidget& List) {
  QStringList Result;
  for (int i = 0; i < List.count(); ++i) Result << List.item(i)->text();
  return Result;
}

// The small editor forms on the objects of a real chart (its legend is a
// framed shape with a symbol); modal forms are answered by the script.
class ShapeDialogsTest : public ::testing::Test {
 protected:
  TChart Chart{nullptr};
  ModalScript Script;
};

TEST_F(ShapeDialogsTest, SelectListMovesItemsReordersAndEnablesTheButtons) {
  TSelectListForm F;
  int Changes = 0;
  F.OnChange = [&](TSelectListForm*) { ++Changes; };
  F.FromList->addItems({"A", "B", "C", "D"});
  F.FormShow();
  EXPECT_TRUE(F.BRightOne->isEnabled());
  EXPECT_TRUE(F.BRightAll->isEnabled());
  EXPECT_FALSE(F.BLeftOne->isEnabled());
  EXPECT_FALSE(F.BLeftAll->isEnabled());
  EXPECT_FALSE(F.BMoveUp->isEnabled());
  EXPECT_FALSE(F.BMoveDown->isEnabled());
  // The arrows show their glyphs.
  EXPECT_FALSE(F.BMoveUp->icon().isNull());
  EXPECT_FALSE(F.BMoveDown->icon().isNull());

  F.FromList->item(3)->setSelected(true);
  F.FromList->item(1)->setSelected(true);
  F.BRightOne->click();
  EXPECT_EQ(Texts(*F.ToList), QStringList({"B", "D"}));
  EXPECT_EQ(Texts(*F.FromList), QStringList({"A", "C"}));
  EXPECT_TRUE(F.BLeftOne->isEnabled());

  F.ToList->setCurrentRow(1);
  EXPECT_TRUE(F.BMoveUp->isEnabled());
  EXPECT_FALSE(F.BMoveDown->isEnabled());
  F.BMoveUp->click();
  EXPECT_EQ(Texts(*F.ToList), QStringList({"D", "B"}));
  EXPECT_EQ(F.ToList->currentRow(), 0);  // the moved item stays selected
  EXPECT_FALSE(F.BMoveUp->isEnabled());
  EXPECT_TRUE(F.BMoveDown->isEnabled());
  F.BMoveDown->click();
  EXPECT_EQ(Texts(*F.ToList), QStringList({"B", "D"}));
  EXPECT_EQ(F.ToList->currentRow(), 1);

  F.FromList->setCurrentRow(1);  // "C", as a double-click selects it
  F.FromListDblClick();
  EXPECT_EQ(Texts(*F.ToList), QStringList({"B", "D", "C"}));
  EXPECT_EQ(F.ToList->currentRow(), 2);
  F.ToList->clearSelection();
  F.ToList->setCurrentRow(0);
  F.ToListDblClick();
  EXPECT_EQ(Texts(*F.FromList), QStringList({"A", "B"}));

  F.BRightAll->click();
  EXPECT_EQ(Texts(*F.ToList), QStringList({"D", "C", "A", "B"}));
  EXPECT_FALSE(F.BRightOne->isEnabled());
  EXPECT_FALSE(F.BRightAll->isEnabled());
  F.BLeftAll->click();
  EXPECT_EQ(F.FromList->count(), 4);
  EXPECT_FALSE(F.BLeftAll->isEnabled());
  EXPECT_FALSE(F.BMoveUp->isEnabled());
  EXPECT_FALSE(F.BMoveDown->isEnabled());
  EXPECT_EQ(Changes, 7);
}

TEST_F(ShapeDialogsTest, ShadowDialogEditsTheShadowOnceShown) {
  TKorShadow Shadow;
  Shadow.SetSize(3);
  {
    // Before the form is shown, filling or typing changes nothing.
    TKorShadowEditor Hidden(nullptr);
    Hidden.RefreshControls(&Shadow);
    Hidden.Edit1->setText("9");
    EXPECT_EQ(Shadow.GetHorizSize(), 3);
  }
  Script.AnswerForm([&](QDialog& D) {
    auto& E = dynamic_cast<TKorShadowEditor&>(D);
    EXPECT_EQ(E.windowTitle(), "Shadow editor");
    EXPECT_EQ(E.Edit1->text(), "3");
    EXPECT_FALSE(E.BOK->isHidden());
    E.Edit1->setText("7");
    E.UDShadowSize->Click(btNext);
    E.EVertSize->setText("-1000");
    E.UDShaVert->Click(btPrev);  // the limit holds
    E.EShadowTransp->setText("40");
    E.CBSmooth->click();
    Script.AnswerColor(true, clRed);
    E.BShadowColor->click();
    E.BOK->click();
    return E.result();
  });
  EXPECT_TRUE(EditKorShadow(nullptr, Shadow));
  EXPECT_EQ(Shadow.GetHorizSize(), 8);
  EXPECT_EQ(Shadow.GetVertSize(), -1000);
  EXPECT_EQ(Shadow.GetTransparency(), 40);
  EXPECT_FALSE(Shadow.GetSmooth());
  EXPECT_EQ(Shadow.GetColor(), clRed);

  QWidget Tab;
  TKorShadowEditor* Docked = InsertKorShadowEditor(Tab);
  EXPECT_TRUE(Docked->BOK->isHidden());
  EXPECT_EQ(Docked->parentWidget(), &Tab);
}

TEST_F(ShapeDialogsTest, FontEditorEditsColourSpacingOutlineGradientAndShadow) {
  TKorFont Font;
  Font.SetColor(clBlue);
  Script.AnswerForm([&](QDialog& D) {
    auto& E = dynamic_cast<TKorFontEditor&>(D);
    EXPECT_EQ(E.windowTitle(), "KorFont Editor");
    Script.AnswerColor(true, clGreen);
    E.SHTextClick();
    EXPECT_EQ(Font.GetColor(), clGreen);
    Script.AnswerFont([](TFont& F) {
      F.SetColor(clMaroon);
      return true;
    });
    E.Button3->click();
    EXPECT_EQ(Font.GetColor(), clMaroon);
    E.Edit2->setText("-5");
    E.CBOutGrad->click();
    Script.AnswerForm([](QDialog& Pen) {
      Pen.findChild<QCheckBox*>("CBVisible")->click();
      return static_cast<int>(mrOk);
    });
    E.BOutline->click();
    Script.AnswerForm([](QDialog& Shadow) {
      Shadow.findChild<TEditUpDown*>("Edit1")->setText("6");
      return static_cast<int>(mrOk);
    });
    E.BShadow->click();
    Script.AnswerForm([](QDialog& Gradient) {
      dynamic_cast<TKorGradientEditor&>(Gradient).CBVisible->click();
      return static_cast<int>(mrOk);
    });
    E.BGradient->click();
    E.BOK->click();
    return E.result();
  });
  EXPECT_TRUE(EditKorFontEx(nullptr, Font));
  EXPECT_EQ(Font.GetInterCharSize(), -5);
  ASSERT_NE(Font.ExistingGradient(), nullptr);
  EXPECT_TRUE(Font.ExistingGradient()->GetOutline());
  EXPECT_TRUE(Font.ExistingGradient()->GetVisible());
  ASSERT_NE(Font.ExistingOutLine(), nullptr);
  EXPECT_TRUE(Font.ExistingOutLine()->GetVisible());
  ASSERT_NE(Font.ExistingShadow(), nullptr);
  EXPECT_EQ(Font.ExistingShadow()->GetHorizSize(), 6);

  // Refreshing from another font shows its values and edits nothing.
  QWidget Tab;
  TKorFontEditor* Docked = InsertKorFontEditor(Tab);
  EXPECT_TRUE(Docked->BOK->isHidden());
  Docked->RefreshControls(&Font);
  EXPECT_EQ(Docked->Edit2->text(), "-5");
  EXPECT_TRUE(Docked->CBOutGrad->isChecked());
}

TEST_F(ShapeDialogsTest, SymbolEditorIgnoresEditsUntilShownAndFollowsItsSwitches) {
  TLegendSymbol& Symbol = Chart.GetLegend().GetSymbol();
  Symbol.SetWidth(20);
  TSymbolEditor E(nullptr);
  E.RefreshSymbol(&Symbol);
  EXPECT_EQ(E.SEColWi->text(), "20");
  EXPECT_TRUE(E.CBSymPen->isChecked());
  EXPECT_FALSE(E.BSymPen->isEnabled());
  EXPECT_TRUE(E.BSymGradient->GetColorsOnly());
  E.UDColWi->Click(btNext);
  EXPECT_EQ(Symbol.GetWidth(), 20);

  E.show();
  E.UDColWi->Click(btNext);
  EXPECT_EQ(Symbol.GetWidth(), 30);  // steps of 5
  E.CBColWUnits->setCurrentIndex(1);
  EXPECT_EQ(Symbol.GetWidthUnits(), lcsPixels);
  E.CBSymbolPos->setCurrentIndex(1);
  EXPECT_EQ(Symbol.GetPosition(), spRight);
  E.CBContinuous->click();
  EXPECT_TRUE(Symbol.GetContinuous());
  E.CBVisible->click();
  EXPECT_FALSE(Symbol.GetVisible());
  E.CBSquared->click();
  EXPECT_TRUE(Symbol.GetSquared());
  EXPECT_FALSE(E.SEColWi->isEnabled());
  EXPECT_FALSE(E.CBColWUnits->isEnabled());
  E.CBSymPen->click();
  EXPECT_FALSE(Symbol.GetDefaultPen());
  EXPECT_TRUE(E.BSymPen->isEnabled());
  EXPECT_EQ(E.BSymPen->GetPen(), &Symbol.GetPen());
}

TEST_F(ShapeDialogsTest, ShapeDialogEditsFormatAndBindsTheEmbeddedEditors) {
  TChartLegend& Legend = Chart.GetLegend();
  Legend.SetTransparent(true);
  Legend.SetBevel(bvNone);
  Script.AnswerForm([&](QDialog& D) {
    auto& E = dynamic_cast<TFormKorShape&>(D);
    EXPECT_EQ(E.PageControl1->count(), 4);
    EXPECT_EQ(E.PageControl1->tabText(3), "Shadow");
    auto* BOK = E.findChild<QPushButton*>("BOK", Qt::FindDirectChildrenOnly);
    EXPECT_EQ(BOK, nullptr);  // the OK button is on the bottom panel
    BOK = E.findChild<QWidget*>("PanelBottom")->findChild<QPushButton*>("BOK");
    EXPECT_EQ(BOK->x(), E.width() - 98);
    EXPECT_TRUE(E.CBTransparent->isChecked());
    EXPECT_FALSE(E.EBevWidth->isEnabled());

    Script.AnswerColor(true, clYellow);
    E.BBackColor->click();
    EXPECT_EQ(Legend.GetColor(), clYellow);
    EXPECT_FALSE(E.CBTransparent->isChecked());
    EXPECT_FALSE(Legend.GetTransparent());
    E.CBBevel->setCurrentIndex(2);
    EXPECT_EQ(Legend.GetBevel(), bvRaised);
    EXPECT_TRUE(E.EBevWidth->isEnabled());
    E.EBevWidth->setText("4");
    E.EShadowTransp->setText("30");
    E.CBRound->click();
    EXPECT_EQ(E.FontEditor->GetFont(), &Legend.GetFont());
    EXPECT_EQ(E.ShadowEditor->GetShadow(), &Legend.GetShadow());
    EXPECT_EQ(E.Button4->GetPen(), &Legend.GetPen());
    EXPECT_EQ(E.GradientEditor->GetGradient(), Legend.GetGradient());
    Script.AnswerForm([&](QDialog& Brush) {
      EXPECT_EQ(dynamic_cast<TBrushDialog&>(Brush).GetBrush(), &Legend.GetBrush());
      return static_cast<int>(mrCancel);
    });
    E.Button6->click();
    BOK->click();
    return E.result();
  });
  EXPECT_TRUE(EditKorCustomShape(nullptr, Legend));
  EXPECT_EQ(Legend.GetBevelWidth(), 4);
  EXPECT_EQ(Legend.GetTransparency(), 30);
  EXPECT_EQ(Legend.GetShapeStyle(), fosRoundRectangle);
}

TEST_F(ShapeDialogsTest, InsertedShapeEditorHandsItsTabsToTheHost) {
  TChartLegend& Legend = Chart.GetLegend();
  QTabWidget Host;
  Host.addTab(new QWidget, "Style");
  TFormKorShape* E = InsertKorObjectForm(Host, &Legend);
  ASSERT_EQ(Host.count(), 5);
  EXPECT_EQ(Host.tabText(1), "Format");
  EXPECT_EQ(Host.tabText(4), "Shadow");
  EXPECT_EQ(Host.currentIndex(), 0);
  EXPECT_EQ(E->PageControl1->count(), 0);
  EXPECT_TRUE(E->isHidden());

  E->CBTransparent->click();
  EXPECT_TRUE(Legend.GetTransparent());
  QCheckBox Visible;
  Visible.setChecked(false);
  E->CBVisibleChecked(Visible);
  EXPECT_FALSE(Legend.GetVisible());

  // Rebinding to another shape refreshes every tab.
  TChart Other{nullptr};
  Other.GetLegend().SetBevelWidth(7);
  E->RefreshControls(&Other.GetLegend());
  EXPECT_EQ(E->EBevWidth->text(), "7");
  EXPECT_FALSE(E->CBTransparent->isChecked());
  EXPECT_EQ(E->FontEditor->GetFont(), &Other.GetLegend().GetFont());
  E->RefreshControls(nullptr);  // the host unbinds before the shape goes
}

}  // namespace
