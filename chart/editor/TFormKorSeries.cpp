#include "chart/editor/TFormKorSeries.h"

#include "chart/editor/KorEditorForms.h"
#include "chart/editor/KorEditorHelpers.h"

#include <QWidget>

QWidget* InsertSeriesForm(QWidget& Owner, const QString& FormClass, const QString& Title,
                          TPersistent* Object, int PageIndex) {
  (void)PageIndex;
  QWidget* Form = CreateEditorForm(FormClass, &Owner);
  if (Form == nullptr) return nullptr;
  Form->setWindowTitle(Title);
  AddObjectFormTo(*Form, Owner, Object);
  return Form;
}
