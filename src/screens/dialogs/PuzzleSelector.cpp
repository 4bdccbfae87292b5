#include "screens/dialogs/PuzzleSelector.h"

#include "base/Messages.h"
#include "base/Util.h"
#include "screens/dialogs/PuzzleListModel.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>

#include <cstdlib>

namespace {

// The Solved column widens the list, its group box and the window, and its buttons share the
// width; the summary under the list lowers everything below it.
constexpr int SolvedWidth = 52;
constexpr int ButtonGrowth = SolvedWidth / 3;

// Client area as laid out; the window is as wide as this and at least MinimumHeight tall, both
// without the summary.
constexpr int ClientWidth = 255 + SolvedWidth;
constexpr int ClientHeight = 275;
constexpr int MinimumHeight = 214;
constexpr int SummaryGap = 4;

} // namespace

TDlgSelect::TDlgSelect(std::vector<TSelectorEntry>& selectorEntries, int32_t position,
                       QWidget* parent)
    : QDialog(parent), entries(selectorEntries), anchors(ClientHeight) {
    SetUpDialogWindow(*this, "Puzzle Selector", {ClientWidth, ClientHeight}, MinimumHeight);

    std::vector<TPuzzleItem> items;
    items.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        items.push_back(SplitPuzzleEntry(entries[i].Text, static_cast<int>(i)));
        items.back().Mark = entries[i].Mark;
    }
    model = new TPuzzleListModel(std::move(items), this);

    gbAvailable = new QGroupBox(this);
    lvPuzzles = new QTreeView(gbAvailable);
    lvPuzzles->setObjectName(QStringLiteral("lvPuzzles"));
    lvPuzzles->setModel(model);
    lvPuzzles->setRootIsDecorated(false);
    lvPuzzles->setUniformRowHeights(true);
    lvPuzzles->setItemsExpandable(false);
    lvPuzzles->setAllColumnsShowFocus(true);
    lvPuzzles->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvPuzzles->setSelectionMode(QAbstractItemView::SingleSelection);
    lvPuzzles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The selection stays as visible when the list does not have the focus.
    QPalette palette = lvPuzzles->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    lvPuzzles->setPalette(palette);
    QHeaderView* header = lvPuzzles->header();
    header->setSectionsClickable(true);
    // No column shows the sort arrow until the list is first sorted.
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setSortIndicatorShown(true);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    const int widths[] = {51, 70, 70, SolvedWidth};
    for (int column = 0; column < 4; ++column) {
        header->resizeSection(column, widths[column]);
    }
    lblSummary = new QLabel(gbAvailable);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    lblSummary->setText(SummaryText());
    const int listWidth = 215 + SolvedWidth;
    const int summaryHeight = lblSummary->heightForWidth(listWidth);
    const int extra = summaryHeight + SummaryGap;
    setMinimumHeight(MinimumHeight + extra);
    resize(ClientWidth, ClientHeight + extra);
    anchors = TBottomAnchors(ClientHeight + extra);

    cmdPlay = MakeDialogButton("Play", gbAvailable);
    cmdEdit = MakeDialogButton("Edit", gbAvailable);
    cmdDelete = MakeDialogButton("Delete", gbAvailable);
    cmdCreate = MakeDialogButton("Create New Puzzle", this);
    cmdClose = MakeDialogButton("Close", this);

    anchors.Grow(*gbAvailable, {8, 3, 239 + SolvedWidth, 228 + extra});
    anchors.Grow(*lvPuzzles, {12, 20, listWidth, 156});
    anchors.Follow(*lblSummary, {12, 180, listWidth, summaryHeight});
    const int buttonWidth = 63 + ButtonGrowth;
    anchors.Follow(*cmdPlay, {16, 191 + extra, buttonWidth, 25});
    anchors.Follow(*cmdEdit, {86 + ButtonGrowth, 191 + extra, buttonWidth, 25});
    anchors.Follow(*cmdDelete, {158 + 2 * ButtonGrowth, 191 + extra, buttonWidth, 25});
    anchors.Follow(*cmdCreate, {8, 240 + extra, 113 + SolvedWidth / 2, 28});
    anchors.Follow(*cmdClose, {134 + SolvedWidth / 2, 240 + extra, 113 + SolvedWidth / 2, 28});

    connect(cmdPlay, &QPushButton::clicked, this, [this] { CloseWith(SelectorResult::Play); });
    connect(cmdEdit, &QPushButton::clicked, this, [this] { CloseWith(SelectorResult::Edit); });
    connect(cmdCreate, &QPushButton::clicked, this, [this] { CloseWith(SelectorResult::Create); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { CloseWith(SelectorResult::Close); });
    connect(cmdDelete, &QPushButton::clicked, this, &TDlgSelect::cmdDeleteClick);
    // A double-click anywhere in the list, below the rows too, acts on the selected puzzle.
    lvPuzzles->viewport()->installEventFilter(this);
    connect(header, &QHeaderView::sectionClicked, this, &TDlgSelect::lvPuzzlesColumnClick);
    connect(lvPuzzles->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TDlgSelect::UpdateControls);
    InstallHelpKeys(*this, HelpContext::Selector);

    if (position >= 1 && position <= static_cast<int32_t>(entries.size())) {
        SelectRow(position - 1);
    }
    UpdateControls();
}

int32_t TDlgSelect::SelectedPosition() const {
    const int row = SelectedRow();
    return row < 0 ? 0 : model->Item(row).Entry + 1;
}

void TDlgSelect::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnOwner(*this);
    ScrollSelectionToMiddle(false);
}

void TDlgSelect::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    anchors.Apply(height());
}

void TDlgSelect::CloseWith(SelectorResult value) {
    result = value;
    accept();
}

void TDlgSelect::cmdDeleteClick() {
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    const TPuzzleItem& item = model->Item(row);
    const std::string question =
        FormatText("Are you sure you wish to delete the selected puzzle (%s to %s)?",
                   {item.Columns[1], item.Columns[2]});
    if (!Confirm("Ladderly Selector", question)) {
        return;
    }
    TSelectorEntry& entry = entries[item.Entry];
    entry.Value = -entry.Value;
    model->RemoveRow(row);
    SelectRow(row < model->rowCount() ? row : row - 1);
    UpdateControls();
}

bool TDlgSelect::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched != lvPuzzles->viewport() ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
         type != QEvent::MouseButtonDblClick)) {
        return QDialog::eventFilter(watched, event);
    }
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    if (type == QEvent::MouseButtonDblClick && mouse.button() == Qt::LeftButton) {
        lvPuzzlesDblClick();
        return true;
    }
    // A click below the rows leaves the selection as it is, for a double-click to play.
    return !lvPuzzles->indexAt(mouse.position().toPoint()).isValid();
}

void TDlgSelect::lvPuzzlesDblClick() {
    if (cmdPlay->isEnabled()) {
        CloseWith(SelectorResult::Play);
    }
}

void TDlgSelect::lvPuzzlesColumnClick(int column) {
    if (column == sortColumn) {
        descending = !descending;
    } else {
        sortColumn = column;
        descending = false;
    }
    const int row = SelectedRow();
    const int entry = row < 0 ? -1 : model->Item(row).Entry;
    model->Sort(sortColumn, descending);
    lvPuzzles->header()->setSortIndicator(sortColumn,
                                          descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (entry >= 0) {
        SelectRow(model->RowOfEntry(entry));
    }
    ScrollSelectionToMiddle(true);
}

int TDlgSelect::SelectedRow() const {
    const QModelIndexList rows = lvPuzzles->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TDlgSelect::SelectRow(int row) {
    if (row < 0 || row >= model->rowCount()) {
        lvPuzzles->selectionModel()->clear();
        return;
    }
    const QModelIndex index = model->index(row, 0);
    lvPuzzles->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
}

// Brings the selected row to the middle of the visible rows: after a sort when it is out of
// sight, and on showing whenever the list holds more rows than fit.
void TDlgSelect::ScrollSelectionToMiddle(bool onlyWhenHidden) {
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    const QModelIndex index = model->index(row, 0);
    if (onlyWhenHidden) {
        const QRect visible = lvPuzzles->viewport()->rect();
        const QRect item = lvPuzzles->visualRect(index);
        if (visible.top() <= item.top() && item.bottom() <= visible.bottom()) {
            return;
        }
    } else if (model->rowCount() * lvPuzzles->sizeHintForRow(0) <=
               lvPuzzles->viewport()->height()) {
        return;
    }
    lvPuzzles->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void TDlgSelect::UpdateControls() {
    const bool selected = SelectedRow() >= 0;
    cmdPlay->setEnabled(selected);
    cmdEdit->setEnabled(selected);
    cmdDelete->setEnabled(selected);
    gbAvailable->setTitle(QStringLiteral("Puzzles available: ") +
                          QString::number(model->rowCount()));
    lblSummary->setText(SummaryText());
}

// The player's progress over the puzzles listed; a part such as "4 rows 61/90" never breaks.
QString TDlgSelect::SummaryText() const {
    std::vector<std::pair<int, PuzzleMark>> puzzles;
    for (int row = 0; row < model->rowCount(); ++row) {
        const TPuzzleItem& item = model->Item(row);
        puzzles.emplace_back(std::atoi(item.Columns[0].c_str()), item.Mark);
    }
    const QString dot = QStringLiteral(" \u00b7 ");
    QStringList parts = QString::fromStdString(ProgressSummary(puzzles)).split(dot);
    for (QString& part : parts) {
        part.replace(QLatin1Char(' '), QChar(0x00a0));
    }
    return parts.join(dot);
}

SelectorResult ExecuteSelector(std::vector<TSelectorEntry>& entries, int32_t& position,
                               QWidget* window) {
    TDlgSelect dialog(entries, position, window);
    dialog.exec();
    GetUserInterface().ProcessPendingMessages();
    position = dialog.SelectedPosition();
    return dialog.Result();
}
