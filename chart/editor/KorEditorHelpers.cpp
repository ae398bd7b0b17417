#include "chart/editor/KorEditorHelpers.h"

#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"

#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TEditUpDown.h"
#include "platform/TFormBuilder.h"
#include "platform/TPen.h"
#include "platform/TRect.h"
#include "platform/TUpDown.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QVariant>

#include <algorithm>
#include <cstdlib>

namespace {

// The dynamic property that holds a docked form's object.
constexpr char TagProperty[] = "KorFormTag";
constexpr char EscapeFilterProperty[] = "KorDockedEscape";

// A dialog form docked in a page would take Escape as its own Cancel and
// hide itself, leaving the page empty; Escape belongs to the window that
// holds the page.
class TDockedEscapeFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() != QEvent::KeyPress) return false;
    const auto* Key = static_cast<QKeyEvent*>(Event);
    if (Key->key() != Qt::Key_Escape || Key->modifiers() != Qt::NoModifier) return false;
    QWidget* Top = static_cast<QWidget*>(Watched)->window();
    if (Top == Watched) return false;
    QKeyEvent Forwarded(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(Top, &Forwarded);
    return true;
  }
};

}  // namespace

void KorPrepareForm(QDialog& Form, QWidget* Owner) {
  Form.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  Form.setSizeGripEnabled(false);
  QRect Area;
  if (Owner != nullptr)
    Area = Owner->window()->frameGeometry();
  else if (const QScreen* Screen = QGuiApplication::primaryScreen())
    Area = Screen->availableGeometry();
  if (!Area.isValid()) return;
  QRect Placed = Form.frameGeometry();
  Placed.moveCenter(Area.center());
  Form.move(Placed.topLeft());
}

int KorCaptionWidth(const QWidget& Window) {
  QFont Font = Window.font();
  Font.setBold(true);
  const int Bar = Window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &Window);
  // The icon at the left and three buttons at the right are about as wide
  // as the bar is high; a margin of half that at either end.
  return QFontMetrics(Font).horizontalAdvance(Window.windowTitle()) + 5 * Bar;
}

int KorFitCaption(QDialog& Dialog) {
  int Wanted = KorCaptionWidth(Dialog);
  if (const QScreen* Screen = Dialog.screen()) {
    const int Frame = Dialog.frameGeometry().width() - Dialog.width();
    Wanted = std::min(Wanted, Screen->availableGeometry().width() - Frame);
  }
  const int Grown = Wanted - Dialog.width();
  if (Grown <= 0) return 0;
  const QPoint Centre = Dialog.frameGeometry().center();
  Dialog.setFixedWidth(Wanted);
  QRect Placed = Dialog.frameGeometry();
  Placed.moveCenter(Centre);
  if (const QScreen* Screen = Dialog.screen()) {
    const QRect Area = Screen->availableGeometry();
    Placed.moveLeft(std::clamp(Placed.left(), Area.left(),
                               std::max(Area.left(), Area.right() + 1 - Placed.width())));
  }
  Dialog.move(Placed.topLeft());
  return Grown;
}

bool KorYesNo(const QString& Message, QWidget* Control) {
  std::optional<QPoint> Position;
  if (Control != nullptr) Position = Control->mapToGlobal(QPoint(20, 30));
  return ConfirmYesNo(Message, QString(), Position, Control);
}

bool KorYesNoDelete(const QString& Name, QWidget* Control) {
  return KorYesNo(Format(Korconst::KorMsg_SureToDelete, {Name}), Control);
}

void ShowControls(bool Visible, std::initializer_list<QWidget*> Controls) {
  for (QWidget* Control : Controls)
    if (Control != nullptr) Control->setVisible(Visible);
}

void KorDrawEdge(TCanvas& Canvas, const TRect& R, TColor TopLeft, TColor BottomRight) {
  Canvas.GetPen().SetStyle(psSolid);
  Canvas.GetPen().SetWidth(1);
  Canvas.GetPen().SetColor(TopLeft);
  Canvas.MoveTo(R.Left, R.Bottom - 1);
  Canvas.LineTo(R.Left, R.Top);
  Canvas.LineTo(R.Right - 1, R.Top);
  Canvas.GetPen().SetColor(BottomRight);
  Canvas.LineTo(R.Right - 1, R.Bottom - 1);
  Canvas.LineTo(R.Left - 1, R.Bottom - 1);
}

void KorGuardedEdit(const std::function<void()>& Edit, const std::function<void()>& Restore) {
  if (!RunGuarded(Edit)) RunGuarded(Restore);
}

bool KorTypedInt(const QLineEdit& Edit, int& Value) {
  bool Ok = false;
  Value = Edit.text().trimmed().toInt(&Ok);
  return Ok;
}

TEditUpDown* AddUpDownEdit(QWidget& Parent, const QString& Name, const QString& UpDownName,
                           const QRect& Bounds, int Min, int Max, int Step, const QString& Text) {
  auto* Edit = TFormBuilder::AddTo<TEditUpDown>(Parent, Name, Text, Bounds.left(), Bounds.top(),
                                                Bounds.width(), Bounds.height());
  if (!UpDownName.isEmpty()) Edit->GetUpDown()->setObjectName(UpDownName);
  Edit->GetUpDown()->SetIncrement(Step);
  Edit->SetMin(Min);
  Edit->SetMax(Max);
  return Edit;
}

QWidget* AddNamedTab(QTabWidget& Pages, const QString& Name, const QString& Caption) {
  auto* Tab = new QWidget(&Pages);
  Tab->setObjectName(Name);
  Pages.addTab(Tab, Caption);
  return Tab;
}

void AddFormTo(QWidget& Form, QWidget& Parent, void* Object) {
  Form.setParent(&Parent, Qt::Widget);
  Form.setPalette(Parent.palette());
  Form.setBackgroundRole(Parent.backgroundRole());
  Form.setProperty(TagProperty, QVariant::fromValue(Object));
  if (qobject_cast<QDialog*>(&Form) != nullptr && !Form.property(EscapeFilterProperty).toBool()) {
    Form.installEventFilter(new TDockedEscapeFilter(&Form));
    Form.setProperty(EscapeFilterProperty, true);
  }
  // The page may be on a hidden tab; its size is what counts.
  const bool ParentHidden = Parent.isHidden();
  Parent.setHidden(false);
  const int Top = std::min(4, std::abs(Parent.height() - Form.height()) / 2);
  Form.move(4, Top);
  Form.show();
  Parent.setHidden(ParentHidden);
}

void* KorFormTag(const QWidget& Form) {
  return Form.property(TagProperty).value<void*>();
}

void AddObjectFormTo(QWidget& Form, QWidget& Parent, TPersistent* Object) {
  AddFormTo(Form, Parent, static_cast<void*>(Object));
}

TPersistent* KorFormObject(const QWidget& Form) {
  return static_cast<TPersistent*>(KorFormTag(Form));
}

bool KorFormCloseQuery(QWidget& Form) {
  QCloseEvent Query;
  QCoreApplication::sendEvent(&Form, &Query);
  return Query.isAccepted();
}

void AddDefaultValueFormats(QStringList& Strings) {
  Strings << QStringLiteral("#,##0.###") << QStringLiteral("0") << QStringLiteral("0.0")
          << QStringLiteral("0.#") << QStringLiteral("#.#") << QStringLiteral("#,##0.00;(#,##0.00)")
          << QStringLiteral("00e-0") << QStringLiteral("#.0 \"x10\" E+0")
          << QStringLiteral("#.# x10E-#");
}

// The arrows live in the editor library's resource file; a static library
// must register it explicitly.
static void InitArrowResources() {
  static const bool Registered = [] {
    Q_INIT_RESOURCE(KorSelectList);
    return true;
  }();
  (void)Registered;
}

void KorLoadArrowBitmaps(TBitmap& Up, TBitmap& Down) {
  InitArrowResources();
  KorLoadBitmap(Up, QStringLiteral("KorArrowUp"), QString());
  KorLoadBitmap(Down, QStringLiteral("KorArrowDown"), QString());
}

void MoveList(QListWidget& Source, QListWidget& Target) {
  for (int Row = 0; Row < Source.count();) {
    if (Source.item(Row)->isSelected())
      Target.addItem(Source.takeItem(Row));
    else
      ++Row;
  }
}

void MoveListAll(QListWidget& Source, QListWidget& Target) {
  while (Source.count() > 0) Target.addItem(Source.takeItem(0));
}
