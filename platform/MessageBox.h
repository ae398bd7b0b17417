#pragma once

#include <string>

// Every "Failed ..." and informational box of the analysis goes through one
// replaceable hook, so tests can record the texts and nothing ever blocks on a
// modal window outside the application.
using MessageBoxHook = void (*)(const std::string& Text);

// Shows Text through the current hook (by default: one line on stderr).
void ShowMessageBox(const std::string& Text);

// Installs Hook and returns the previous one; nullptr restores the default.
MessageBoxHook SetMessageBoxHook(MessageBoxHook Hook);
