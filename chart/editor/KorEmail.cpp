#include "chart/editor/KorEmail.h"

#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"

#include "platform/FormatSettings.h"
#include "platform/MailClient.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <optional>

namespace {

const QString FolderPrefix = QStringLiteral("korvale-mail-");
constexpr qint64 FolderLifeSeconds = 24 * 60 * 60;

std::optional<bool>& MailAvailability() {
  static std::optional<bool> Known;
  return Known;
}

void RemoveOldFolders(const QDir& Temp) {
  const QDateTime Limit = QDateTime::currentDateTime().addSecs(-FolderLifeSeconds);
  const QFileInfoList Old =
      Temp.entryInfoList({FolderPrefix + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QFileInfo& Folder : Old)
    if (Folder.isDir() && !Folder.isSymLink() && Folder.lastModified() < Limit)
      QDir(Folder.absoluteFilePath()).removeRecursively();
}

}  // namespace

bool KorMailAvailable() {
  std::optional<bool>& Known = MailAvailability();
  if (!Known) Known = MailClientAvailable();
  return *Known;
}

void KorForgetMailAvailability() {
  MailAvailability().reset();
}

QString KorMailAttachmentFolder() {
  const QDir Temp(QDir::tempPath());
  if (!Temp.exists()) throw ChartException(Korconst::KorMsg_CanNotFindTempPath);
  RemoveOldFolders(Temp);
  QTemporaryDir Folder(Temp.filePath(FolderPrefix + QStringLiteral("XXXXXX")));
  if (!Folder.isValid()) throw ChartException(Korconst::KorMsg_CanNotFindTempPath);
  Folder.setAutoRemove(false);
  return Folder.path();
}

void KorEmailFile(const QString& FileName, const QString& Subject) {
  InternalKorEmailFile(FileName, Subject);
}

void InternalKorEmailFile(const QString& FileName, const QString& Subject) {
  const int Result = MailClientSend(Subject, QFileInfo(FileName).absoluteFilePath());
  if (Result != 0) throw ChartException(Format(Korconst::KorMsg_CanNotEmailChart, {Result}));
}
