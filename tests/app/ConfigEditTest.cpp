#include "app/ConfigEdit.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>

#include <filesystem>

#include "app/Configuration.h"
#include "tests/support/TestSupport.h"

namespace {

class ConfigEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::filesystem::path dir = FreshTestDir("configedit");
    WriteTextFile(dir / "k.cfg", "[Directory]\nLastDirectory=/old\n");
    Config = std::make_unique<Configuration>(nullptr, "k", QString::fromStdString(dir.string()));
  }
  std::unique_ptr<Configuration> Config;
};

TEST_F(ConfigEditTest, ButtonsStandAboutTheMiddleOfThePanel) {
  TConfigEdFrm form(*Config, nullptr);
  form.show();
  form.resize(501, 300);
  EXPECT_EQ(form.windowTitle(), "k.cfg");
  EXPECT_EQ(form.Panel1->height(), TConfigEdFrm::PanelHeight);
  ASSERT_EQ(form.Panel1->width(), 501);
  EXPECT_EQ(form.BitBtn1->x(), 250 + 25);
  EXPECT_EQ(form.BitBtn2->x(), 250 - form.BitBtn2->width() - 25);
}

TEST_F(ConfigEditTest, ResizingKeepsUnconfirmedEdits) {
  TConfigEdFrm form(*Config, nullptr);
  form.show();
  EXPECT_EQ(form.Memo1->toPlainText(), "[Directory]\nLastDirectory=/old");
  form.Memo1->setPlainText("edited");
  form.resize(700, 500);
  form.hide();
  form.show();
  EXPECT_EQ(form.Memo1->toPlainText(), "edited");
}

TEST_F(ConfigEditTest, ClosingTheWindowCountsAsCancel) {
  TConfigEdFrm form(*Config, nullptr);
  form.show();
  form.close();
  EXPECT_EQ(form.result(), 2);  // mrCancel
}

}  // namespace
