#pragma once
// The embedded web panes. With Qt WebEngine in the build a pane is a browser view that
// navigates to its address once, when it is made. Without it, a pane shows the page's text
// (fetched once, for addresses that came from the check-in) under the address as a link that
// opens the desktop's browser. A pane without an address stays hidden.
#include "editor/shell/pane_table.h"

#include <QDialog>
#include <QString>
#include <QWidget>

class QLabel;
class QNetworkAccessManager;
class QTextBrowser;

namespace brenmark {

class WebPane : public QWidget {
    Q_OBJECT
public:
    // address: GBK.
    explicit WebPane(const std::string& address, QWidget* parent = nullptr);
    WebPane(Pane pane, QWidget* parent = nullptr) : WebPane(paneAddress(pane), parent) {}

    const QString& address() const { return address_; }
    bool showsBrowser() const;

signals:
    // The page's text arrived (the fallback pane only).
    void pageShown();

private:
    void fetch();

    QString address_;
    QLabel* link_ = nullptr;
    QTextBrowser* text_ = nullptr;
    QNetworkAccessManager* network_ = nullptr;
};

// The dialog that is only its pane ("TopHtml").
class WebPaneDialog : public QDialog {
public:
    explicit WebPaneDialog(Pane pane, QWidget* parent = nullptr);
    WebPane* pane() const { return pane_; }

private:
    WebPane* pane_;
};

// Opens the user's mail program on the support address ("意见反馈").
bool openFeedbackMail();

}  // namespace brenmark
