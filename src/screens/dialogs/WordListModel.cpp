#include "screens/dialogs/WordListModel.h"

#include "core/WordText.h"

#include <QSize>

#include <algorithm>

namespace {
constexpr int ItemHeight = 13;
}

TWordListModel::TWordListModel(std::vector<std::string> sortedWords, QObject* parent)
    : QAbstractListModel(parent), words(std::move(sortedWords)) {}

int TWordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(words.size());
}

QVariant TWordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(words[index.row()]);
    }
    if (role == Qt::SizeHintRole) {
        return QSize(0, ItemHeight);
    }
    return {};
}

int TWordListModel::Find(std::string_view word) const {
    const auto at = std::lower_bound(words.begin(), words.end(), word, LessNoCase);
    return at != words.end() && EqualNoCase(*at, word) ? static_cast<int>(at - words.begin()) : -1;
}

int TWordListModel::Insert(const std::string& word) {
    const auto at = std::upper_bound(words.begin(), words.end(), word, LessNoCase);
    const int row = static_cast<int>(at - words.begin());
    beginInsertRows({}, row, row);
    words.insert(at, word);
    endInsertRows();
    return row;
}

void TWordListModel::Remove(int row) {
    beginRemoveRows({}, row, row);
    words.erase(words.begin() + row);
    endRemoveRows();
}
