#include "app/BrowseForFolder.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include <filesystem>
#include <string>

#include "platform/WindowTitle.h"
#include "tests/support/LayoutChecks.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

int CharacterCount(const QString& Text) {
  return static_cast<int>(Text.size());
}

class BrowseForFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Root = FreshTestDir("browse");
    Deep = Root / "a-rather-long-folder-name" / "another-long-folder-name" / "run7";
    fs::create_directories(Deep);
    Owner.setGeometry(100, 100, 400, 300);
    Owner.show();
  }
  static QString Q(const fs::path& Path) { return QString::fromStdString(Path.string()); }

  fs::path Root;
  fs::path Deep;
  QWidget Owner;
};

TEST_F(BrowseForFolderTest, InitialPathLosesTrailingDelimitersButARootKeepsItsOwn) {
  TDirBrowser browser(nullptr, &Owner);
  browser.SetInitialPath("/data/run7//");
  EXPECT_EQ(browser.GetInitialFolder(), "/data/run7");
  browser.SetInitialPath("C:\\");
  EXPECT_EQ(browser.GetInitialFolder(), "C:\\");
  browser.SetInitialPath("/");
  EXPECT_EQ(browser.GetInitialFolder(), "/");
}

TEST_F(BrowseForFolderTest, BrowserIsCentredOverItsOwnerAndKeptOnTheWorkArea) {
  const QRect work(0, 0, 1024, 768);
  // Owner 100..499 x 100..399: middle 299, 249.
  EXPECT_EQ(TDirBrowser::BrowserPosition(QRect(100, 100, 400, 300), QSize(200, 100), work),
            QPoint(199, 199));
  // Larger than the room right of and below the owner: its right and bottom
  // edges meet the work area's.
  EXPECT_EQ(TDirBrowser::BrowserPosition(QRect(800, 600, 200, 100), QSize(420, 460), work),
            QPoint(1024 - 420, 768 - 460));
  // Would start above and left of the screen: starts at 0.
  EXPECT_EQ(TDirBrowser::BrowserPosition(QRect(0, 0, 100, 60), QSize(420, 460), work),
            QPoint(0, 0));
}

TEST_F(BrowseForFolderTest, LongPathIsShortenedInItsMiddleToFit) {
  const QString path = "/home/user/data/2024/march/run7";
  EXPECT_EQ(TDirBrowser::ShortenPathToWidth(path, 100, CharacterCount), path);
  EXPECT_EQ(TDirBrowser::ShortenPathToWidth(path, 20, CharacterCount), "/home/user/d.../run7");
  for (int width = 4; width < path.size(); ++width) {
    const QString shown = TDirBrowser::ShortenPathToWidth(path, width, CharacterCount);
    EXPECT_LE(shown.size(), width) << shown.toStdString();
    EXPECT_TRUE(shown.contains("...")) << shown.toStdString();
  }
  EXPECT_EQ(TDirBrowser::ShortenPathToWidth(path, 6, CharacterCount), "...un7");
}

TEST_F(BrowseForFolderTest, TheBrowserIsWideEnoughForItsWholeCaption) {
  TDirBrowser browser(nullptr, &Owner);
  const QString caption = QStringLiteral("Select folder where AUC files may be found");
  browser.SetCaption(caption);
  ModalScript script;
  script.AnswerForm([&](QDialog& dialog) {
    EXPECT_GE(dialog.width(), TitleBarWidth(caption));
    // Still centred over its owner at that width.
    EXPECT_NEAR(dialog.geometry().center().x(), Owner.geometry().center().x(), 2);
    SaveLook(dialog, QStringLiteral("folder-chooser"));
    return int(mrCancel);
  });
  EXPECT_FALSE(browser.Execute());
}

TEST_F(BrowseForFolderTest, ExecuteReturnsTheFolderChosenInTheBrowser) {
  TDirBrowser browser(nullptr, &Owner);
  browser.SetCaption("Select folder where AUC files may be found");
  browser.SetPrompt("Choose a root");
  browser.SetInitialPath(Q(Deep) + "/");
  ModalScript script;
  script.AnswerForm([&](QDialog& dialog) {
    auto& window = dynamic_cast<FolderBrowserDialog&>(dialog);
    EXPECT_FALSE(Owner.isEnabled());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(window.windowTitle(), "Select folder where AUC files may be found");
    EXPECT_EQ(window.SelectedFolder(), Q(Deep));
    // The status line shows the selection shortened to the line's width.
    const QString status = window.StatusLabel->text();
    EXPECT_TRUE(status.endsWith("/run7"));
    EXPECT_LE(window.StatusLabel->fontMetrics().horizontalAdvance(status),
              window.StatusLabel->contentsRect().width());
    EXPECT_TRUE(window.SelectFolder(Q(Deep.parent_path())));
    window.ButtonOKClick();
    return window.result();
  });
  EXPECT_TRUE(browser.Execute());
  EXPECT_TRUE(Owner.isEnabled());
  EXPECT_EQ(browser.GetSelectedFolder(), Q(Deep.parent_path()));
  EXPECT_EQ(browser.GetDisplayName(), "another-long-folder-name");
  EXPECT_EQ(browser.GetInitialFolder(), Q(Deep));  // not retained
}

TEST_F(BrowseForFolderTest, ATypedPathIsChosenOnlyWhenItIsAFolder) {
  TDirBrowser browser(nullptr, &Owner);
  browser.SetRetainSelection(true);
  ModalScript script;
  script.AnswerForm([&](QDialog& dialog) {
    auto& window = dynamic_cast<FolderBrowserDialog&>(dialog);
    window.FolderEdit->setText(Q(Root / "a-rather-long-folder-name"));
    window.ButtonOKClick();
    return window.result();
  });
  script.AnswerForm([&](QDialog& dialog) {
    auto& window = dynamic_cast<FolderBrowserDialog&>(dialog);
    EXPECT_EQ(window.SelectedFolder(), Q(Root / "a-rather-long-folder-name"));
    window.FolderEdit->setText(Q(Root / "no-such-folder"));
    window.ButtonOKClick();
    return window.result();
  });
  EXPECT_TRUE(browser.Execute());
  EXPECT_EQ(browser.GetInitialFolder(), Q(Root / "a-rather-long-folder-name"));
  EXPECT_FALSE(browser.Execute());
  EXPECT_TRUE(browser.GetSelectedFolder().isEmpty());
}

TEST_F(BrowseForFolderTest, CancelGivesFalseAndNoFolder) {
  TDirBrowser browser(nullptr, &Owner);
  ModalScript script;
  script.AnswerForm([](QDialog& dialog) {
    dialog.reject();
    return dialog.result();
  });
  EXPECT_FALSE(browser.Execute());
  EXPECT_TRUE(browser.GetSelectedFolder().isEmpty());
  EXPECT_TRUE(Owner.isEnabled());
}

}  // namespace
