#pragma once

#include <QString>

#include <functional>

class QWidget;

// Makes one editor form class as a child of Parent; the form reads the
// object it edits from its tag when it is shown.
using TEditorFormFactory = std::function<QWidget*(QWidget* Parent)>;

// The editor forms by class name. Chart elements name the form that edits
// them (GetEditorClass), so pages that embed those forms (tools, series
// formats, functions) find them here without knowing the element types.
// Registering replaces any factory under the name.
void RegisterEditorForm(const QString& ClassName, TEditorFormFactory Factory);
void UnRegisterEditorForm(const QString& ClassName);
bool IsEditorFormRegistered(const QString& ClassName);
// nullptr when no form is registered under ClassName (or it is empty).
QWidget* CreateEditorForm(const QString& ClassName, QWidget* Parent);
