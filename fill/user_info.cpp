#include "fill/user_info.h"

#include <limits>
#include <type_traits>
#include <utility>

#include "fill/japanese_era.h"
#include "fill/numbers.h"
#include "fill/user_data_file.h"
#include "fill/user_data_keys.h"
#include "text/strings.h"

namespace orvex::fill {
namespace {

// The text of a field as it is compared and stored: Booleans and numbers as text, and with
// `normalise` the kana and narrow forms applied.
text::Text storedText(const PersonFields& fields, const PersonKey& key, bool normalise) {
    return std::visit(
        [&](auto member) -> text::Text {
            const auto& value = fields.*member;
            using Value = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, bool>) {
                return booleanText(value);
            } else if constexpr (std::is_same_v<Value, std::int16_t>) {
                return text::number(value);
            } else {
                if (!normalise) return value;
                switch (key.form) {
                    case StoredForm::Hiragana:
                        return text::toHiragana(value);
                    case StoredForm::HalfWidth:
                        return text::toHalfWidth(value);
                    case StoredForm::AsTyped:
                        break;
                }
                return value;
            }
        },
        key.field);
}

// Reads one key into `fields`; a Boolean or integer text that does not convert keeps the value.
void readPersonKey(const profile::Snapshot& file, text::TextView section, const PersonKey& key,
                   PersonFields& fields) {
    std::visit(
        [&](auto member) {
            auto& value = fields.*member;
            using Value = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, bool>) {
                bool parsed = false;
                if (parseBoolean(ReadKey(file, section, key.key, u"False"), parsed)) value = parsed;
            } else if constexpr (std::is_same_v<Value, std::int16_t>) {
                if (const std::optional<std::int16_t> parsed = toInt16(ReadKey(file, section, key.key, u"0")))
                    value = *parsed;
            } else {
                value = ReadKey(file, section, key.key, u"");
            }
        },
        key.field);
}

// `first` sep `second` sep `third`, or empty when all three are empty.
text::Text joinThree(const text::Text& first, const text::Text& second, const text::Text& third,
                     text::TextView sep) {
    if (first.empty() && second.empty() && third.empty()) return {};
    return first + text::Text(sep) + second + text::Text(sep) + third;
}

// `first` sep `second`, or empty unless both are there.
text::Text joinBoth(const text::Text& first, const text::Text& second, text::TextView sep) {
    if (first.empty() || second.empty()) return {};
    return first + text::Text(sep) + second;
}

}  // namespace

clsUserInfo::clsUserInfo() : m_today(localToday) {}

clsUserInfo::clsUserInfo(const std::filesystem::path& dataDir, TodayFunction today)
    : m_file(dataDir / kUserDataFileName), m_today(today ? std::move(today) : TodayFunction(localToday)) {}

text::Text clsUserInfo::CheckVisible() const {
    if (m_file.empty() || tag.empty()) return u"False";
    try {
        return profile::read(m_file, tag, u"Visible", u"False");
    } catch (...) {
        return u"False";
    }
}

bool clsUserInfo::GetFromProfile() {
    if (m_file.empty() || tag.empty() || probeFile(m_file) == FileState::Unreadable) return false;
    try {
        // Everything is read into copies first, so a read that fails half-way changes nothing.
        const profile::Snapshot file = profile::Snapshot::load(m_file);
        PersonFields lastRead = m_lastRead;
        for (const PersonKey& key : kPersonKeys) readPersonKey(file, tag, key, lastRead);

        // Section names match without regard to case, so "Address3" reads the section ADDRESS3.
        const text::Text addressSection =
            lastRead.AddressID == 0 ? text::Text(u"Address") : u"Address" + text::number(lastRead.AddressID);
        AddressFields address;
        for (const AddressKey& key : kAddressKeys)
            address.*key.field = ReadKey(file, addressSection, key.key, u"");

        m_lastRead = lastRead;
        static_cast<PersonFields&>(*this) = std::move(lastRead);
        if (DisplayName.empty()) DisplayName = Name2;
        static_cast<AddressFields&>(*this) = std::move(address);
        return true;
    } catch (...) {
        return false;
    }
}

bool clsUserInfo::WriteToProfile() const {
    if (m_file.empty() || tag.empty()) return false;
    try {
        SectionWriter writer(m_file, tag);
        // The last-read texts are compared as read, so a hand-edited katakana reading is
        // rewritten in hiragana at the next save.
        for (const PersonKey& key : kPersonKeys)
            writer.WriteKeyIfChanged(key.key, storedText(*this, key, true),
                                     storedText(m_lastRead, key, false));
        return writer.commit();
    } catch (...) {
        return false;
    }
}

text::Text clsUserInfo::FullName() const {
    return Name1 + u"\u3000" + Name2;
}

text::Text clsUserInfo::FullNameKana() const {
    return NameKana1 + u"\u3000" + NameKana2;
}

text::Text clsUserInfo::FullNameRome() const {
    return NameRome1 + u" " + NameRome2;
}

text::Text clsUserInfo::Zip() const {
    return joinBoth(Zip1, Zip2, u"-");
}

text::Text clsUserInfo::Tel() const {
    return joinThree(Tel1, Tel2, Tel3, u"-");
}

text::Text clsUserInfo::Fax() const {
    return joinThree(Fax1, Fax2, Fax3, u"-");
}

text::Text clsUserInfo::Email() const {
    return joinBoth(Email1, Email2, u"@");
}

text::Text clsUserInfo::BirthDate() const {
    return joinThree(BirthYear, BirthMonth, BirthDay, u"/");
}

std::int16_t clsUserInfo::Age() const {
    if (BirthYear.empty() || BirthMonth.empty() || BirthDay.empty()) return 0;
    const std::optional<std::int16_t> year = toInt16(BirthYear);
    const std::optional<std::int16_t> month = toInt16(BirthMonth);
    const std::optional<std::int16_t> day = toInt16(BirthDay);
    if (!year || !month || !day) return 0;
    const CalendarDate today = m_today();
    // The birthday counts once this year's month and day have been reached; a 29 February
    // birthday is therefore reached on 1 March in a common year.
    const bool reached = *month < today.month || (*month == today.month && *day <= today.day);
    const long long age = static_cast<long long>(today.year) - *year - 1 + (reached ? 1 : 0);
    if (age < std::numeric_limits<std::int16_t>::min() || age > std::numeric_limits<std::int16_t>::max())
        return 0;
    return static_cast<std::int16_t>(age);
}

text::Text clsUserInfo::Sex() const {
    return Female ? u"女" : u"男";
}

text::Text clsUserInfo::BirthYearType() const {
    const std::optional<EraYear> era = eraOfBirthDate(BirthYear, BirthMonth, BirthDay);
    return era ? text::Text(era->name) : text::Text();
}

std::optional<std::int16_t> clsUserInfo::BirthYearJapan() const {
    const std::optional<EraYear> era = eraOfBirthDate(BirthYear, BirthMonth, BirthDay);
    if (!era) return std::nullopt;
    return era->year;
}

}  // namespace orvex::fill
