#include "screens/dialogs/PuzzleListModel.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace {

constexpr const char* ColumnTitles[4] = {"Steps", "Start word", "End word", "Solved"};
constexpr const char* MarkTexts[4] = {"", "Shown by the solver", "Solved with help", "Solved"};

// The Solved column's pictures: a green check, the check with a small "h", an eye.
QImage MarkPicture(PuzzleMark mark) {
    if (mark == PuzzleMark::None) {
        return {};
    }
    QImage picture(24, 14, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    if (mark == PuzzleMark::Shown) {
        const QColor slate(0x5c, 0x67, 0x7d);
        QPainterPath eye(QPointF(2, 7));
        eye.quadTo(QPointF(9, -0.5), QPointF(16, 7));
        eye.quadTo(QPointF(9, 14.5), QPointF(2, 7));
        painter.setPen(QPen(slate, 1.4));
        painter.drawPath(eye);
        painter.setPen(Qt::NoPen);
        painter.setBrush(slate);
        painter.drawEllipse(QPointF(9, 7), 2.4, 2.4);
        return picture;
    }
    painter.setPen(QPen(QColor(0x2e, 0xaa, 0x4f), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(2.5, 7.5), QPointF(6, 11), QPointF(13, 2.5)}));
    if (mark == PuzzleMark::Helped) {
        QFont font = painter.font();
        font.setPixelSize(9);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(0xb8, 0x85, 0x00));
        painter.drawText(QRectF(14, 3, 10, 11), Qt::AlignLeft | Qt::AlignBottom, "h");
    }
    return picture;
}

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
    int order = 0;
    if (column == 0) {
        order = SignOf(StepsOf(a.Columns[0]) - StepsOf(b.Columns[0]));
    } else if (column == SolvedColumn) {
        order = SignOf(static_cast<int>(a.Mark) - static_cast<int>(b.Mark));
    } else {
        order = a.Columns[column].compare(b.Columns[column]);
    }
    return descending ? ~order : order;
}

TPuzzleListModel::TPuzzleListModel(std::vector<TPuzzleItem> rows, QObject* parent)
    : QAbstractTableModel(parent), items(std::move(rows)) {
    for (size_t mark = 0; mark < markPictures.size(); ++mark) {
        markPictures[mark] = MarkPicture(static_cast<PuzzleMark>(mark));
    }
}

int TPuzzleListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(items.size());
}

int TPuzzleListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant TPuzzleListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const TPuzzleItem& item = items[index.row()];
    if (index.column() != SolvedColumn) {
        return role == Qt::DisplayRole ? QString::fromStdString(item.Columns[index.column()])
                                       : QVariant();
    }
    const auto mark = static_cast<size_t>(item.Mark);
    if (mark == 0) {
        return {};
    }
    switch (role) {
    case Qt::DecorationRole:
        return markPictures[mark];
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return QString::fromLatin1(MarkTexts[mark]);
    default:
        return {};
    }
}

QVariant TPuzzleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section > SolvedColumn) {
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
