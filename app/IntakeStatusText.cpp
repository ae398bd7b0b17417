#include "app/IntakeStatusText.h"

#include "app/ScanIntake.h"

#include "analysis/Gofs2004.h"
#include "platform/FormatSettings.h"

#include <QStringList>

#include <cerrno>
#include <cstring>
#include <utility>

namespace {

// A few names of a list, and how many more there are.
QString SomeNames(const QStringList& Names) {
  constexpr qsizetype Shown = 3;
  QString text = Names.mid(0, Shown).join(QStringLiteral(", "));
  if (Names.size() > Shown) text += QStringLiteral(" and %1 more").arg(Names.size() - Shown);
  return text;
}

QString SystemReason(int Error) {
  return QString::fromLocal8Bit(std::strerror(Error));
}

QString Rpm(double Value) {
  return FloatToStr(Value) + QStringLiteral(" rpm");
}

QString FolderText(const ScanIntake& Intake, const QString& Directory) {
  switch (Intake.GetFolderState()) {
    case ScanIntake::TFolderState::Missing:
      return QStringLiteral(
                 "The folder %1 is gone (removed, renamed or moved away); Korvale "
                 "keeps looking for it.")
          .arg(Directory);
    case ScanIntake::TFolderState::NotAFolder:
      return QStringLiteral("%1 is no longer a folder; Korvale keeps looking for the folder.")
          .arg(Directory);
    case ScanIntake::TFolderState::Unreadable:
      if (Intake.GetFolderError() == ENOMEM)
        return QStringLiteral("Memory ran out while the folder %1 was read; Korvale keeps trying.")
            .arg(Directory);
      return QStringLiteral("The folder %1 cannot be read (%2); Korvale keeps trying.")
          .arg(Directory, SystemReason(Intake.GetFolderError()));
    case ScanIntake::TFolderState::Readable: break;
  }
  return {};
}

QString WatchText(int Error) {
  if (Error == 0) return {};
  const QString reason = Error == ENOSPC
                             ? QStringLiteral("the system's limit of watched folders is reached")
                         : Error == EMFILE ? QStringLiteral("the limit of open watches is reached")
                                           : SystemReason(Error);
  return QStringLiteral(
             "Korvale cannot be told of changes in this folder (%1); it lists the "
             "folder at every poll.")
      .arg(reason);
}

QString LeftOutText(const ScanIntake& Intake) {
  if (Intake.GetOnlyMalformed())
    return QStringLiteral(
        "None of the files of this channel could be read as a scan; "
        "Korvale keeps looking for readable scans.");
  if (Intake.GetLeftOutTotal() == 0) return {};
  using R = ScanIntake::TLeftOut;
  const QString speed = Rpm(Intake.GetRunRpm());
  // Each text takes its count and its other arguments in one step, so no
  // name is ever read as a place holder.
  const std::pair<R, QString> reasons[] = {
      {R::Unreadable, QStringLiteral("%1 unreadable")},
      {R::Short, QStringLiteral("%1 too short before the first whole scan")},
      {R::TimeNotRising, QStringLiteral("%1 with a time not later than the scan before")},
      {R::StoreFull, QStringLiteral("%1 beyond the %2 scans a viewer holds")},
      {R::SpeedChanged, QStringLiteral("%1 at another rotor speed than the %2 the analysis uses")},
      {R::SpeedBreak,
       QStringLiteral("%1 at %2 but parted from the analysed scans by another speed")},
      {R::NotRegular, QStringLiteral("%1 not a regular file (%2)")}};
  auto second = [&](R Reason) {
    switch (Reason) {
      case R::StoreFull: return QString::number(ChannelDataStore::MaxSets);
      case R::SpeedChanged:
      case R::SpeedBreak: return speed;
      case R::NotRegular: return SomeNames(Intake.GetNotRegularNames());
      default: return QString();
    }
  };
  QStringList parts;
  for (const auto& [reason, text] : reasons) {
    const int count = Intake.GetLeftOut(reason);
    if (count == 0) continue;
    parts << (text.contains(QStringLiteral("%2")) ? text.arg(QString::number(count), second(reason))
                                                  : text.arg(count));
  }
  return QStringLiteral("%1 scan file(s) left out: %2.")
      .arg(QString::number(Intake.GetLeftOutTotal()), parts.join(QStringLiteral(", ")));
}

}  // namespace

QString IntakeStatusText(const ScanIntake& Intake, const QString& Directory, int Sets,
                         bool MemoryShort) {
  QStringList notes;
  auto note = [&](const QString& Text) {
    if (!Text.isEmpty()) notes << Text;
  };
  note(FolderText(Intake, Directory));
  if (Intake.GetFolderReplaced())
    note(QStringLiteral("The folder at %1 is not the one first loaded (moved, re-linked or "
                        "mounted over); Korvale now takes the scans of the folder found there.")
             .arg(Directory));
  note(WatchText(Intake.GetWatchError()));
  if (Intake.GetOutOfMemory() && Sets == 0)
    note(
        QStringLiteral("Memory ran out before a scan could be taken in; close other viewers, "
                       "Korvale tries again at every poll."));
  else if (Intake.GetOutOfMemory() || MemoryShort)
    note(QStringLiteral("Memory ran out after %1 scans: Korvale keeps what it could analyse and "
                        "draw and takes in no more; close other viewers and open the channel "
                        "again for the rest.")
             .arg(Sets));
  note(LeftOutText(Intake));
  if (!Intake.GetRewrittenNames().isEmpty())
    note(QStringLiteral("Written anew after it was taken: %1; the analysis follows the new "
                        "contents.")
             .arg(SomeNames(Intake.GetRewrittenNames())));
  const QStringList gone = Intake.GetGoneNames();
  if (!gone.isEmpty())
    note(QStringLiteral("The file of %1 taken scan(s) is gone (%2); the scans stay in the "
                        "analysis.")
             .arg(QString::number(gone.size()), SomeNames(gone)));
  if (Sets == 0 && Intake.GetWaitingCount() > 0)
    note(QStringLiteral("Waiting for %1 scan file(s) to stay unchanged for %2 s before reading "
                        "them.")
             .arg(QString::number(Intake.GetWaitingCount()),
                  QString::number(Intake.GetSettleMs() / 1000.0)));
  return notes.join(u' ');
}
