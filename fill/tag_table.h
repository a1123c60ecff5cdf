#pragma once
// The tag words of filling-tag expressions and the person value each one stands for.

#include <cstddef>
#include <iterator>
#include <string_view>

namespace orvex::fill {

/// The person value a tag word is taken from.
enum class TagSource {
    Empty,
    FullName,
    Name1,
    Name2,
    FullNameKana,
    NameKana1,
    NameKana2,
    FullNameRome,
    NameRome1,
    NameRome2,
    HandleName,
    BirthDate,
    BirthYear,
    BirthYearType,
    BirthMonth,
    BirthDay,
    Age,
    Sex,
    Zip,
    ZipWithMark,
    Zip1,
    Zip2,
    ZipWithoutHyphen,
    ZipAddress,
    Prefecture,
    Address,
    Address123,
    Address1,
    Address2,
    Address3,
    Tel,
    Tel1,
    Tel2,
    Tel3,
    Tel23,
    Fax,
    Fax1,
    Fax2,
    Fax3,
    Email,
    Email1,
    Email2,
    Job1,
    Marriage,
};

/// Which characters of the source value a tag word takes.
enum class TagPick {
    Whole,
    Range,          ///< `count` characters from 1-based `start`; empty beyond the end
    TensOrZero,     ///< "0" when the value has one character, else its first character
    LastCharacter,  ///< the last character (empty for an empty value)
};

/// Whether hiragana of the value are turned into katakana.
enum class TagKana { AsStored, Katakana };

/// One tag word of the table.
struct TagWordRow {
    std::u16string_view word;
    TagSource source;
    TagPick pick = TagPick::Whole;
    int start = 0;
    int count = 0;
    TagKana kana = TagKana::AsStored;
};

// Every tag word that a filling-tag expression can name (besides SYM_ and BIRTHYEARCNT words,
// which are recognised by their beginning), with the person value it stands for.
inline constexpr TagWordRow kTagWords[] = {
    {u"NAME", TagSource::FullName},
    {u"NAME1", TagSource::Name1},
    {u"NAME2", TagSource::Name2},
    {u"NAMEHIRAGANA", TagSource::FullNameKana},
    {u"NAMEHIRAGANA1", TagSource::NameKana1},
    {u"NAMEHIRAGANA2", TagSource::NameKana2},
    {u"NAMEKATAKANA", TagSource::FullNameKana, TagPick::Whole, 0, 0, TagKana::Katakana},
    {u"NAMEKATAKANA1", TagSource::NameKana1, TagPick::Whole, 0, 0, TagKana::Katakana},
    {u"NAMEKATAKANA2", TagSource::NameKana2, TagPick::Whole, 0, 0, TagKana::Katakana},
    {u"NAMEROME", TagSource::FullNameRome},
    {u"NAMEROME1", TagSource::NameRome1},
    {u"NAMEROME2", TagSource::NameRome2},
    {u"HANDLENAME", TagSource::HandleName},
    {u"BIRTHDATE", TagSource::BirthDate},
    {u"BIRTHYEAR", TagSource::BirthYear},
    {u"BIRTHYEAR1", TagSource::BirthYear, TagPick::Range, 1, 1},
    {u"BIRTHYEAR2", TagSource::BirthYear, TagPick::Range, 2, 1},
    {u"BIRTHYEAR3", TagSource::BirthYear, TagPick::Range, 3, 1},
    {u"BIRTHYEAR4", TagSource::BirthYear, TagPick::Range, 4, 1},
    {u"BIRTHYEAR12", TagSource::BirthYear, TagPick::Range, 1, 2},
    {u"BIRTHYEAR23", TagSource::BirthYear, TagPick::Range, 2, 2},
    {u"BIRTHYEAR34", TagSource::BirthYear, TagPick::Range, 3, 2},
    {u"BIRTHYEAR234", TagSource::BirthYear, TagPick::Range, 2, 3},
    {u"BIRTHYEAR21", TagSource::Empty},
    {u"BIRTHYEAR22", TagSource::Empty},
    {u"BIRTHYEARTYPE", TagSource::BirthYearType},
    {u"BIRTHMONTH", TagSource::BirthMonth},
    {u"BIRTHMONTH1", TagSource::BirthMonth, TagPick::TensOrZero},
    {u"BIRTHMONTH2", TagSource::BirthMonth, TagPick::LastCharacter},
    {u"BIRTHDAY", TagSource::BirthDay},
    {u"BIRTHDAY1", TagSource::BirthDay, TagPick::TensOrZero},
    {u"BIRTHDAY2", TagSource::BirthDay, TagPick::LastCharacter},
    {u"AGE", TagSource::Age},
    {u"AGE1", TagSource::Age, TagPick::TensOrZero},
    {u"AGE2", TagSource::Age, TagPick::LastCharacter},
    {u"SEX", TagSource::Sex},
    {u"ZIP", TagSource::Zip},
    {u"ZIPCODE", TagSource::Zip},
    {u"ZIPT", TagSource::ZipWithMark},
    {u"ZIP1", TagSource::Zip1},
    {u"ZIPCODE1", TagSource::Zip1},
    {u"ZIP2", TagSource::Zip2},
    {u"ZIPCODE2", TagSource::Zip2},
    {u"ZIPCODEND", TagSource::ZipWithoutHyphen},
    {u"ZIPOPT", TagSource::Empty},
    {u"ZIPADDRESS", TagSource::ZipAddress},
    {u"PREF", TagSource::Prefecture},
    {u"PREFSEL", TagSource::Prefecture},
    {u"PREFECTURE", TagSource::Prefecture},
    {u"ADDRESS", TagSource::Address},
    {u"ADDRESS123", TagSource::Address123},
    {u"ADDRESS1", TagSource::Address1},
    {u"ADDRESS2", TagSource::Address2},
    {u"ADDRESS3", TagSource::Address3},
    {u"TEL", TagSource::Tel},
    {u"TEL1", TagSource::Tel1},
    {u"TEL2", TagSource::Tel2},
    {u"TEL3", TagSource::Tel3},
    {u"TEL23", TagSource::Tel23},
    {u"FAX", TagSource::Fax},
    {u"FAX1", TagSource::Fax1},
    {u"FAX2", TagSource::Fax2},
    {u"FAX3", TagSource::Fax3},
    {u"EMAIL", TagSource::Email},
    {u"EMAIL1", TagSource::Email1},
    {u"EMAIL2", TagSource::Email2},
    {u"JOB", TagSource::Job1},
    {u"MARRIAGE", TagSource::Marriage},
};
static_assert(std::size(kTagWords) == 68, "a new tag word needs its test in filling_tags_test.cpp");

/// True when no word of the table appears twice.
constexpr bool tagWordsAreUnique() {
    for (std::size_t i = 0; i < std::size(kTagWords); ++i)
        for (std::size_t j = i + 1; j < std::size(kTagWords); ++j)
            if (kTagWords[i].word == kTagWords[j].word) return false;
    return true;
}
static_assert(tagWordsAreUnique(), "a tag word appears twice in the table");

}  // namespace orvex::fill
