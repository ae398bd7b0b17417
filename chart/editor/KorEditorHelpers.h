#pragma once

#include "platform/TColor.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <memory>

class QDialog;
class QLineEdit;
class QListWidget;
class QTabWidget;
class TBitmap;
class TCanvas;
struct TRect;
class TEditUpDown;
class TPersistent;

// Small helpers every editor page shares: dialog creation, docking a form
// into a page, confirmations, the standard value formats and list moves.

// Gives Form a dialog border and centres it on Owner's window, or on the
// screen without an owner.
void KorPrepareForm(QDialog& Form, QWidget* Owner);

// A new dialog form T for Owner. Its Qt parent is Owner's window (the
// owner's parent form when Owner is a control), so it stays above it; the
// caller owns the form and frees it when done.
template <class T>
std::unique_ptr<T> KorCreateForm(QWidget* Owner) {
  auto Form = std::make_unique<T>(Owner != nullptr ? Owner->window() : nullptr);
  KorPrepareForm(*Form, Owner);
  return Form;
}

// The width Window's caption takes in its title bar: its text in a bold
// face of the window's font (as title bars commonly draw it) and room for
// the window's icon and its buttons, in pixels.
int KorCaptionWidth(const QWidget& Window);
// Widens Dialog, a dialog of one size, so that its caption shows whole in
// its title bar, up to the width of the screen it opens on (a caption
// wider than that is cut there), keeping its centre. Returns the pixels it
// grew by, for the caller to move its right-hand controls; 0 when it was
// wide enough.
int KorFitCaption(QDialog& Dialog);

// A Yes/No confirmation (Yes first and default); with a control the box
// opens 20 pixels right of and 30 below the control's client origin.
// True for Yes.
bool KorYesNo(const QString& Message, QWidget* Control = nullptr);
// "Delete <Name> ?" as KorYesNo.
bool KorYesNoDelete(const QString& Name, QWidget* Control = nullptr);

void ShowControls(bool Visible, std::initializer_list<QWidget*> Controls);

// A one-pixel edge along R's inside: TopLeft on the left and top sides,
// BottomRight on the right and bottom ones (raised or sunken by the pair).
void KorDrawEdge(TCanvas& Canvas, const TRect& R, TColor TopLeft, TColor BottomRight);

// Runs Edit, an edit of a page control; when a property setter refuses the
// value, the message is shown and Restore puts the page's controls back to
// the object's values, so no control shows a value the object does not
// hold. Restore runs under the same guard. Shared by the editor pages.
void KorGuardedEdit(const std::function<void()>& Edit, const std::function<void()>& Restore);

// The whole number typed in Edit; false while the text is not one (the
// user may be half way through typing), so that nothing is applied.
bool KorTypedInt(const QLineEdit& Edit, int& Value);

// A number edit with its up-down at Bounds on Parent, limited to Min..Max
// and stepping by Step; the up-down is named UpDownName (unnamed when empty).
TEditUpDown* AddUpDownEdit(QWidget& Parent, const QString& Name, const QString& UpDownName,
                           const QRect& Bounds, int Min, int Max, int Step = 1,
                           const QString& Text = QStringLiteral("0"));

// A new tab page of Pages, with the object name tests and callers find it by.
QWidget* AddNamedTab(QTabWidget& Pages, const QString& Name, const QString& Caption);

// Docks an editor form borderless into Parent at (4, top), with top at most
// 4 pixels even when the form is taller than Parent, and shows it. Object
// is remembered as the form's tag (not owned); read it with KorFormTag.
void AddFormTo(QWidget& Form, QWidget& Parent, void* Object = nullptr);
void* KorFormTag(const QWidget& Form);
// The forms of the series page edit series, pointers, functions and other
// chart objects, and some take more than one kind: their tag always holds a
// TPersistent, which the form casts to the kind it meets. Dock
// them with AddObjectFormTo and read the object with KorFormObject.
void AddObjectFormTo(QWidget& Form, QWidget& Parent, TPersistent* Object);
TPersistent* KorFormObject(const QWidget& Form);

// Asks Form whether it may close, as closing it would (its closeEvent may
// refuse), without closing or hiding it. True when it agrees.
bool KorFormCloseQuery(QWidget& Form);

// Appends the standard value formats, most general first.
void AddDefaultValueFormats(QStringList& Strings);

// The arrow glyphs of the move up and down buttons; a missing resource
// leaves a bitmap as it was.
void KorLoadArrowBitmaps(TBitmap& Up, TBitmap& Down);

// Moves the selected items of Source (text and data), in list order, to the
// end of Target.
void MoveList(QListWidget& Source, QListWidget& Target);
// Moves every item of Source to the end of Target.
void MoveListAll(QListWidget& Source, QListWidget& Target);
