#include "chart/editor/KorCursors.h"

#include "chart/core/KorProcs.h"

#include <QComboBox>

namespace {

const QString& KorHandIdent() {
  static const QString Ident = QStringLiteral("crKorHand");
  return Ident;
}

}  // namespace

bool KorIdentToCursor(const QString& Name, TCursor& Cursor) {
  if (Name.compare(KorHandIdent(), Qt::CaseInsensitive) == 0) {
    Cursor = crKorHand;
    return true;
  }
  return IdentToCursor(Name, Cursor);
}

bool KorCursorToIdent(TCursor Cursor, QString& Name) {
  if (Cursor == crKorHand) {
    Name = KorHandIdent();
    return true;
  }
  return CursorToIdent(Cursor, Name);
}

TCursor KorSetCursor(TCursor Default, const QString& Name) {
  TCursor Cursor = Default;
  return KorIdentToCursor(QStringLiteral("cr") + Name, Cursor) ? Cursor : Default;
}

void KorFillCursors(QComboBox& Combo, TCursor Current) {
  Combo.clear();
  QStringList Idents = CursorIdents();
  Idents << KorHandIdent();
  for (const QString& Ident : Idents) Combo.addItem(Ident.mid(2));
  QString Name;
  Combo.setCurrentIndex(KorCursorToIdent(Current, Name) ? Idents.indexOf(Name) : -1);
}
