#include "screens/dialogs/VocabEditor.h"

#include "base/Messages.h"
#include "core/VocabularyList.h"
#include "screens/dialogs/WordListModel.h"
#include "screens/dialogs/WordRules.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QValidator>

namespace {

constexpr int ClientWidth = 197;
constexpr int ClientHeight = 176;
constexpr std::size_t MaxWordLength = 7;

// Keeps only the letters a to z, typed or pasted, in lower case.
class TWordValidator : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override {
        QString kept;
        int keptBeforeCursor = 0;
        for (int i = 0; i < input.size(); ++i) {
            const QChar c = input[i].toLower();
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
                kept += c;
                keptBeforeCursor += i < position ? 1 : 0;
            }
        }
        input = kept;
        position = keptBeforeCursor;
        return Acceptable;
    }
};

} // namespace

TDlgVocab::TDlgVocab(std::vector<std::string> words, QWidget* parent)
    : QDialog(parent), anchors(ClientHeight) {
    SetUpDialogWindow(*this, "LD Vocabulary", {ClientWidth, ClientHeight}, ClientHeight);

    model = new TWordListModel(std::move(words), this);
    gbxVocab = new QGroupBox(this);
    lbxVocab = new QListView(gbxVocab);
    lbxVocab->setObjectName(QStringLiteral("lbxVocab"));
    lbxVocab->setModel(model);
    lbxVocab->setUniformItemSizes(true);
    lbxVocab->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lbxVocab->setSelectionMode(QAbstractItemView::SingleSelection);
    txtWord = new QLineEdit(gbxVocab);
    txtWord->setObjectName(QStringLiteral("txtWord"));
    txtWord->setValidator(new TWordValidator(txtWord));
    cmdAdd = MakeDialogButton("Add", gbxVocab);
    cmdDelete = MakeDialogButton("Delete", gbxVocab);
    cmdOK = MakeDialogButton("OK/Save", this);
    cmdCancel = MakeDialogButton("Cancel", this);

    anchors.Grow(*gbxVocab, {6, 2, 185, 137});
    anchors.Grow(*lbxVocab, {12, 16, 161, 57});
    anchors.Follow(*txtWord, {12, 80, 161, 21});
    anchors.Follow(*cmdAdd, {28, 106, 49, 25});
    anchors.Follow(*cmdDelete, {108, 106, 49, 25});
    anchors.Follow(*cmdOK, {6, 146, 75, 25});
    anchors.Follow(*cmdCancel, {116, 146, 75, 25});

    // Choosing a word in the list, by mouse or keys, puts it in the word box.
    connect(lbxVocab, &QListView::clicked, this,
            [this](const QModelIndex& index) { SelectItem(index.row()); });
    connect(lbxVocab->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!highlighting) {
                    SelectItem(current.row());
                }
            });
    connect(txtWord, &QLineEdit::textChanged, this, &TDlgVocab::txtWordChange);
    connect(txtWord, &QLineEdit::returnPressed, this, &TDlgVocab::txtWordEnter);
    connect(cmdAdd, &QPushButton::clicked, this, &TDlgVocab::cmdAddClick);
    connect(cmdDelete, &QPushButton::clicked, this, &TDlgVocab::cmdDeleteClick);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &TDlgVocab::reject);
    InstallHelpKeys(*this, HelpContext::VocabularyEditor);
    UpdateControls();
}

const std::vector<std::string>& TDlgVocab::Words() const {
    return model->Words();
}

void TDlgVocab::reject() {
    if (modified && !Confirm("Ladderly Vocab Editor",
                             "Are you sure you wish to cancel your editing changes?")) {
        return;
    }
    QDialog::reject();
}

void TDlgVocab::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnOwner(*this);
    SelectItem(0);
    txtWord->setFocus();
}

void TDlgVocab::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    anchors.Apply(height());
}

void TDlgVocab::SelectItem(int item) {
    if (item >= model->rowCount() || item < -1) {
        item = -1;
    }
    txtWord->setText(item < 0 ? QString() : QString::fromStdString(model->Words()[item]));
    if (SelectedItem() != item) {
        Highlight(item);
    }
    UpdateControls();
}

void TDlgVocab::UpdateControls() {
    const std::string text = txtWord->text().toStdString();
    cmdAdd->setEnabled(!text.empty() && text.size() <= MaxWordLength && model->Find(text) < 0 &&
                       IsWordAllowed(text));
    const int selected = SelectedItem();
    cmdDelete->setEnabled(selected >= 0 && model->Words()[selected] == text);
    gbxVocab->setTitle(QStringLiteral("Words: ") + QString::number(model->rowCount()));
}

void TDlgVocab::txtWordChange() {
    const std::string text = txtWord->text().toStdString();
    if (!text.empty()) {
        Highlight(FindNearestItem(model->Words(), text));
    }
    UpdateControls();
}

void TDlgVocab::txtWordEnter() {
    if (cmdAdd->isEnabled()) {
        cmdAddClick();
    }
}

void TDlgVocab::cmdAddClick() {
    highlighting = true;
    const int row = model->Insert(txtWord->text().toStdString());
    highlighting = false;
    Highlight(row);
    txtWord->clear();
    txtWord->setFocus();
    modified = true;
    UpdateControls();
}

void TDlgVocab::cmdDeleteClick() {
    int item = SelectedItem();
    if (item < 0) {
        return;
    }
    highlighting = true;
    model->Remove(item);
    highlighting = false;
    modified = true;
    if (item == model->rowCount()) {
        --item;
    }
    SelectItem(item);
}

int TDlgVocab::SelectedItem() const {
    const QModelIndexList selected = lbxVocab->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TDlgVocab::Highlight(int item) {
    highlighting = true;
    if (item < 0) {
        lbxVocab->selectionModel()->clear();
    } else {
        const QModelIndex index = model->index(item, 0);
        lbxVocab->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        lbxVocab->scrollTo(index);
    }
    highlighting = false;
}

bool ExecuteVocabEditor(std::vector<std::string>& vocabulary, QWidget* window) {
    TDlgVocab dialog(vocabulary, window);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    vocabulary = BuildVocabularyList(dialog.Words());
    return true;
}
