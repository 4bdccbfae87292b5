#include "screens/dialogs/VocabEditor.h"
#include "dialogs/DialogDriver.h"
#include "fakes/FakeUserInterface.h"
#include "screens/dialogs/QtGameDialogs.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>

namespace {

QLineEdit& Edit(TDlgVocab& dialog) {
    return *dialog.findChild<QLineEdit*>("txtWord");
}

QListView& List(TDlgVocab& dialog) {
    return *dialog.findChild<QListView*>("lbxVocab");
}

// "caption|text|highlighted row" and the buttons enabled: "+" Add, "-" Delete.
std::string State(TDlgVocab& dialog) {
    const QModelIndexList selected = List(dialog).selectionModel()->selectedIndexes();
    return (dialog.findChild<QGroupBox*>()->title() + "|" + Edit(dialog).text() + "|" +
            QString::number(selected.isEmpty() ? -1 : selected.first().row()) +
            (Button(dialog, "Add").isEnabled() ? "+" : "") +
            (Button(dialog, "Delete").isEnabled() ? "-" : ""))
        .toStdString();
}

} // namespace

// Esc with no changes asks nothing; deleting the only word, then the close box, asks first;
// either way the vocabulary stays. Added and deleted words come back as the new list.
TEST(VocabEditor, EditsComeBackAsTheNewListAndCancellingKeepsTheOld) {
    TestApplication();
    FakeUserInterface ui;
    bool splash = false;
    QtGameDialogs dialogs(splash, "Ladderly", QtGameDialogs::Mode::Interactive);
    // Runs the editor over the words with the step; returns the words it left.
    const auto run = [&](std::vector<std::string> words, std::function<void(TDlgVocab&)> step,
                         bool saved, size_t boxes) {
        ui.boxes.clear();
        const DialogDriver<TDlgVocab> driver(std::move(step));
        EXPECT_EQ(dialogs.ExecuteVocabEditor(words), saved);
        EXPECT_EQ(ui.boxes.size(), boxes);
        return words;
    };
    const auto escape = [](TDlgVocab& d) { QTest::keyClick(&Edit(d), Qt::Key_Escape); };
    const auto deleteAndClose = [&ui](TDlgVocab& d) {
        Button(d, "Delete").click();
        EXPECT_EQ(State(d), "Words: 0||-1");
        ui.Answer(MessageBoxResult::Yes);
        d.close();
    };
    const std::vector<std::string> solo = {"solo"};
    EXPECT_EQ(run(solo, escape, false, 0), solo);
    EXPECT_EQ(run(solo, deleteAndClose, false, 1), solo);

    const auto edits = [&ui](TDlgVocab& dialog) {
        EXPECT_EQ(State(dialog), "Words: 5|apple|0-") << "the first word is selected";
        EXPECT_TRUE(Edit(dialog).hasFocus());

        // Typed text: lower case, letters only; the nearest word is highlighted as it grows.
        const std::pair<const char*, const char*> typing[] = {
            {"CAT 7", "cat|2-"},
            {"ca", "ca|2+"},
            {"b", "b|1+"},
            {"APPLE", "apple|0-"},
            {"abcdefgh", "abcdefgh|0"},
            {"coon", "coon|3"},
            {"zzz", "zzz|4+"},
            {"Ant", "ant|0+"},
        };
        for (const auto& [keys, state] : typing) {
            Edit(dialog).clear();
            QTest::keyClicks(&Edit(dialog), QString::fromUtf8(keys));
            EXPECT_EQ(State(dialog), std::string("Words: 5|") + state) << keys;
        }
        QTest::keyClick(&Edit(dialog), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << "Enter adds, it does not close";
        EXPECT_EQ(State(dialog), "Words: 6||0");

        // Pasted text loses its digits, blanks and accents.
        QGuiApplication::clipboard()->setText(QString::fromUtf8("ZE b\u00e9RA9"));
        QTest::keyClick(&Edit(dialog), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Edit(dialog).text(), "zebra");
        Button(dialog, "Add").click();

        // Deleting the last word selects the new last one.
        QListView& list = List(dialog);
        list.scrollToBottom();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualRect(list.model()->index(6, 0)).center());
        EXPECT_EQ(Edit(dialog).text(), "zoo");
        QTest::keyClick(&list, Qt::Key_Up);
        EXPECT_EQ(Edit(dialog).text(), "zebra") << "keys choose words too";
        QTest::keyClick(&list, Qt::Key_Down);
        Button(dialog, "Delete").click();
        EXPECT_EQ(State(dialog), "Words: 6|zebra|5-");

        ui.Answer(MessageBoxResult::No);
        Button(dialog, "Cancel").click();
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].caption + ": " + ui.boxes[0].text,
                  "Ladderly Vocab Editor: Are you sure you wish to cancel your editing changes?");
        EXPECT_TRUE(dialog.isVisible());
        Button(dialog, "OK/Save").click(); // without asking
    };
    EXPECT_EQ(run({"apple", "bee", "cat", "dog", "zoo"}, edits, true, 1),
              (std::vector<std::string>{"ant", "apple", "bee", "cat", "dog", "zebra"}));
}
