#pragma once
// The keys of person and address sections, in the order in which they are read and written.

#include <cstdint>
#include <iterator>
#include <string_view>
#include <variant>

#include "fill/address_info.h"
#include "fill/user_info.h"

namespace orvex::fill {

/// How a text field is normalised before it is compared with the stored value and written.
enum class StoredForm { AsTyped, Hiragana, HalfWidth };

/// One key of a person section and the field it fills.
struct PersonKey {
    std::u16string_view key;
    std::variant<text::Text PersonFields::*, bool PersonFields::*, std::int16_t PersonFields::*> field;
    StoredForm form = StoredForm::AsTyped;
};

// Keys of a person section, in read and write order.
inline constexpr PersonKey kPersonKeys[] = {
    {u"Visible", &PersonFields::Visible},
    {u"Name1", &PersonFields::Name1},
    {u"Name2", &PersonFields::Name2},
    {u"NameKana1", &PersonFields::NameKana1, StoredForm::Hiragana},
    {u"NameKana2", &PersonFields::NameKana2, StoredForm::Hiragana},
    {u"NameRome1", &PersonFields::NameRome1, StoredForm::HalfWidth},
    {u"NameRome2", &PersonFields::NameRome2, StoredForm::HalfWidth},
    {u"HandleName", &PersonFields::HandleName},
    {u"Female", &PersonFields::Female},
    {u"BirthYear", &PersonFields::BirthYear, StoredForm::HalfWidth},
    {u"BirthMonth", &PersonFields::BirthMonth, StoredForm::HalfWidth},
    {u"BirthDay", &PersonFields::BirthDay, StoredForm::HalfWidth},
    {u"Email1", &PersonFields::Email1, StoredForm::HalfWidth},
    {u"Email2", &PersonFields::Email2, StoredForm::HalfWidth},
    {u"Tel1", &PersonFields::Tel1, StoredForm::HalfWidth},
    {u"Tel2", &PersonFields::Tel2, StoredForm::HalfWidth},
    {u"Tel3", &PersonFields::Tel3, StoredForm::HalfWidth},
    {u"Fax1", &PersonFields::Fax1, StoredForm::HalfWidth},
    {u"Fax2", &PersonFields::Fax2, StoredForm::HalfWidth},
    {u"Fax3", &PersonFields::Fax3, StoredForm::HalfWidth},
    {u"Marriage", &PersonFields::Marriage},
    {u"Job1", &PersonFields::Job1},
    {u"Job2", &PersonFields::Job2},
    {u"IconFileName", &PersonFields::IconFileName},
    {u"BuiltInIcon", &PersonFields::BuiltInIcon},
    {u"IconFileEnabled", &PersonFields::IconFileEnabled},
    {u"AddressID", &PersonFields::AddressID},
    {u"DisplayName", &PersonFields::DisplayName},
};
static_assert(std::size(kPersonKeys) == 28, "a new person key needs its read, write and round-trip tests");

/// One key of an address section and the field it fills.
struct AddressKey {
    std::u16string_view key;
    text::Text AddressFields::*field;
};

// Keys of an address section, in read and write order.
inline constexpr AddressKey kAddressKeys[] = {
    {u"Zip1", &AddressFields::Zip1},
    {u"Zip2", &AddressFields::Zip2},
    {u"Prefecture", &AddressFields::Prefecture},
    {u"Address1", &AddressFields::Address1},
    {u"Address2", &AddressFields::Address2},
    {u"Address3", &AddressFields::Address3},
};
static_assert(std::size(kAddressKeys) == 6, "a new address key needs its read, write and round-trip tests");

}  // namespace orvex::fill
