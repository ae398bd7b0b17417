#include "chart/editor/KorEditorForms.h"

#include <map>
#include <utility>

namespace {

std::map<QString, TEditorFormFactory>& EditorForms() {
  static std::map<QString, TEditorFormFactory> Forms;
  return Forms;
}

}  // namespace

void RegisterEditorForm(const QString& ClassName, TEditorFormFactory Factory) {
  EditorForms()[ClassName] = std::move(Factory);
}

void UnRegisterEditorForm(const QString& ClassName) {
  EditorForms().erase(ClassName);
}

bool IsEditorFormRegistered(const QString& ClassName) {
  return EditorForms().count(ClassName) != 0;
}

QWidget* CreateEditorForm(const QString& ClassName, QWidget* Parent) {
  if (ClassName.isEmpty()) return nullptr;
  const auto It = EditorForms().find(ClassName);
  return It == EditorForms().end() ? nullptr : It->second(Parent);
}
