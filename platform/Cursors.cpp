#include "platform/Cursors.h"

#include <QCursor>
#include <QGuiApplication>

#include <map>

namespace {

struct StandardCursor {
  TCursor Id;
  const char* Ident;
  Qt::CursorShape Shape;
};

// In the framework's order of cursor names.
constexpr StandardCursor Standard[] = {
    {crDefault, "crDefault", Qt::ArrowCursor},
    {crNone, "crNone", Qt::BlankCursor},
    {crArrow, "crArrow", Qt::ArrowCursor},
    {crCross, "crCross", Qt::CrossCursor},
    {crIBeam, "crIBeam", Qt::IBeamCursor},
    {crSizeNESW, "crSizeNESW", Qt::SizeBDiagCursor},
    {crSizeNS, "crSizeNS", Qt::SizeVerCursor},
    {crSizeNWSE, "crSizeNWSE", Qt::SizeFDiagCursor},
    {crSizeWE, "crSizeWE", Qt::SizeHorCursor},
    {crUpArrow, "crUpArrow", Qt::UpArrowCursor},
    {crHourGlass, "crHourGlass", Qt::WaitCursor},
    {crDrag, "crDrag", Qt::DragMoveCursor},
    {crNoDrop, "crNoDrop", Qt::ForbiddenCursor},
    {crHSplit, "crHSplit", Qt::SplitHCursor},
    {crVSplit, "crVSplit", Qt::SplitVCursor},
    {crMultiDrag, "crMultiDrag", Qt::DragCopyCursor},
    {crSQLWait, "crSQLWait", Qt::BusyCursor},
    {crNo, "crNo", Qt::ForbiddenCursor},
    {crAppStart, "crAppStart", Qt::BusyCursor},
    {crHelp, "crHelp", Qt::WhatsThisCursor},
    {crHandPoint, "crHandPoint", Qt::PointingHandCursor},
    {crSizeAll, "crSizeAll", Qt::SizeAllCursor},
};

std::map<TCursor, QCursor>& Registered() {
  static std::map<TCursor, QCursor> cursors;
  return cursors;
}

TCursor& ScreenCursor() {
  static TCursor cursor = crDefault;
  return cursor;
}

}  // namespace

QCursor CursorToQCursor(TCursor Cursor) {
  const auto found = Registered().find(Cursor);
  if (found != Registered().end()) return found->second;
  for (const StandardCursor& c : Standard)
    if (c.Id == Cursor) return QCursor(c.Shape);
  return QCursor(Qt::ArrowCursor);
}

bool RegisterCursor(TCursor Id, const QCursor& Cursor) {
  if (Id <= 0) return false;
  Registered()[Id] = Cursor;
  return true;
}

void UnregisterCursor(TCursor Id) {
  Registered().erase(Id);
}

bool IsCursorRegistered(TCursor Id) {
  return Registered().count(Id) > 0;
}

QStringList CursorIdents() {
  QStringList idents;
  for (const StandardCursor& c : Standard) idents << QLatin1String(c.Ident);
  return idents;
}

bool IdentToCursor(const QString& Ident, TCursor& Cursor) {
  for (const StandardCursor& c : Standard)
    if (Ident.compare(QLatin1String(c.Ident), Qt::CaseInsensitive) == 0) {
      Cursor = c.Id;
      return true;
    }
  return false;
}

bool CursorToIdent(TCursor Cursor, QString& Ident) {
  for (const StandardCursor& c : Standard)
    if (c.Id == Cursor) {
      Ident = QLatin1String(c.Ident);
      return true;
    }
  return false;
}

TCursor GetScreenCursor() {
  return ScreenCursor();
}

void SetScreenCursor(TCursor Cursor) {
  if (Cursor == ScreenCursor()) return;
  const bool hadOverride = ScreenCursor() != crDefault;
  ScreenCursor() = Cursor;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return;
  // At most one override of ours is on Qt's stack at any time.
  if (Cursor == crDefault) {
    if (hadOverride) QGuiApplication::restoreOverrideCursor();
  } else if (hadOverride) {
    QGuiApplication::changeOverrideCursor(CursorToQCursor(Cursor));
  } else {
    QGuiApplication::setOverrideCursor(CursorToQCursor(Cursor));
  }
}

TScreenCursorScope::TScreenCursorScope(TCursor Cursor) : FPrevious(GetScreenCursor()) {
  SetScreenCursor(Cursor);
}

TScreenCursorScope::~TScreenCursorScope() {
  SetScreenCursor(FPrevious);
}
