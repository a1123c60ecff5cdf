#include "settings/same_url.h"

#include "text/strings.h"

namespace orvex::settings {

bool SameURL(text::TextView url1, text::TextView url2) {
    if (text::toLower(url1) == text::toLower(url2)) return true;
    if (!text::startsWith(url1, u"file:")) return false;
    text::Text local = text::replaceAll(url2, u" ", u"%20");
    if (!text::startsWith(local, u"file:")) local = u"file://" + local;
    return local == url1;
}

}  // namespace orvex::settings
