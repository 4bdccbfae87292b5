#include "screens/dialogs/PuzzleListModel.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace {

constexpr const char* ColumnTitles[3] = {"Steps", "Start word", "End word"};

// The integer a Steps caption starts with; 0 when there is none.
int64_t StepsOf(const std::string& caption) {
    int64_t value = 0;
    std::from_chars(caption.data(), caption.data() + caption.size(), value);
    return value;
}

int SignOf(int64_t value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

} // namespace

TPuzzleItem SplitPuzzleEntry(const std::string& text, int entry) {
    TPuzzleItem item;
    item.Entry = entry;
    const size_t first = text.find(' ');
    item.Columns[0] = text.substr(0, first);
    if (first != std::string::npos) {
        const size_t second = text.find(' ', first + 1);
        item.Columns[1] =
            text.substr(first + 1, second - (second == std::string::npos ? 0 : first + 1));
        if (second != std::string::npos) {
            item.Columns[2] = text.substr(second + 1);
        }
    }
    return item;
}

int ComparePuzzleItems(const TPuzzleItem& a, const TPuzzleItem& b, int column, bool descending) {
    const int order = column == 0 ? SignOf(StepsOf(a.Columns[0]) - StepsOf(b.Columns[0]))
                                  : a.Columns[column].compare(b.Columns[column]);
    return descending ? ~order : order;
}

TPuzzleListModel::TPuzzleListModel(std::vector<TPuzzleItem> rows, QObject* parent)
    : QAbstractTableModel(parent), items(std::move(rows)) {}

int TPuzzleListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(items.size());
}

int TPuzzleListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant TPuzzleListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    return QString::fromStdString(items[index.row()].Columns[index.column()]);
}

QVariant TPuzzleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section > 2) {
        return {};
    }
    return QString::fromLatin1(ColumnTitles[section]);
}

void TPuzzleListModel::RemoveRow(int row) {
    beginRemoveRows({}, row, row);
    items.erase(items.begin() + row);
    endRemoveRows();
}

void TPuzzleListModel::Sort(int column, bool descending) {
    beginResetModel();
    std::vector<TPuzzleItem> buffer(items.size());
    for (size_t width = 1; width < items.size(); width *= 2) {
        for (size_t left = 0; left < items.size(); left += 2 * width) {
            const size_t middle = std::min(left + width, items.size());
            const size_t right = std::min(left + 2 * width, items.size());
            size_t i = left;
            size_t j = middle;
            size_t out = left;
            while (i < middle && j < right) {
                const bool rightFirst =
                    ComparePuzzleItems(items[j], items[i], column, descending) < 0;
                buffer[out++] = std::move(rightFirst ? items[j++] : items[i++]);
            }
            while (i < middle) {
                buffer[out++] = std::move(items[i++]);
            }
            while (j < right) {
                buffer[out++] = std::move(items[j++]);
            }
        }
        items.swap(buffer);
    }
    endResetModel();
}

int TPuzzleListModel::RowOfEntry(int entry) const {
    for (size_t row = 0; row < items.size(); ++row) {
        if (items[row].Entry == entry) {
            return static_cast<int>(row);
        }
    }
    return -1;
}
