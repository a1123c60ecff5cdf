#include "browser/link_record.h"

#include "text/strings.h"

namespace orvex::browser {

void LinkRecord::setHeaderURL(text::TextView url) {
    m_headerURL = text::Text(url);
    int last = text::findLast(url, u"\\");
    if (last == 0) last = text::findLast(url, u"/");
    if (last == 0) return;
    m_headerRoot = text::left(url, last);
    m_headerFunc = m_headerRoot + u"qzt00";
    m_headerFuncLen = text::len(m_headerFunc);
}

}  // namespace orvex::browser
