#include "app/report/SearchDialog.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSearchDlg::TSearchDlg(QWidget* Parent, TFind Find, TReplace Replace)
    : QDialog(Parent), FFind(std::move(Find)), FReplace(std::move(Replace)) {
  setWindowTitle(FReplace ? QStringLiteral("Replace") : QStringLiteral("Find"));
  FindEdit = new QLineEdit(this);
  ReplaceEdit = new QLineEdit(this);
  MatchCaseCB = new QCheckBox(QStringLiteral("Match &case"), this);
  FindNextBtn = new QPushButton(QStringLiteral("&Find Next"), this);
  ReplaceAllBtn = new QPushButton(QStringLiteral("Replace &All"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("Fi&nd what:"), FindEdit);
  if (FReplace) fields->addRow(QStringLiteral("Re&place with:"), ReplaceEdit);
  ReplaceEdit->setVisible(static_cast<bool>(FReplace));
  ReplaceAllBtn->setVisible(static_cast<bool>(FReplace));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(FindNextBtn);
  buttons->addWidget(ReplaceAllBtn);
  buttons->addStretch(1);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(MatchCaseCB);
  layout->addLayout(buttons);
  FindNextBtn->setDefault(true);
  QObject::connect(FindNextBtn, &QPushButton::clicked, this,
                   [this] { RunGuarded([this] { FindNextClick(); }); });
  QObject::connect(ReplaceAllBtn, &QPushButton::clicked, this,
                   [this] { RunGuarded([this] { ReplaceAllClick(); }); });
  QObject::connect(cancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TSearchDlg::FindNextClick() {
  if (!FindEdit->text().isEmpty()) FFind(FindEdit->text(), MatchCaseCB->isChecked());
}

void TSearchDlg::ReplaceAllClick() {
  if (FReplace && !FindEdit->text().isEmpty())
    FReplace(FindEdit->text(), ReplaceEdit->text(), MatchCaseCB->isChecked());
}
