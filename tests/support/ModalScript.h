#pragma once

#include <QString>

#include <deque>
#include <functional>
#include <variant>
#include <vector>

#include "platform/ModalHooks.h"

// Answers the modal hooks from a script while alive, so tests drive code
// that asks the user something. Answers are used in the order given; a
// modal request with no scripted answer of its kind fails the test
// (ADD_FAILURE) and is answered with "cancel". Answers left unused when the
// script ends fail the test too. Every request is logged in Asked().
class ModalScript {
 public:
  ModalScript();
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  // A TModalResult for the next message dialog or confirmation.
  void AnswerMessage(int ModalResult);
  void AnswerColor(bool Accept, TColor Color);
  // Font: the function edits the font and returns whether OK was pressed.
  void AnswerFont(std::function<bool(TFont&)> Answer);
  void AnswerFile(bool Accept, const QString& FileName = QString(), int FilterIndex = 1);
  void AnswerFolder(bool Accept, const QString& Folder = QString());
  void AnswerPrinterSetup(bool Accept);
  // Our own modal forms: the function may call the form's handlers and
  // returns its modal result.
  void AnswerForm(std::function<int(QDialog&)> Answer);

  // One line per request in order, e.g. "message: Delete Series1 ?".
  const std::vector<QString>& Asked() const { return FAsked; }
  // Every file dialog request in order, as the hook received it.
  const std::vector<TFileDialogRequest>& FileRequests() const { return FFileRequests; }
  int Pending() const { return static_cast<int>(FAnswers.size()); }

 private:
  using Answer =
      std::variant<int, TColorDialogAnswer, std::function<bool(TFont&)>, TFileDialogAnswer,
                   TFolderDialogAnswer, bool, std::function<int(QDialog&)>>;
  template <class T>
  bool Next(const QString& What, T& Value);

  std::deque<Answer> FAnswers;
  std::vector<QString> FAsked;
  std::vector<TFileDialogRequest> FFileRequests;
  // What the hooks were before, restored at the end.
  TMessageDialogHook FMessage;
  TColorDialogHook FColor;
  TFontDialogHook FFont;
  TFileDialogHook FFile;
  TFolderDialogHook FFolder;
  TPrinterSetupHook FPrinterSetup;
  TShowModalHook FShowModal;
};
