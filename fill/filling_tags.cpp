#include "fill/filling_tags.h"

#include "fill/tag_table.h"
#include "text/strings.h"

namespace orvex::fill {
namespace {

constexpr text::TextView kConventionPrefix = u"KV0";
constexpr text::TextView kSymbolPrefix = u"SYM_";
constexpr text::TextView kYearDigitsPrefix = u"BIRTHYEARCNT";

const TagWordRow* findTagWord(text::TextView word) {
    for (const TagWordRow& row : kTagWords)
        if (row.word == word) return &row;
    return nullptr;
}

// The whole value a table row takes its characters from.
text::Text sourceValue(const clsUserInfo& p, TagSource source) {
    switch (source) {
        case TagSource::Empty:
            return {};
        case TagSource::FullName:
            return p.FullName();
        case TagSource::Name1:
            return p.Name1;
        case TagSource::Name2:
            return p.Name2;
        case TagSource::FullNameKana:
            return p.FullNameKana();
        case TagSource::NameKana1:
            return p.NameKana1;
        case TagSource::NameKana2:
            return p.NameKana2;
        case TagSource::FullNameRome:
            return p.FullNameRome();
        case TagSource::NameRome1:
            return p.NameRome1;
        case TagSource::NameRome2:
            return p.NameRome2;
        case TagSource::HandleName:
            return p.HandleName;
        case TagSource::BirthDate:
            return p.BirthDate();
        case TagSource::BirthYear:
            return p.BirthYear;
        case TagSource::BirthYearType:
            return p.BirthYearType();
        case TagSource::BirthMonth:
            return p.BirthMonth;
        case TagSource::BirthDay:
            return p.BirthDay;
        case TagSource::Age:
            return text::number(p.Age());
        case TagSource::Sex:
            return p.Sex();
        case TagSource::Zip:
            return p.Zip();
        case TagSource::ZipWithMark:
            return u"〒" + p.Zip();
        case TagSource::Zip1:
            return p.Zip1;
        case TagSource::Zip2:
            return p.Zip2;
        case TagSource::ZipWithoutHyphen:
            return p.Zip1 + p.Zip2;
        case TagSource::ZipAddress:
            return u"〒" + p.Prefecture + u" " + p.Zip() + u" " + p.Address1 + u" " + p.Address2 + u" " +
                   p.Address3;
        case TagSource::Prefecture:
            return p.Prefecture;
        case TagSource::Address:
            return p.Prefecture + u" " + p.Address1 + u" " + p.Address2 + u" " + p.Address3;
        case TagSource::Address123:
            return p.Address1 + u" " + p.Address2 + u" " + p.Address3;
        case TagSource::Address1:
            return p.Address1;
        case TagSource::Address2:
            return p.Address2;
        case TagSource::Address3:
            return p.Address3;
        case TagSource::Tel:
            return p.Tel();
        case TagSource::Tel1:
            return p.Tel1;
        case TagSource::Tel2:
            return p.Tel2;
        case TagSource::Tel3:
            return p.Tel3;
        case TagSource::Tel23:
            return p.Tel2 + u"-" + p.Tel3;
        case TagSource::Fax:
            return p.Fax();
        case TagSource::Fax1:
            return p.Fax1;
        case TagSource::Fax2:
            return p.Fax2;
        case TagSource::Fax3:
            return p.Fax3;
        case TagSource::Email:
            return p.Email();
        case TagSource::Email1:
            return p.Email1;
        case TagSource::Email2:
            return p.Email2;
        case TagSource::Job1:
            return p.Job1;
        case TagSource::Marriage:
            return p.Marriage ? u"True" : u"False";
    }
    return {};
}

text::Text pick(const text::Text& value, const TagWordRow& row) {
    switch (row.pick) {
        case TagPick::Whole:
            return value;
        case TagPick::Range:
            return text::mid(value, row.start, row.count);
        case TagPick::TensOrZero:
            return value.size() == 1 ? text::Text(u"0") : text::left(value, 1);
        case TagPick::LastCharacter:
            return text::right(value, 1);
    }
    return {};
}

}  // namespace

std::optional<FillingTagEntry> parseFillingTagEntry(text::TextView entry) {
    const text::Text normalised = text::replaceAll(entry, u"=+", u"=");
    const int equals = text::findLast(normalised, u"=");
    if (equals == 0) return std::nullopt;
    FillingTagEntry parsed;
    parsed.tokenName = text::left(normalised, equals - 1);
    parsed.expression = text::mid(normalised, equals + 1);
    parsed.words = text::split(parsed.expression, u"+");
    return parsed;
}

text::Text TagWordValue(const clsUserInfo& person, text::TextView word) {
    if (text::startsWith(word, kConventionPrefix)) word.remove_prefix(kConventionPrefix.size());
    if (text::startsWith(word, kSymbolPrefix)) return text::Text(word.substr(kSymbolPrefix.size()));
    if (text::startsWith(word, kYearDigitsPrefix)) return {};
    const TagWordRow* row = findTagWord(word);
    if (row == nullptr) return {};
    text::Text value = pick(sourceValue(person, row->source), *row);
    return row->kana == TagKana::Katakana ? text::toKatakana(value) : value;
}

text::Text ComposeValue(const clsUserInfo& person, const std::vector<text::Text>& words) {
    text::Text value;
    for (const text::Text& word : words) value += TagWordValue(person, word);
    return value;
}

}  // namespace orvex::fill
