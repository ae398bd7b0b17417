#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

class QCloseEvent;
class QShowEvent;
class TKorFuncEditor;
class TKorFunction;

// Interaction: the base of the option forms of series functions, docked in
// the function page's "Options" tab. The function comes from the form's
// tag when it is shown (none until one exists); closing the form writes the
// controls into it, making the function of the page's chosen class first
// when there is none. Controls mark the form modified (windowModified) and
// enable the page's "&Apply"; writing them back clears the mark.
class TBaseFunctionEditor : public QWidget {
 public:
  explicit TBaseFunctionEditor(QWidget* Parent = nullptr);

  TKorFunction* GetFunction() const { return IFunction; }

  // Takes the function from the tag and fills the controls from it.
  virtual void FormShow();
  // Writes the controls into the function (nothing here).
  virtual void ApplyFormChanges() {}
  // Fills the controls from the function (nothing here).
  virtual void SetFunction() {}
  // Marks the form modified and enables the owner page's "&Apply".
  void EnableApply();
  // Appends the titles of the series of the chart that holds the
  // function's series.
  void FillSeries(QStringList& Strings) const;
  // The function page the form is docked in; nullptr when it is not.
  TKorFuncEditor* OwnerPage() const;

 protected:
  void showEvent(QShowEvent* Event) override;
  // Always allows closing; the controls are written into the function.
  void closeEvent(QCloseEvent* Event) override;
  // Runs a control's handler unless the form is being filled.
  void Changed(const std::function<void()>& Body);

  TKorFunction* IFunction = nullptr;  // not owned
  // Set while the form fills its controls: changes then are not edits.
  bool FUpdating = false;

 private:
  void CreateAndApply();
};
