#pragma once
// The help window: the game's HTML help pages in a browser, with buttons for the contents page,
// back and forward, and a search field that lists every page mentioning the words typed.
// Pages are "index.html" (the contents) and "<context>.html" in one folder. The title bar names
// the page shown.
//
// It is a window of its own, belonging to no other: the dialogs, which block only the game's
// window, leave it usable, and it never keeps the program running once the game's window has
// closed. Owns its child widgets (Qt children).

#include "platform/UserInterface.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QLineEdit;
class QTextBrowser;

class QtHelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit QtHelpWindow(QWidget* parent = nullptr);

    void SetFolder(const QString& folder) { Folder = folder; }
    // The window that opened help, activated again when help is closed.
    void SetOpener(QWidget* window);

    // Shows the page of a context; the contents page for Contents or a context without a page.
    void ShowContext(HelpContext context);
    // Lists, as links, the pages whose text holds every word of the query (any case).
    void Search(const QString& query);

    QTextBrowser* Browser() const { return View; }
    QLineEdit* SearchField() const { return Query; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QString PagePath(const QString& page) const;
    void ShowTitle();

    QString Folder;
    QPointer<QWidget> Opener;
    QTextBrowser* View;
    QLineEdit* Query;
};
