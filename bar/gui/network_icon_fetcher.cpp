#include "bar/gui/network_icon_fetcher.h"

#include <exception>

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace orvex::bar::gui {
namespace {

// A download that takes longer than this is given up.
constexpr int kDownloadTimeoutMs = 30000;

}  // namespace

NetworkIconFetcher::NetworkIconFetcher() : m_network(new QNetworkAccessManager) {}
NetworkIconFetcher::~NetworkIconFetcher() { delete m_network; }

void NetworkIconFetcher::fetch(const std::string& url, std::function<void(FetchResult)> done) {
    const QUrl address(QString::fromStdString(url));
    if (!address.isValid() || (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https"))) {
        done(FetchResult{false, {}, "unsupported address"});
        return;
    }
    QNetworkRequest request(address);
    request.setTransferTimeout(kDownloadTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_network->get(request);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > static_cast<qint64>(kMaxIconBytes)) reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done = std::move(done)] {
        reply->deleteLater();
        FetchResult result;
        if (reply->error() != QNetworkReply::NoError) {
            result.error = reply->errorString().toStdString();
        } else {
            const QByteArray bytes = reply->readAll();
            result.ok = static_cast<std::size_t>(bytes.size()) <= kMaxIconBytes;
            if (result.ok)
                result.bytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            else
                result.error = "file too large";
        }
        // No exception may reach the event loop.
        try {
            done(std::move(result));
        } catch (const std::exception&) {
        } catch (...) {
        }
    });
}

}  // namespace orvex::bar::gui
