#pragma once
// A person of the user data file: the stored personal data and the values derived from it.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "fill/address_info.h"
#include "fill/calendar.h"
#include "text/text.h"

namespace orvex::fill {

/// The stored keys of a person section, each in the field of the same name.
struct PersonFields {
    bool Visible = false;  ///< the person is in use and gets a button
    text::Text Name1;      ///< first part of the name
    text::Text Name2;      ///< second part of the name
    text::Text NameKana1;  ///< reading of Name1, stored in hiragana
    text::Text NameKana2;  ///< reading of Name2, stored in hiragana
    text::Text NameRome1;  ///< Name1 in Latin letters, stored half-width
    text::Text NameRome2;  ///< Name2 in Latin letters, stored half-width
    text::Text HandleName;
    bool Female = false;
    text::Text BirthYear;   ///< four-digit Western year
    text::Text BirthMonth;  ///< 1 to 12, leading zero optional
    text::Text BirthDay;
    text::Text Email1;  ///< part before "@"
    text::Text Email2;  ///< part after "@"
    text::Text Tel1;
    text::Text Tel2;
    text::Text Tel3;
    text::Text Fax1;
    text::Text Fax2;
    text::Text Fax3;
    bool Marriage = false;
    text::Text Job1;
    text::Text Job2;  ///< second wording of the occupation
    text::Text IconFileName;
    text::Text BuiltInIcon;
    bool IconFileEnabled = false;
    std::int16_t AddressID = 0;  ///< address record of the person, 0 to 9
    text::Text DisplayName;      ///< caption of the person's button
};

/// A person: its stored fields, the fields of its address record, and derived values.
class clsUserInfo : public PersonFields, public AddressFields {
  public:
    /// An empty person without a file: reading and writing fail and change nothing; the age is
    /// taken on the local date.
    clsUserInfo();
    /// An empty person of the user data file in `dataDir`, whose age is taken on `today()`.
    explicit clsUserInfo(const std::filesystem::path& dataDir, TodayFunction today = localToday);

    /// Section name of the person ("USER0".."USER9"); set before reading or writing.
    text::Text tag;

    /// The stored text of key Visible of section `tag`; "False" when it is missing, empty or
    /// cannot be read. Reads nothing else.
    text::Text CheckVisible() const;
    /// Reads section `tag` and then the address section of the person's AddressID. Missing keys
    /// take their defaults; a Boolean or integer text that is not one keeps the field's previous
    /// value. Returns false and changes nothing when there is no file path or `tag` is empty, or
    /// when the file exists but cannot be read; a missing file reads as all defaults (true).
    bool GetFromProfile();
    /// Writes each person key whose normalised text differs from the text last read (kana to
    /// hiragana, romaji, birth date, e-mail, telephone and fax to half-width); address fields are
    /// not written. The fields keep what was typed. True when every needed write succeeded; false
    /// when one failed (the others are still attempted), or there is no file path or `tag`.
    bool WriteToProfile() const;

    /// Name1, U+3000, Name2.
    text::Text FullName() const;
    /// NameKana1, U+3000, NameKana2.
    text::Text FullNameKana() const;
    /// NameRome1, ASCII space, NameRome2.
    text::Text FullNameRome() const;
    /// Zip1 "-" Zip2; empty unless both parts are there.
    text::Text Zip() const;
    /// Tel1 "-" Tel2 "-" Tel3; empty when all three parts are empty.
    text::Text Tel() const;
    /// Fax1 "-" Fax2 "-" Fax3; empty when all three parts are empty.
    text::Text Fax() const;
    /// Email1 "@" Email2; empty unless both parts are there.
    text::Text Email() const;
    /// BirthYear "/" BirthMonth "/" BirthDay; empty when all three are empty.
    text::Text BirthDate() const;
    /// Completed years on today's date; 0 when a birth field is empty or not a number, or the
    /// result does not fit in 16 bits.
    std::int16_t Age() const;
    /// "女" when Female is set, else "男".
    text::Text Sex() const;
    /// The era name of the birth date ("大正", "昭和", "平成", "令和"); empty when the birth year,
    /// or the month or day that a year of an era change needs, is not a number.
    text::Text BirthYearType() const;
    /// The year of the birth date within its era; nullopt in the cases where BirthYearType is
    /// empty.
    std::optional<std::int16_t> BirthYearJapan() const;

    /// The person's data as one line for the body of a mail link: spaces and the characters
    /// & # % ? + percent-encoded. The prefecture is not part of it.
    text::Text GetMailInfo() const;

  private:
    std::filesystem::path m_file;
    TodayFunction m_today;
    PersonFields m_lastRead;
};

}  // namespace orvex::fill
