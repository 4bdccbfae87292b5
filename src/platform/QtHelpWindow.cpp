#include "platform/QtHelpWindow.h"

#include "platform/UserInterface.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int SnippetLead = 40;
constexpr int SnippetLength = 120;
constexpr QLatin1String Caption("Ladderly Help");

} // namespace

QtHelpWindow::QtHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QString(Caption));
    resize(600, 500);
    auto* contents = new QPushButton(QStringLiteral("Contents"), this);
    auto* back = new QPushButton(QStringLiteral("Back"), this);
    auto* forward = new QPushButton(QStringLiteral("Forward"), this);
    Query = new QLineEdit(this);
    Query->setPlaceholderText(QStringLiteral("Search the help"));
    Query->setClearButtonEnabled(true);
    View = new QTextBrowser(this);
    View->setOpenLinks(true);

    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addStretch();
    bar->addWidget(Query, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(View);

    connect(contents, &QPushButton::clicked, this, [this] { ShowContext(HelpContext::Contents); });
    connect(back, &QPushButton::clicked, View, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, View, &QTextBrowser::forward);
    connect(View, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(View, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(Query, &QLineEdit::returnPressed, this, [this] { Search(Query->text()); });
    connect(View, &QTextBrowser::sourceChanged, this, &QtHelpWindow::ShowTitle);
    connect(View, &QTextBrowser::historyChanged, this, &QtHelpWindow::ShowTitle);
}

void QtHelpWindow::SetOpener(QWidget* window) {
    if (window != this) {
        Opener = window;
    }
}

void QtHelpWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (Opener) {
        // Once help is hidden; an opener that has closed meanwhile stays closed.
        QTimer::singleShot(0, Opener, [opener = Opener.data()] {
            if (opener->isVisible()) {
                opener->activateWindow();
            }
        });
    }
}

void QtHelpWindow::ShowTitle() {
    QString title = View->documentTitle();
    if (title.isEmpty()) {
        title = QString(Caption);
    } else if (!title.startsWith(Caption)) {
        title += QStringLiteral(" - ") + Caption;
    }
    setWindowTitle(title);
}

QString QtHelpWindow::PagePath(const QString& page) const {
    return QDir(Folder).filePath(page);
}

void QtHelpWindow::ShowContext(HelpContext context) {
    QString page = QStringLiteral("index.html");
    if (context != HelpContext::Contents) {
        const QString numbered =
            QString::number(static_cast<int>(context)) + QStringLiteral(".html");
        if (QFileInfo::exists(PagePath(numbered))) {
            page = numbered;
        }
    }
    View->setSource(QUrl::fromLocalFile(PagePath(page)));
}

void QtHelpWindow::Search(const QString& query) {
    const QStringList words = query.simplified().split(' ', Qt::SkipEmptyParts);
    QString found;
    int count = 0;
    const QStringList pages =
        QDir(Folder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString& page : pages) {
        QFile file(PagePath(page));
        if (words.isEmpty() || !file.open(QIODevice::ReadOnly)) {
            continue;
        }
        QTextDocument document;
        document.setHtml(QString::fromUtf8(file.readAll()));
        const QString text = document.toPlainText().simplified();
        bool all = true;
        for (const QString& word : words) {
            all = all && text.contains(word, Qt::CaseInsensitive);
        }
        if (!all) {
            continue;
        }
        ++count;
        const qsizetype at = text.indexOf(words.first(), 0, Qt::CaseInsensitive);
        const qsizetype from = std::max<qsizetype>(0, at - SnippetLead);
        found += QStringLiteral("<li><a href=\"%1\">%2</a><br>&hellip;%3&hellip;</li>")
                     .arg(QUrl::fromLocalFile(PagePath(page)).toString(),
                          document.metaInformation(QTextDocument::DocumentTitle).toHtmlEscaped(),
                          text.mid(from, SnippetLength).toHtmlEscaped());
    }
    const QString shown = query.simplified().toHtmlEscaped();
    QString html = QStringLiteral("<html><head><title>Search</title></head><body><h1>Search</h1>");
    if (count == 0) {
        html += QStringLiteral("<p>No page mentions \"%1\".</p>").arg(shown);
    } else {
        html += QStringLiteral("<p>Pages that mention \"%1\":</p><ul>%2</ul>").arg(shown, found);
    }
    View->setHtml(html + QStringLiteral("</body></html>"));
    ShowTitle();
}
