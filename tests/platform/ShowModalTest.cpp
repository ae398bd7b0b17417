#include "platform/ModalHooks.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QShowEvent>
#include <QStringList>

#include <functional>

#include "tests/support/ModalScript.h"

namespace {

// A form whose show handler sets its caption, as our forms do, and which
// can open another form from a handler.
class ShowingForm : public QDialog {
 public:
  explicit ShowingForm(QString Caption) : FCaption(std::move(Caption)) {}

  int ShowCount = 0;
  std::function<void()> OnShown;

 protected:
  void showEvent(QShowEvent* Event) override {
    QDialog::showEvent(Event);
    ++ShowCount;
    setWindowTitle(FCaption);
    if (OnShown) OnShown();
  }

 private:
  QString FCaption;
};

class ShowModalTest : public ::testing::Test {};

TEST_F(ShowModalTest, TheHookDrivesTheShownFormAndItIsHiddenAfterwards) {
  ShowingForm form("Editing Chart1");
  ModalScript script;
  script.AnswerForm([&](QDialog& dialog) {
    EXPECT_EQ(&dialog, &form);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(form.ShowCount, 1);
    EXPECT_EQ(OpenModalForms(), std::vector<QDialog*>{&form});
    dialog.done(mrOk);
    return dialog.result();
  });
  EXPECT_EQ(ShowModal(form), mrOk);
  // The script saw the caption the show handler gave.
  EXPECT_EQ(script.Asked(), std::vector<QString>{"form: Editing Chart1"});
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), mrOk);
  EXPECT_TRUE(OpenModalForms().empty());
}

TEST_F(ShowModalTest, FormsOpenedFromAHookedFormAreAnsweredInTurn) {
  ShowingForm outer("Outer");
  ShowingForm inner("Inner");
  ShowingForm fromShow("Opened while showing");
  QStringList order;
  int innerResult = -1;
  // The inner form opens yet another form from its own show handler.
  inner.OnShown = [&] { ShowModal(fromShow); };
  ModalScript script;
  script.AnswerForm([&](QDialog&) {
    order << "outer";
    innerResult = ShowModal(inner);
    // Back in the outer form, which stayed open beneath.
    EXPECT_TRUE(outer.isVisible());
    EXPECT_EQ(OpenModalForms(), std::vector<QDialog*>{&outer});
    return int(mrOk);
  });
  script.AnswerForm([&](QDialog&) {
    order << "from show";
    EXPECT_EQ(OpenModalForms(), (std::vector<QDialog*>{&outer, &inner, &fromShow}));
    return int(mrIgnore);
  });
  script.AnswerForm([&](QDialog&) {
    order << "inner";
    // Re-opening a form that is open already is refused, not re-entered.
    EXPECT_EQ(ShowModal(outer), mrCancel);
    return int(mrYes);
  });
  EXPECT_EQ(ShowModal(outer), mrOk);
  EXPECT_EQ(innerResult, mrYes);
  EXPECT_EQ(order, QStringList({"outer", "from show", "inner"}));
  EXPECT_EQ(script.Asked().size(), 3u);
  EXPECT_FALSE(inner.isVisible());
  EXPECT_FALSE(fromShow.isVisible());
  EXPECT_TRUE(OpenModalForms().empty());
}

TEST_F(ShowModalTest, AnAnswerMayReplaceTheHookOrFreeTheForm) {
  QStringList seen;
  const TShowModalHook previous = SetShowModalHook([&](QDialog& dialog) {
    seen << "first " + dialog.windowTitle();
    // Replacing the hook while it runs keeps the running one alive.
    SetShowModalHook([&](QDialog& d) {
      seen << "second " + d.windowTitle();
      return int(mrNo);
    });
    ShowingForm nested("Nested");
    EXPECT_EQ(ShowModal(nested), mrNo);
    return int(mrOk);
  });
  ShowingForm form("Form");
  EXPECT_EQ(ShowModal(form), mrOk);

  // A form freed by its own answer is not touched afterwards.
  SetShowModalHook([](QDialog& dialog) {
    delete &dialog;
    return int(mrAbort);
  });
  EXPECT_EQ(ShowModal(*new ShowingForm("Freed")), mrAbort);
  SetShowModalHook(previous);
  EXPECT_EQ(seen, QStringList({"first Form", "second Nested"}));
  EXPECT_TRUE(OpenModalForms().empty());
}

}  // namespace
