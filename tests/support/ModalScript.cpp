#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <QDialog>

template <class T>
bool ModalScript::Next(const QString& What, T& Value) {
  FAsked.push_back(What);
  if (FAnswers.empty() || !std::holds_alternative<T>(FAnswers.front())) {
    ADD_FAILURE() << "No scripted answer for the modal request: " << What.toStdString();
    return false;
  }
  Value = std::get<T>(FAnswers.front());
  FAnswers.pop_front();
  return true;
}

ModalScript::ModalScript() {
  FMessage = SetMessageDialogHook([this](const TMessageDialogRequest& r) {
    int result = mrCancel;
    Next(QStringLiteral("message: ") + r.Text, result);
    return result;
  });
  FColor = SetColorDialogHook([this](const TColorDialogRequest& r) {
    TColorDialogAnswer answer;
    answer.Color = r.Color;
    if (!Next(QStringLiteral("colour"), answer)) answer = TColorDialogAnswer{false, r.Color, {}};
    if (answer.Accepted && answer.CustomColors.empty()) answer.CustomColors = r.CustomColors;
    return answer;
  });
  FFont = SetFontDialogHook([this](TFont& font, QWidget*) {
    std::function<bool(TFont&)> answer;
    return Next(QStringLiteral("font"), answer) && answer(font);
  });
  FFile = SetFileDialogHook([this](const TFileDialogRequest& r) {
    FFileRequests.push_back(r);
    TFileDialogAnswer answer;
    const QString kind =
        r.Kind == TFileDialogKind::fdSave ? QStringLiteral("save: ") : QStringLiteral("open: ");
    if (!Next(kind + r.Filter, answer)) answer = TFileDialogAnswer{};
    return answer;
  });
  FFolder = SetFolderDialogHook([this](const TFolderDialogRequest& r) {
    TFolderDialogAnswer answer;
    if (!Next(QStringLiteral("folder: ") + r.Title, answer)) answer = TFolderDialogAnswer{};
    return answer;
  });
  FPrinterSetup = SetPrinterSetupHook([this](TPrinter&, QWidget*) {
    bool accept = false;
    return Next(QStringLiteral("printer setup"), accept) && accept;
  });
  FShowModal = SetShowModalHook([this](QDialog& dialog) {
    std::function<int(QDialog&)> answer;
    if (!Next(QStringLiteral("form: ") + dialog.windowTitle(), answer)) return int(mrCancel);
    return answer(dialog);
  });
}

ModalScript::~ModalScript() {
  SetMessageDialogHook(FMessage);
  SetColorDialogHook(FColor);
  SetFontDialogHook(FFont);
  SetFileDialogHook(FFile);
  SetFolderDialogHook(FFolder);
  SetPrinterSetupHook(FPrinterSetup);
  SetShowModalHook(FShowModal);
  if (!FAnswers.empty()) ADD_FAILURE() << FAnswers.size() << " scripted modal answer(s) unused";
}

void ModalScript::AnswerMessage(int ModalResult) {
  FAnswers.emplace_back(ModalResult);
}

void ModalScript::AnswerColor(bool Accept, TColor Color) {
  FAnswers.emplace_back(TColorDialogAnswer{Accept, Color, {}});
}

void ModalScript::AnswerFont(std::function<bool(TFont&)> Answer) {
  FAnswers.emplace_back(std::move(Answer));
}

void ModalScript::AnswerFile(bool Accept, const QString& FileName, int FilterIndex) {
  FAnswers.emplace_back(TFileDialogAnswer{Accept, FileName, FilterIndex});
}

void ModalScript::AnswerFolder(bool Accept, const QString& Folder) {
  FAnswers.emplace_back(TFolderDialogAnswer{Accept, Folder});
}

void ModalScript::AnswerPrinterSetup(bool Accept) {
  FAnswers.emplace_back(Accept);
}

void ModalScript::AnswerForm(std::function<int(QDialog&)> Answer) {
  FAnswers.emplace_back(std::move(Answer));
}
