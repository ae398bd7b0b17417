#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <type_traits>

// Builds a form one control per line: each control gets the name its form
// design gives it (so handlers and tests find it by that name), its caption
// and its place in pixels, as fixed-layout forms are drawn.
class TFormBuilder {
 public:
  explicit TFormBuilder(QWidget& Parent) : FParent(&Parent) {}

  // A new T on the builder's parent at (Left, Top), Width x Height; a
  // width or height of 0 keeps the control's own size hint for it.
  template <class T>
  T* Add(const QString& Name, const QString& Caption, int Left, int Top, int Width = 0,
         int Height = 0) {
    return AddTo<T>(*FParent, Name, Caption, Left, Top, Width, Height);
  }

  // The same on another parent (a panel or group box of the form).
  template <class T>
  static T* AddTo(QWidget& Parent, const QString& Name, const QString& Caption, int Left, int Top,
                  int Width = 0, int Height = 0) {
    auto* Control = new T(&Parent);
    Control->setObjectName(Name);
    SetCaption(*Control, Caption);
    const QSize Hint = Control->sizeHint();
    Control->setGeometry(Left, Top, Width > 0 ? Width : Hint.width(),
                         Height > 0 ? Height : Hint.height());
    return Control;
  }

  // The captions a control shows: a button's or label's text, an edit's
  // text, a group box's title, else the window title.
  template <class T>
  static void SetCaption(T& Control, const QString& Caption) {
    if constexpr (std::is_base_of_v<QAbstractButton, T> || std::is_base_of_v<QLabel, T> ||
                  std::is_base_of_v<QLineEdit, T>)
      Control.setText(Caption);
    else if constexpr (std::is_base_of_v<QGroupBox, T>)
      Control.setTitle(Caption);
    else if (!Caption.isEmpty())
      Control.setWindowTitle(Caption);
  }

 private:
  QWidget* FParent;
};

// The control named Name among Form's descendants, or nullptr (also when
// it is not a T).
template <class T>
T* FindControl(const QWidget& Form, const QString& Name) {
  return Form.findChild<T*>(Name);
}
