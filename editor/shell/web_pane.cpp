#include "editor/shell/web_pane.h"

#include "interchange/gbk_qstring.h"

#include <QDesktopServices>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#ifdef BRENMARK_HAVE_WEBENGINE
#include <QWebEngineView>
#endif

namespace brenmark {
namespace {

constexpr qint64 kPageLimit = 2 * 1024 * 1024;
constexpr int kFetchTimeoutMs = 10000;

}  // namespace

WebPane::WebPane(const std::string& address, QWidget* parent) : QWidget(parent), address_(fromGbk(address).trimmed())
{
    setObjectName(u"webPane"_qs);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (address_.isEmpty()) {
        setVisible(false);
        return;
    }
#ifdef BRENMARK_HAVE_WEBENGINE
    auto* view = new QWebEngineView(this);
    layout->addWidget(view);
    view->setUrl(QUrl(address_));
#else
    link_ = new QLabel(this);
    link_->setObjectName(u"paneLink"_qs);
    link_->setTextFormat(Qt::RichText);
    link_->setOpenExternalLinks(true);  // the desktop's browser
    link_->setText(u"<a href=\"%1\">%1</a>"_qs.arg(address_.toHtmlEscaped()));
    layout->addWidget(link_);
    text_ = new QTextBrowser(this);
    text_->setObjectName(u"paneText"_qs);
    text_->setOpenExternalLinks(true);
    text_->setVisible(false);
    layout->addWidget(text_, 1);
    fetch();
#endif
}

bool WebPane::showsBrowser() const
{
#ifdef BRENMARK_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

void WebPane::fetch()
{
    // Only the service's own pages are fetched: the built-in addresses stay links until the
    // user follows one.
    const QUrl url(address_);
    if (!paneTableFromService() || (url.scheme() != u"http"_qs && url.scheme() != u"https"_qs))
        return;
    network_ = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    request.setTransferTimeout(kFetchTimeoutMs);
    QNetworkReply* reply = network_->get(request);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kPageLimit)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        if (reply->error() != QNetworkReply::NoError)
            return;
        text_->setHtml(QString::fromUtf8(reply->read(kPageLimit)));
        text_->setVisible(true);
        emit pageShown();
    });
}

WebPaneDialog::WebPaneDialog(Pane pane, QWidget* parent) : QDialog(parent), pane_(new WebPane(pane, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pane_);
    resize(640, 420);
}

bool openFeedbackMail()
{
    return QDesktopServices::openUrl(QUrl(QString::fromLatin1(kSupportMail)));
}

}  // namespace brenmark
