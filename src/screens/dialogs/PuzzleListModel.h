#pragma once
// The selector's list: one row per puzzle entry with the Steps, Start word, End word and Solved
// columns, sortable by the selector's own comparison. Owns the rows and the Solved column's
// pictures; the entries stay with the caller.

#include "core/ProgressJournal.h"

#include <QAbstractTableModel>
#include <QImage>

#include <array>

#include <string>
#include <vector>

struct TPuzzleItem {
    std::string Columns[3]; // Steps, Start word, End word
    int Entry = 0;          // position of the entry the row shows (0-based)
    PuzzleMark Mark = PuzzleMark::None;
};

// The Solved column, after the three of the entry's text.
inline constexpr int SolvedColumn = 3;

// Splits an entry's text at its first two blanks into the three columns.
TPuzzleItem SplitPuzzleEntry(const std::string& text, int entry);

// The order of two rows for a sort column (0 Steps, 1 Start word, 2 End word, 3 Solved): Steps
// compares as integers, the words by exact character codes, Solved by the rank of the marks
// (none, shown, solved with help, solved). When descending, the result is bitwise
// complemented, so the order reverses and equal rows compare as smaller.
int ComparePuzzleItems(const TPuzzleItem& a, const TPuzzleItem& b, int column, bool descending);

class TPuzzleListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TPuzzleListModel(std::vector<TPuzzleItem> rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const TPuzzleItem& Item(int row) const { return items[row]; }
    void RemoveRow(int row);
    // Sorts by merging, taking the right-hand row first only when the comparison puts it
    // before the left-hand one; this stays well-defined with the complemented comparison.
    void Sort(int column, bool descending);
    // The row that shows the entry, or -1.
    int RowOfEntry(int entry) const;

  private:
    std::vector<TPuzzleItem> items;
    std::array<QImage, 4> markPictures; // by mark; none for PuzzleMark::None
};
