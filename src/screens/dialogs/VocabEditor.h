#pragma once
// The vocabulary editor: a modal dialog over a copy of the vocabulary in which the designer
// browses the words, adds new ones and deletes others. Only OK/Save hands the copy back.
//
// Owns its controls and the word list model with the copy.

#include "screens/dialogs/DialogKit.h"

#include <QDialog>

#include <string>
#include <vector>

class QGroupBox;
class QLineEdit;
class QListView;
class QPushButton;
class TWordListModel;

class TDlgVocab : public QDialog {
    Q_OBJECT
  public:
    // words: the vocabulary, in its order.
    explicit TDlgVocab(std::vector<std::string> words, QWidget* parent = nullptr);

    const std::vector<std::string>& Words() const;
    bool Modified() const { return modified; }

    // Cancel, Esc and the close box: asks first when words were added or deleted.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void SelectItem(int item);
    void UpdateControls();
    void txtWordChange();
    void txtWordEnter();
    void cmdAddClick();
    void cmdDeleteClick();
    int SelectedItem() const;
    // Selects the item in the list (none for -1) without touching the word box.
    void Highlight(int item);

    TWordListModel* model;
    QGroupBox* gbxVocab;
    QListView* lbxVocab;
    QLineEdit* txtWord;
    QPushButton* cmdAdd;
    QPushButton* cmdDelete;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    TBottomAnchors anchors;
    bool modified = false;
    // Set while the program itself moves the list's selection, which must not change the text.
    bool highlighting = false;
};

// Edits a copy of the vocabulary in a dialog belonging to the window when one is given; on
// OK/Save the vocabulary takes the edited words and the result is true.
bool ExecuteVocabEditor(std::vector<std::string>& vocabulary, QWidget* window = nullptr);
