#pragma once
// Downloads a page's icon over the network for "リンク追加", on the event loop.

#include "bar/page_icon.h"

class QNetworkAccessManager;

namespace orvex::bar::gui {

/// Fetches http(s) addresses with Qt's network access; other addresses fail at once.
class NetworkIconFetcher final : public IconFetcher {
  public:
    NetworkIconFetcher();
    ~NetworkIconFetcher() override;
    /// Calls `done` once: the bytes (at most kMaxIconBytes) or the reason it failed.
    void fetch(const std::string& url, std::function<void(FetchResult)> done) override;

  private:
    QNetworkAccessManager* m_network;
};

}  // namespace orvex::bar::gui
