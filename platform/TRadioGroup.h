#pragma once

#include <QGroupBox>
#include <QStringList>

#include <functional>

class QButtonGroup;
class QGridLayout;

// A captioned group of radio buttons made from a list of item texts, laid
// out in Columns columns (filled column by column). ItemIndex is the chosen
// item, -1 for none. Choosing an item with the mouse calls OnClick; setting
// ItemIndex from code does not. A caption never widens the window: one
// wider than the box is shown shortened, and whole as the tool tip. As on
// any group box, "&" marks the caption's Alt+letter and "&&" shows an "&".
class TRadioGroup : public QGroupBox {
 public:
  explicit TRadioGroup(const QString& Caption = QString(), QWidget* Parent = nullptr);

  const QStringList& GetItems() const { return FItems; }
  // Replaces every item; nothing is chosen afterwards.
  void SetItems(const QStringList& Items);
  void AddItem(const QString& Text);
  void ClearItems() { SetItems({}); }
  int Count() const { return static_cast<int>(FItems.size()); }
  QString Item(int Index) const;
  int GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Index);
  int GetColumns() const { return FColumns; }
  void SetColumns(int Value);

  // What choosing item Index with the mouse does (tests call it directly).
  void Choose(int Index);

  // The caption as shown at the box's present width (with the marks of
  // its Alt+letter), and as read whole (without them).
  QString ShownTitle() const;
  QString ReadTitle() const;
  QSize minimumSizeHint() const override;

  std::function<void(TRadioGroup* Sender)> OnClick;

 protected:
  bool event(QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;

 private:
  void Rebuild();

  QStringList FItems;
  int FItemIndex = -1;
  int FColumns = 1;
  QGridLayout* FLayout = nullptr;
  QButtonGroup* FButtons = nullptr;
};
