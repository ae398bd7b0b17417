#include "chart/core/TKorButton.h"

#include "chart/core/TKorCanvas3D.h"

#include "platform/QtGuard.h"
#include "platform/TCanvas.h"
#include "platform/TPersistent.h"

#include <QPainter>

TKorButton::TKorButton(QWidget* Parent) : QPushButton(Parent) {
  resize(75, 25);
  connect(this, &QAbstractButton::clicked, this, [this] { RunGuarded([this] { Click(); }); });
}

void TKorButton::LinkProperty(TPersistent* Object, const QString& PropertyName) {
  if (Object == nullptr) return;
  FLinkedObject = Object;
  const bool Published =
      !PropertyName.isEmpty() && Object->Properties().Find(PropertyName) != nullptr;
  FLinkedProperty = Published ? PropertyName : QString();
  repaint();
}

TRect TKorButton::SymbolRectangle() const {
  const int W = width();
  const int H = height();
  return TRect(W - 19, H - (H / 4) * 3, W - 6, H - H / 4);
}

void TKorButton::DrawSymbol(TCanvas3D&) {}

void TKorButton::Click() {
  if (OnClick) OnClick(this);
}

void TKorButton::paintEvent(QPaintEvent* Event) {
  QPushButton::paintEvent(Event);
  RunGuarded([this] {
    QPainter Painter(this);
    TCanvas Canvas(Painter, logicalDpiY());
    TKorCanvas3D Surface(&Canvas);
    DrawSymbol(Surface);
  });
}
