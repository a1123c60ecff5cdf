#pragma once
// The program-wide settings and tuning values that every subsystem reads, with their defaults
// and where they come from.

#include <array>
#include <cstdint>
#include <string_view>

#include "text/text.h"

namespace orvex::settings {

enum class SettingType { Boolean, Integer, String };

struct SettingKey {
    std::u16string_view name;
    SettingType type;
    std::u16string_view def;  // the stored form of the default ("True", "600", "http://")
};

// Keys of the per-user settings store with their types and defaults, in the order start-up
// reads them ("Hist" last, after the history store exists).
inline constexpr std::array<SettingKey, 12> kSettingKeys = {{
    {u"ConstEnabled", SettingType::Boolean, u"False"},
    {u"ConstLeft", SettingType::Integer, u"0"},
    {u"ConstTop", SettingType::Integer, u"0"},
    {u"ConstWidth", SettingType::Integer, u"600"},
    {u"ConstHeight", SettingType::Integer, u"400"},
    {u"FirstPageMode", SettingType::Integer, u"2"},
    {u"FirstPageUrl", SettingType::String, u"http://"},
    {u"ControlPanelMode", SettingType::Integer, u"0"},
    {u"ControlPanelUrl", SettingType::String, u"http://"},
    {u"BarMode", SettingType::Integer, u"0"},
    // The rules forms are read and filled by: "orvex" (Orvex's own stages as well) or "documented".
    {u"Rules", SettingType::String, u"orvex"},
    {u"Hist", SettingType::Boolean, u"True"},
}};

/// The row of `name` in kSettingKeys; a name not in the table does not compile when used in a
/// constant expression.
consteval const SettingKey& settingKey(std::u16string_view name) {
    for (const SettingKey& k : kSettingKeys)
        if (k.name == name) return k;
    throw "unknown setting";
}

/// The default of an integer key, for initialisers.
consteval int32_t intDefault(std::u16string_view name) {
    int32_t n = 0;
    for (char16_t c : settingKey(name).def) n = n * 10 + (c - u'0');
    return n;
}
/// The default of a Boolean key, for initialisers.
consteval bool boolDefault(std::u16string_view name) {
    return settingKey(name).def == u"True";
}

// Rounds of event processing after each 10 ms step of the wait.
inline constexpr int32_t kDefaultWaitRounds = 500;
// The parameter menu's second value; nothing else reads it.
inline constexpr int32_t kDefaultSecondParameter = 300;

// Number of field kinds (1 full name ... 18 job); tables indexed by kind have one more row.
inline constexpr int kFieldKinds = 18;

// For which field kinds input names are checked against the name dictionary, indexed by kind
// (row 0 unused): birth date, birth year, birth month, birth day, age, sex, prefecture and job.
inline constexpr std::array<bool, kFieldKinds + 1> kNameCheckByKind = {
    false,                                     // 0: unused
    false, false, true,  true,  true,  true,   // 1 name, 2 reading, 3-6 birth date/year/month/day
    true,  true,  false, true,  false, false,  // 7 age, 8 sex, 9 zip, 10 prefecture, 11 city, 12 building
    false, false, false, false, false, true,   // 13 tel, 14 fax, 15 e-mail, 16 handle, 17 marriage, 18 job
};
static_assert(kNameCheckByKind.size() == kFieldKinds + 1);

/// The program-wide values; default-constructed it holds every default.
struct Globals {
    int32_t waitRounds = kDefaultWaitRounds;
    int32_t secondParameter = kDefaultSecondParameter;
    bool ConstEnabled = boolDefault(u"ConstEnabled");
    int32_t ConstLeft = intDefault(u"ConstLeft");
    int32_t ConstTop = intDefault(u"ConstTop");
    int32_t ConstWidth = intDefault(u"ConstWidth");
    int32_t ConstHeight = intDefault(u"ConstHeight");
    int32_t FirstPageMode = intDefault(u"FirstPageMode");
    text::Text FirstPageUrl = text::Text(settingKey(u"FirstPageUrl").def);
    int32_t ControlPanelMode = intDefault(u"ControlPanelMode");
    text::Text ControlPanelUrl = text::Text(settingKey(u"ControlPanelUrl").def);
    int32_t BarMode = intDefault(u"BarMode");
    bool Hist = boolDefault(u"Hist");
    text::Text Rules = text::Text(settingKey(u"Rules").def);
    // The auto-input switch: automatic filling on or off, shown on the bar as "Auto".
    bool autoInput = true;
    // Name-check table by field kind (row 0 unused); all false until start-up fills it.
    std::array<bool, kFieldKinds + 1> nameCheck{};

    /// True when a control panel frame is used (ControlPanelMode is not 0).
    bool controlPanelOn() const { return ControlPanelMode != 0; }
    /// True when the floating palette replaces the bar (BarMode is not 0).
    bool floatingPalette() const { return BarMode != 0; }
};

/// The one instance of the program.
Globals& globals();

/// Start-up's reading of the settings: wait rounds and second parameter to their defaults,
/// every settings store key of kSettingKeys (a value that is not a number reads as 0), the
/// auto-input switch on, and the name-check table from kNameCheckByKind with kinds 16 and 17
/// left as they were. Never fails: unreadable values take their defaults.
void loadGlobals(Globals& g);

}  // namespace orvex::settings
