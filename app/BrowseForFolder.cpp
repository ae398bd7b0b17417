#include "app/BrowseForFolder.h"

#include "platform/ModalHooks.h"
#include "platform/WindowTitle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QScreen>

namespace {

const QString Ellipsis = QStringLiteral("...");

// Largest n in [Low, High] for which Fits(n) holds, given Fits(Low); Fits
// must hold for every n below one that it holds for.
qsizetype LargestFitting(qsizetype Low, qsizetype High,
                         const std::function<bool(qsizetype)>& Fits) {
  while (Low < High) {
    const qsizetype mid = (Low + High + 1) / 2;
    if (Fits(mid))
      Low = mid;
    else
      High = mid - 1;
  }
  return Low;
}

// One coordinate of the top-left corner, moved inside [AreaStart, AreaEnd).
int KeepInside(int Start, int Length, int AreaStart, int AreaEnd) {
  if (Start < AreaStart) return AreaStart;
  if (Start + Length > AreaEnd) return AreaEnd - Length;
  return Start;
}

}  // namespace

TDirBrowser::TDirBrowser(TComponent* AOwner, QWidget* AOwnerForm)
    : TComponent(AOwner), FOwnerForm(AOwnerForm) {}

void TDirBrowser::SetInitialPath(const QString& Path) {
  QString path = Path;
  if (path.size() > 3)
    while (path.endsWith(u'/') || path.endsWith(QDir::separator())) path.chop(1);
  InitialFolder = path;
}

bool TDirBrowser::Execute() {
  return Execute(nullptr);
}

bool TDirBrowser::Execute(QWidget*) {
  // Disabled before the browser exists: a window created afterwards stays
  // enabled, while disabling a form also disables windows it already owns.
  QPointer<QWidget> owner = FOwnerForm;
  if (owner) owner->setEnabled(false);
  QCoreApplication::processEvents();
  SelectedFolder.clear();
  DisplayName.clear();
  bool result = false;
  {
    FolderBrowserDialog window(Prompt, owner);
    window.OnBrowse = [this](FolderBrowserDialog& w, FolderBrowserDialog::TBrowseEvent e) {
      BrowseProc(w, e);
    };
    window.layout()->activate();
    BrowseProc(window, FolderBrowserDialog::TBrowseEvent::beInitialized);
    if (ShowModal(window) == mrOk) {
      const QString folder = window.ChosenFolder();
      if (!folder.isEmpty()) {
        SelectedFolder = folder;
        const QString name = QFileInfo(folder).fileName();
        DisplayName = name.isEmpty() ? folder : name;
        result = true;
      }
    }
  }
  if (RetainSelection && result) SetInitialPath(SelectedFolder);
  if (owner) owner->setEnabled(true);
  return result;
}

int TDirBrowser::BrowseProc(FolderBrowserDialog& Window, FolderBrowserDialog::TBrowseEvent Event) {
  switch (Event) {
    case FolderBrowserDialog::TBrowseEvent::beInitialized:
      if (!Caption.isEmpty()) Window.setWindowTitle(Caption);
      // Wide enough for the whole caption, then centred at that width.
      FitWindowToTitle(Window);
      PlaceWindow(Window);
      if (!InitialFolder.isEmpty()) Window.SelectFolder(InitialFolder);
      break;
    case FolderBrowserDialog::TBrowseEvent::beSelChanged: ShowSelectionStatus(Window); break;
  }
  return 0;
}

QPoint TDirBrowser::BrowserPosition(const QRect& Owner, const QSize& BrowserSize,
                                    const QRect& WorkArea) {
  const int w = BrowserSize.width();
  const int h = BrowserSize.height();
  const int x = Owner.left() + (Owner.right() - Owner.left()) / 2 - w / 2;
  const int y = Owner.top() + (Owner.bottom() - Owner.top()) / 2 - h / 2;
  return {KeepInside(x, w, WorkArea.left(), WorkArea.left() + WorkArea.width()),
          KeepInside(y, h, WorkArea.top(), WorkArea.top() + WorkArea.height())};
}

QString TDirBrowser::ShortenPathToWidth(const QString& Path, int Width,
                                        const std::function<int(const QString&)>& TextWidth) {
  if (TextWidth(Path) <= Width) return Path;
  const qsizetype separator = Path.lastIndexOf(u'/');
  const QString tail = separator >= 0 ? Path.mid(separator) : Path;
  const QString head = separator >= 0 ? Path.left(separator) : QString();
  auto headFits = [&](qsizetype n) { return TextWidth(head.left(n) + Ellipsis + tail) <= Width; };
  if (separator >= 0 && headFits(0))
    return head.left(LargestFitting(0, head.size(), headFits)) + Ellipsis + tail;
  // Not even the last component fits: keep as much of its end as does.
  auto tailFits = [&](qsizetype n) { return TextWidth(Ellipsis + tail.right(n)) <= Width; };
  return Ellipsis + tail.right(LargestFitting(0, tail.size(), tailFits));
}

void TDirBrowser::PlaceWindow(FolderBrowserDialog& Window) const {
  QWidget* owner = FOwnerForm ? FOwnerForm->window() : nullptr;
  QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
  const QRect workArea = screen != nullptr ? screen->availableGeometry() : QRect();
  if (workArea.isEmpty()) return;
  const QRect ownerRect = owner != nullptr ? owner->frameGeometry() : workArea;
  Window.move(BrowserPosition(ownerRect, Window.frameGeometry().size(), workArea));
}

void TDirBrowser::ShowSelectionStatus(FolderBrowserDialog& Window) const {
  const QString path = Window.SelectedFolder();
  if (path.isEmpty()) return;
  const QFontMetrics metrics(Window.StatusLabel->font());
  const int width = Window.StatusLabel->contentsRect().width();
  Window.SetStatusText(ShortenPathToWidth(
      path, width, [&](const QString& text) { return metrics.horizontalAdvance(text); }));
}
