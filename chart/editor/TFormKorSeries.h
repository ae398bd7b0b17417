#pragma once

#include <QString>

class QWidget;
class TPersistent;

// Adds a form of the registered editor form class FormClass (see
// KorEditorForms.h) for Object. When Owner is docked in the chart editor's
// series page the form gets a tab of its own, titled Title, at PageIndex
// in the page's tabs (-1: the end); otherwise it is made inside Owner with
// Title as its caption. Series editors use it for their extra tabs. The
// form reads Object with KorFormObject. nullptr when FormClass is not
// registered.
QWidget* InsertSeriesForm(QWidget& Owner, const QString& FormClass, const QString& Title,
                          TPersistent* Object, int PageIndex = -1);
