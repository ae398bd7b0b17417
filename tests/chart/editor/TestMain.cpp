#include <gtest/gtest.h>

#include <QApplication>

// Widgets, fonts and pixmaps need one application object for the whole run;
// tests run headless on the offscreen platform.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
