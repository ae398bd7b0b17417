#include "app/Configuration.h"

#include "app/ConfigEdit.h"
#include "app/TMemIniFile.h"

#include "platform/Exception.h"
#include "platform/MessageBox.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

namespace {

Configuration*& ProgramInstance() {
  static Configuration* instance = nullptr;
  return instance;
}

const QString DefaultMarker = QStringLiteral("0");

}  // namespace

Configuration::Configuration(TComponent* AOwner, const QString& AName, const QString& ADirectory)
    : TComponent(AOwner), FlushTimer(std::make_unique<QTimer>()) {
  FlushTimer->setInterval(FlushInterval);
  FlushTimer->callOnTimeout([this] { RunGuarded([this] { FlushIfDirty(); }); });
  FlushTimer->start();
  OpenFile(AName, ADirectory);
  if (ProgramInstance() == nullptr) ProgramInstance() = this;
}

Configuration::~Configuration() {
  if (ProgramInstance() == this) ProgramInstance() = nullptr;
  FlushTimer->stop();
  // Unchanged documents are written back only when they came from the file,
  // so a file that could not be read is never replaced by an empty one.
  try {
    if (Dirty || FReadState == TReadState::rsRead) WriteFile();
  } catch (...) {
    // Nothing may leave a destructor; WriteFile has reported what it could.
  }
}

Configuration* Configuration::Instance() {
  return ProgramInstance();
}

QString Configuration::DefaultDirectory() {
  const QString beside = QCoreApplication::applicationDirPath();
  if (!beside.isEmpty() && QFileInfo(beside).isWritable()) return beside;
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Korvale");
}

QString Configuration::FileName() const {
  return IniFile->FileName();
}

bool Configuration::OpenFile(const QString& AName, const QString& ADirectory) {
  const bool ownFolder = ADirectory == DefaultMarker;
  const QString directory = ownFolder ? DefaultDirectory() : ADirectory;
  // The first start of an installed program finds no folder of its own in
  // the user's configuration location; the report logo is saved there
  // before the configuration file is first written.
  if (ownFolder) QDir().mkpath(directory);
  const QString name = AName == DefaultMarker
                           ? QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()
                           : AName;
  const QString fileName = directory + u'/' + name + QStringLiteral(".cfg");
  try {
    IniFile = std::make_unique<TMemIniFile>(fileName);
    FReadState = QFileInfo::exists(fileName) ? TReadState::rsRead : TReadState::rsAbsent;
    return true;
  } catch (const std::exception&) {
    IniFile = std::make_unique<TMemIniFile>();
    IniFile->SetFileName(fileName);
    FReadState = TReadState::rsFailed;
    return false;
  }
}

bool Configuration::ValueExists(const QString& Section, const QString& Key) const {
  return IniFile->ValueExists(Section, Key);
}

QString Configuration::ReadString(const QString& Section, const QString& Key,
                                  const QString& Default) const {
  return IniFile->ReadString(Section, Key, Default);
}

void Configuration::WriteString(const QString& Section, const QString& Key, const QString& Value) {
  IniFile->WriteString(Section, Key, Value);
  Dirty = true;
}

QStringList Configuration::Lines() const {
  return IniFile->Lines();
}

void Configuration::SetLines(const QStringList& Lines) {
  IniFile->SetLines(Lines);
  Dirty = true;
}

void Configuration::FlushIfDirty() {
  if (Dirty && WriteFile()) Dirty = false;
}

void Configuration::FlushNow() {
  Dirty = true;
  FlushIfDirty();
}

bool Configuration::EditFile(QWidget* Parent) {
  try {
    TConfigEdFrm form(*this, Parent);
    return ShowModal(form) != mrCancel;
  } catch (const std::exception&) {
    return false;
  }
}

bool Configuration::WriteFile() {
  if (FReadState == TReadState::rsFailed) {
    ReportOnce(QStringLiteral("The configuration file %1 could not be read, so changes are not "
                              "written to it.")
                   .arg(FileName()));
    return false;
  }
  try {
    QDir().mkpath(QFileInfo(FileName()).absolutePath());
    IniFile->UpdateFile();
    FFailureReported = false;
    return true;
  } catch (const Exception& e) {
    ReportOnce(e.Message());
  } catch (const std::exception& e) {
    ReportOnce(QString::fromUtf8(e.what()));
  }
  return false;
}

void Configuration::ReportOnce(const QString& Text) {
  if (FFailureReported) return;
  FFailureReported = true;
  ShowMessageBox(Text.toStdString());
}
