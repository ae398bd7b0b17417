#include "platform/MessageBox.h"

#include <cstdio>

namespace {

void WriteToStderr(const std::string& Text) {
  std::fprintf(stderr, "Korvale: %s\n", Text.c_str());
}

MessageBoxHook CurrentHook = &WriteToStderr;

}  // namespace

void ShowMessageBox(const std::string& Text) { CurrentHook(Text); }

MessageBoxHook SetMessageBoxHook(MessageBoxHook Hook) {
  MessageBoxHook previous = CurrentHook;
  CurrentHook = Hook != nullptr ? Hook : &WriteToStderr;
  return previous;
}
