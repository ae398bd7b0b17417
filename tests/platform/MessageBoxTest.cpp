#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace {

class MessageBoxTest : public ::testing::Test {};

TEST_F(MessageBoxTest, RecorderSeesTextsAndDefaultComesBack) {
  {
    MessageRecorder recorder;
    ShowMessageBox("Failed Plateau2");
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Messages()[0], "Failed Plateau2");
  }
  testing::internal::CaptureStderr();
  ShowMessageBox("to stderr");
  EXPECT_NE(testing::internal::GetCapturedStderr().find("to stderr"), std::string::npos);
}

}  // namespace
