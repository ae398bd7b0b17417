#include "chart/editor/KorEditorHelpers.h"

#include "platform/ModalHooks.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QListWidget>

namespace {

class KorEditorHelpersTest : public ::testing::Test {
 protected:
  static QStringList Texts(const QListWidget& List) {
    QStringList Result;
    for (int i = 0; i < List.count(); ++i) Result << List.item(i)->text();
    return Result;
  }
};

TEST_F(KorEditorHelpersTest, YesNoDeleteAsksByNameBesideTheControl) {
  QWidget Window;
  Window.move(100, 50);
  TMessageDialogRequest Asked;
  int Answer = mrYes;
  const TMessageDialogHook Previous = SetMessageDialogHook([&](const TMessageDialogRequest& R) {
    Asked = R;
    return Answer;
  });
  EXPECT_TRUE(KorYesNoDelete(QStringLiteral("Series1"), &Window));
  EXPECT_EQ(Asked.Text, "Delete Series1 ?");
  EXPECT_EQ(Asked.Buttons, mbYesNo);
  EXPECT_EQ(Asked.DefaultButton, mbYes);
  ASSERT_TRUE(Asked.Position.has_value());
  EXPECT_EQ(*Asked.Position, Window.mapToGlobal(QPoint(20, 30)));
  Answer = mrNo;
  EXPECT_FALSE(KorYesNo(QStringLiteral("Sure?")));
  EXPECT_FALSE(Asked.Position.has_value());
  SetMessageDialogHook(Previous);
}

TEST_F(KorEditorHelpersTest, AddFormToDocksNearTheTopEvenForATallForm) {
  QWidget Page;
  Page.resize(200, 100);
  Page.hide();
  int Object = 0;
  QWidget Tall;
  Tall.resize(150, 300);
  AddFormTo(Tall, Page, &Object);
  EXPECT_EQ(Tall.parentWidget(), &Page);
  EXPECT_EQ(Tall.pos(), QPoint(4, 4));
  EXPECT_FALSE(Tall.isHidden());
  EXPECT_TRUE(Page.isHidden());  // the page's own visibility is kept
  EXPECT_EQ(KorFormTag(Tall), &Object);

  QWidget Short;
  Short.resize(150, 96);
  AddFormTo(Short, Page);
  EXPECT_EQ(Short.pos(), QPoint(4, 2));
  EXPECT_EQ(KorFormTag(Short), nullptr);
}

TEST_F(KorEditorHelpersTest, EscapeInADockedDialogFormClosesTheWindowNotTheForm) {
  QDialog Window;
  QDialog Docked;
  QCheckBox* Focused = new QCheckBox(&Docked);
  AddFormTo(Docked, Window);
  AddFormTo(Docked, Window);  // docking again adds no second forwarder
  Window.show();
  int Rejected = 0;
  QObject::connect(&Window, &QDialog::rejected, [&] { ++Rejected; });
  QKeyEvent Escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(Focused, &Escape);
  EXPECT_FALSE(Docked.isHidden());
  EXPECT_EQ(Rejected, 1);
  EXPECT_FALSE(Window.isVisible());
}

TEST_F(KorEditorHelpersTest, CreateFormCentresOnTheOwnersWindow) {
  QWidget Window;
  Window.setGeometry(100, 100, 400, 300);
  auto* Control = new QWidget(&Window);
  struct Form : QDialog {
    explicit Form(QWidget* Owner) : QDialog(Owner) { resize(100, 60); }
  };
  const std::unique_ptr<Form> Created = KorCreateForm<Form>(Control);
  EXPECT_EQ(Created->parentWidget(), &Window);
  EXPECT_EQ(Created->geometry().center(), Window.frameGeometry().center());
  EXPECT_EQ(KorCreateForm<Form>(nullptr)->parentWidget(), nullptr);
}

TEST_F(KorEditorHelpersTest, MoveListKeepsOrderAndItemData) {
  QListWidget Source;
  QListWidget Target;
  Source.setSelectionMode(QAbstractItemView::MultiSelection);
  for (int i = 0; i < 5; ++i) {
    auto* Item = new QListWidgetItem(QString::number(i), &Source);
    Item->setData(Qt::UserRole, i * 10);
  }
  Target.addItem(QStringLiteral("x"));
  Source.item(3)->setSelected(true);
  Source.item(1)->setSelected(true);
  Source.item(2)->setSelected(true);
  MoveList(Source, Target);
  EXPECT_EQ(Texts(Target), QStringList({"x", "1", "2", "3"}));
  EXPECT_EQ(Target.item(3)->data(Qt::UserRole).toInt(), 30);
  EXPECT_EQ(Texts(Source), QStringList({"0", "4"}));
  MoveListAll(Source, Target);
  EXPECT_EQ(Source.count(), 0);
  EXPECT_EQ(Texts(Target).mid(4), QStringList({"0", "4"}));
}

TEST_F(KorEditorHelpersTest, StandardValueFormatsAreAppendedInOrder) {
  QStringList Formats{QStringLiteral("mine")};
  AddDefaultValueFormats(Formats);
  ASSERT_EQ(Formats.size(), 10);
  EXPECT_EQ(Formats[1], "#,##0.###");
  EXPECT_EQ(Formats[6], "#,##0.00;(#,##0.00)");
  EXPECT_EQ(Formats[8], "#.0 \"x10\" E+0");
  EXPECT_EQ(Formats[9], "#.# x10E-#");
}

}  // namespace
