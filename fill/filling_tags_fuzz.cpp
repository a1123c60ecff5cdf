// Fuzz target: any entry text is parsed and composed for a full person without a crash.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fill/filling_tags.h"
#include "text/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvex;
    static const fill::clsUserInfo person = [] {
        fill::clsUserInfo p({}, [] { return fill::CalendarDate{2024, 2, 29}; });
        p.Name1 = u"山田";
        p.NameKana1 = u"やまだ";
        p.BirthYear = u"1989";
        p.BirthMonth = u"1";
        p.BirthDay = u"7";
        p.Zip1 = u"1";
        p.Tel2 = u"2";
        return p;
    }();
    const text::Text entry = text::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    if (const auto parsed = fill::parseFillingTagEntry(entry)) {
        const text::Text value = fill::ComposeValue(person, parsed->words);
        (void)value;
    }
    for (const text::Text& word : text::split(entry, u"+")) (void)fill::TagWordValue(person, word);
    return 0;
}
