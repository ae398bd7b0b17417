#include "app/FolderBrowserDialog.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int ListedRole = Qt::UserRole + 1;

QString ChildPath(const QString& Parent, const QString& Name) {
  return Parent.endsWith(u'/') ? Parent + Name : Parent + u'/' + Name;
}

}  // namespace

FolderBrowserDialog::FolderBrowserDialog(const QString& Prompt, QWidget* Parent) : QDialog(Parent) {
  setWindowTitle(QStringLiteral("Browse for Folder"));
  resize(420, 460);
  PromptLabel = new QLabel(Prompt, this);
  PromptLabel->setWordWrap(true);
  FolderTree = new QTreeWidget(this);
  FolderTree->setHeaderHidden(true);
  FolderTree->setColumnCount(1);
  FolderEdit = new QLineEdit(this);
  StatusLabel = new QLabel(this);
  // The status line keeps the width the window gives it: the client fits
  // the text to it.
  StatusLabel->setMinimumWidth(1);
  StatusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  ButtonOK = new QPushButton(QStringLiteral("OK"), this);
  ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
  ButtonOK->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PromptLabel);
  layout->addWidget(StatusLabel);
  layout->addWidget(FolderTree, 1);
  layout->addWidget(FolderEdit);
  layout->addLayout(buttons);

  AddFolderItem(nullptr, QDir::rootPath(), QDir::rootPath());
  QObject::connect(FolderTree, &QTreeWidget::itemExpanded, this,
                   [this](QTreeWidgetItem* item) { RunGuarded([&] { ListChildren(item); }); });
  QObject::connect(FolderTree, &QTreeWidget::currentItemChanged, this,
                   [this](QTreeWidgetItem* item) { RunGuarded([&] { FolderTreeChange(item); }); });
  QObject::connect(ButtonOK, &QPushButton::clicked, this,
                   [this] { RunGuarded([this] { ButtonOKClick(); }); });
  QObject::connect(ButtonCancel, &QPushButton::clicked, this,
                   [this] { RunGuarded([this] { ButtonCancelClick(); }); });
}

bool FolderBrowserDialog::SelectFolder(const QString& Folder) {
  const QFileInfo info(Folder);
  if (Folder.isEmpty() || !info.isDir()) return false;
  const QString path = QDir::cleanPath(info.absoluteFilePath());
  QTreeWidgetItem* item = FolderTree->topLevelItem(0);
  for (const QString& name : path.split(u'/', Qt::SkipEmptyParts)) {
    item->setExpanded(true);
    item = ChildNamed(item, name);
  }
  FolderTree->setCurrentItem(item);
  FolderTree->scrollToItem(item, QAbstractItemView::PositionAtCenter);
  return true;
}

QString FolderBrowserDialog::SelectedFolder() const {
  const QTreeWidgetItem* item = FolderTree->currentItem();
  return item != nullptr ? item->data(0, PathRole).toString() : QString();
}

QString FolderBrowserDialog::ChosenFolder() const {
  const QString text = FolderEdit->text().trimmed();
  const QString selected = SelectedFolder();
  if (text.isEmpty()) return selected;
  if (!QDir::isAbsolutePath(text) && selected.isEmpty()) return QString();
  const QFileInfo info(QDir::isAbsolutePath(text) ? text : ChildPath(selected, text));
  return info.isDir() ? QDir::cleanPath(info.absoluteFilePath()) : QString();
}

void FolderBrowserDialog::SetStatusText(const QString& Text) {
  StatusLabel->setText(Text);
}

void FolderBrowserDialog::ButtonOKClick() {
  done(mrOk);
}

void FolderBrowserDialog::ButtonCancelClick() {
  done(mrCancel);
}

void FolderBrowserDialog::reject() {
  done(mrCancel);
}

void FolderBrowserDialog::FolderTreeChange(QTreeWidgetItem* Item) {
  if (Item == nullptr) return;
  FolderEdit->setText(Item->data(0, PathRole).toString());
  if (OnBrowse) OnBrowse(*this, TBrowseEvent::beSelChanged);
}

void FolderBrowserDialog::ListChildren(QTreeWidgetItem* Item) {
  if (Item->data(0, ListedRole).toBool()) return;
  Item->setData(0, ListedRole, true);
  const QString path = Item->data(0, PathRole).toString();
  const QStringList names =
      QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& name : names) AddFolderItem(Item, name, ChildPath(path, name));
  if (names.isEmpty())
    Item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QTreeWidgetItem* FolderBrowserDialog::ChildNamed(QTreeWidgetItem* Item, const QString& Name) {
  ListChildren(Item);
  for (int i = 0; i < Item->childCount(); ++i)
    if (Item->child(i)->text(0) == Name) return Item->child(i);
  // A hidden folder is not listed, but the path leads through it.
  return AddFolderItem(Item, Name, ChildPath(Item->data(0, PathRole).toString(), Name));
}

QTreeWidgetItem* FolderBrowserDialog::AddFolderItem(QTreeWidgetItem* Parent, const QString& Name,
                                                    const QString& Path) {
  auto* item = Parent != nullptr ? new QTreeWidgetItem(Parent) : new QTreeWidgetItem(FolderTree);
  item->setText(0, Name);
  item->setData(0, PathRole, Path);
  item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  return item;
}
