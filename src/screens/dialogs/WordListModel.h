#pragma once
// The vocabulary editor's list: the words, kept in the vocabulary's case-insensitive order,
// shown by a list view that asks only for the rows on screen, so half a million words stay
// quick. Owns its copy of the words.

#include <QAbstractListModel>

#include <string>
#include <string_view>
#include <vector>

class TWordListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    // sortedWords must already be in the vocabulary's order.
    explicit TWordListModel(std::vector<std::string> sortedWords, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const std::vector<std::string>& Words() const { return words; }
    // The row of the word, compared without case; -1 when it is not listed.
    int Find(std::string_view word) const;
    // Inserts the word at its sorted place; returns its row.
    int Insert(const std::string& word);
    void Remove(int row);

  private:
    std::vector<std::string> words;
};
