#pragma once

#include <QString>
#include <QStringList>

class QCursor;

// Mouse cursors by number, as the framework numbers its standard cursors;
// programs register their own (positive numbers) at start-up.
using TCursor = int;

inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

// The Qt cursor of a number: a registered cursor, a standard one, or the
// arrow for an unknown number.
QCursor CursorToQCursor(TCursor Cursor);

// Registers (or replaces) cursor Id; standard numbers cannot be replaced
// (returns false for Id <= 0).
bool RegisterCursor(TCursor Id, const QCursor& Cursor);
void UnregisterCursor(TCursor Id);
bool IsCursorRegistered(TCursor Id);

// The standard cursors' names ("crDefault", "crArrow", ...) in the
// framework's order, and conversions between names and numbers. Names
// compare without regard to case; unknown names and numbers give false.
QStringList CursorIdents();
bool IdentToCursor(const QString& Ident, TCursor& Cursor);
bool CursorToIdent(TCursor Cursor, QString& Ident);

// The cursor shown over the whole program (crDefault: each control's own).
TCursor GetScreenCursor();
void SetScreenCursor(TCursor Cursor);

// Shows Cursor over the whole program while alive (an hour-glass for a long
// operation) and restores the previous screen cursor on every exit path.
class TScreenCursorScope {
 public:
  explicit TScreenCursorScope(TCursor Cursor);
  ~TScreenCursorScope();
  TScreenCursorScope(const TScreenCursorScope&) = delete;
  TScreenCursorScope& operator=(const TScreenCursorScope&) = delete;

 private:
  TCursor FPrevious;
};
