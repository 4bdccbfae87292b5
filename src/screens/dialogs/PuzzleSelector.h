#pragma once
// The puzzle selector: a modal list of the puzzles (steps, start word, end word, the player's
// mark) with a summary of the player's progress below it, from which the player plays, edits,
// creates or deletes puzzles. It works on the room's entry list only:
// deleting an entry negates its value, and the room applies the outcome.
//
// Owns its controls and the list model; the entries belong to the caller.

#include "screens/GameDialogs.h"
#include "screens/dialogs/DialogKit.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;
class QTreeView;
class TPuzzleListModel;

class TDlgSelect : public QDialog {
    Q_OBJECT
  public:
    // Lists the entries and selects the one at the 1-based position when there is one.
    TDlgSelect(std::vector<TSelectorEntry>& selectorEntries, int32_t position,
               QWidget* parent = nullptr);

    // The result last set by a button; Close when the window was closed otherwise.
    SelectorResult Result() const { return result; }
    // The 1-based position of the selected item's entry, or 0.
    int32_t SelectedPosition() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CloseWith(SelectorResult value);
    void cmdDeleteClick();
    void lvPuzzlesDblClick();
    void lvPuzzlesColumnClick(int column);
    int SelectedRow() const;
    void SelectRow(int row);
    void ScrollSelectionToMiddle(bool onlyWhenHidden);
    void UpdateControls();
    QString SummaryText() const;

    std::vector<TSelectorEntry>& entries;
    TPuzzleListModel* model;
    QGroupBox* gbAvailable;
    QTreeView* lvPuzzles;
    QLabel* lblSummary;
    QPushButton* cmdPlay;
    QPushButton* cmdEdit;
    QPushButton* cmdDelete;
    QPushButton* cmdCreate;
    QPushButton* cmdClose;
    TBottomAnchors anchors;
    SelectorResult result = SelectorResult::Close;
    int sortColumn = 0;
    bool descending = false;
};

// Shows the selector modally over the entries, belonging to the window when one is given.
// position: in, the 1-based entry of the current puzzle or 0; out, the entry of the selected
// item or 0.
SelectorResult ExecuteSelector(std::vector<TSelectorEntry>& entries, int32_t& position,
                               QWidget* window = nullptr);
