#include <iterator>
#include <string_view>

#include "fill/user_info.h"
#include "text/strings.h"

namespace orvex::fill {
namespace {

struct UrlEscape {
    char16_t character;
    std::u16string_view encoded;
};

// Characters of the mail text that would change the structure of the mail link they go into.
constexpr UrlEscape kMailEscapes[] = {
    {u' ', u"%20"}, {u'%', u"%25"}, {u'&', u"%26"}, {u'#', u"%23"}, {u'?', u"%3F"}, {u'+', u"%2B"},
};
static_assert(std::size(kMailEscapes) == 6);

// `s` with every character of the escape table replaced by its percent code, in one pass so
// that the codes themselves are never encoded again.
text::Text percentEncode(text::TextView s) {
    text::Text out;
    out.reserve(s.size());
    for (char16_t c : s) {
        bool escaped = false;
        for (const UrlEscape& escape : kMailEscapes) {
            if (escape.character == c) {
                out += escape.encoded;
                escaped = true;
                break;
            }
        }
        if (!escaped) out.push_back(c);
    }
    return out;
}

}  // namespace

text::Text clsUserInfo::GetMailInfo() const {
    const text::Text s = u" ";
    const text::Text bar = u" | ";
    const text::Text line = Name1 + s + Name2 + u"(" + NameKana1 + s + NameKana2 + u")" + s + bar + Sex() +
                            bar + BirthDate() + u"生" + s + text::number(Age()) + u"歳" + s + Job1 + bar +
                            Email() + bar + u"〒" + Zip() + s + Address1 + s + Address2 + s + Address3 + bar +
                            u"TEL" + s + Tel();
    return percentEncode(line);
}

}  // namespace orvex::fill
