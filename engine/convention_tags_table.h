#pragma once
// Convention names: input names a form author can use so that the engine maps each input
// straight to a filling tag instead of guessing.

#include <array>
#include <string_view>

namespace orvex::engine::tables {

/// What every convention name begins with (exact case).
inline constexpr std::u16string_view kConventionPrefix = u"kv0";
/// What ends the part of a convention name that counts (kv0tel1_home is read as kv0tel1).
inline constexpr char16_t kConventionSuffixMark = u'_';
/// Upper-cased bases that keep the prefix in their tag, so the filling stage can fill a
/// convention birth-year input by the convention's own rules (kv0birthyear12 → KV0BIRTHYEAR12).
inline constexpr std::array kConventionKeptPrefixes = {std::u16string_view(u"KV0BIRTHYEAR")};

/// The convention names the program knows; any other name with the prefix maps by the same
/// rule, so this list documents the convention and drives the tests.
inline constexpr std::array<std::u16string_view, 52> kKnownConventionNames = {
    // Name
    u"kv0name", u"kv0name1", u"kv0name2", u"kv0namehiragana", u"kv0namehiragana1", u"kv0namehiragana2",
    u"kv0namekatakana", u"kv0namekatakana1", u"kv0namekatakana2", u"kv0namerome", u"kv0namerome1",
    u"kv0namerome2", u"kv0handlename",
    // Age, sex, job
    u"kv0age", u"kv0sex", u"kv0job",
    // Birth date
    u"kv0birthyear", u"kv0birthyear1", u"kv0birthyear2", u"kv0birthyear3", u"kv0birthyear4",
    u"kv0birthyear12", u"kv0birthyear34", u"kv0birthmonth", u"kv0birthmonth1", u"kv0birthmonth2",
    u"kv0birthday", u"kv0birthday1", u"kv0birthday2", u"kv0birthdate",
    // Address
    u"kv0zipcode", u"kv0zipcode1", u"kv0zipcode2", u"kv0zipcodend", u"kv0prefecture", u"kv0address",
    u"kv0address1", u"kv0address2", u"kv0address3", u"kv0address123", u"kv0zipaddress",
    // Telephone, fax, e-mail
    u"kv0tel", u"kv0tel1", u"kv0tel2", u"kv0tel3", u"kv0fax", u"kv0fax1", u"kv0fax2", u"kv0fax3", u"kv0email",
    u"kv0email1", u"kv0email2"};

}  // namespace orvex::engine::tables
