#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class QShowEvent;

// Interaction: two lists side by side, the available items and the selected
// ones, with buttons that move items between them and reorder the selected
// list. Pages embed it (AddFormTo) to let the user choose an ordered subset;
// every move fires OnChange.
class TSelectListForm : public QDialog {
 public:
  explicit TSelectListForm(QWidget* Owner = nullptr);
  ~TSelectListForm() override;

  // Focus to the available list, or to the selected one when nothing is
  // available; the buttons follow the lists (run when the form is shown).
  void FormShow();
  // The buttons that can act now are enabled.
  void EnableButtons();

  void BMoveUpClick();
  void BMoveDownClick();
  void BRightOneClick();
  void BRightAllClick();
  void BLeftOneClick();
  void BLeftAllClick();
  void FromListDblClick();
  void ToListDblClick();

  QLabel* Label1 = nullptr;
  QListWidget* FromList = nullptr;
  QLabel* Label2 = nullptr;
  QListWidget* ToList = nullptr;
  QPushButton* BRightOne = nullptr;
  QPushButton* BRightAll = nullptr;
  QPushButton* BLeftOne = nullptr;
  QPushButton* BLeftAll = nullptr;
  QPushButton* BMoveUp = nullptr;
  QPushButton* BMoveDown = nullptr;

  // After every move of items.
  std::function<void(TSelectListForm* Sender)> OnChange;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void LoadArrows();
  void Connect();
  // Swaps the selected row of ToList with the row Step away.
  void ExchangeSelected(int Step);
  // Refreshes the buttons and fires OnChange.
  void Changed();
};
