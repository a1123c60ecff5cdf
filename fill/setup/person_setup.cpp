#include "fill/setup/person_setup.h"

#include <algorithm>

#include "fill/setup/setup_lists.h"
#include "fill/setup/setup_texts.h"
#include "text/strings.h"

namespace orvex::fill::setup {
namespace {

// The stored number of a built-in icon; nothing when the text is not a small number.
bool builtInIconNumber(text::TextView stored, int& out) {
    long long n = 0;
    if (!text::parseInt(stored, n) || n < 0 || n > 1000) return false;
    out = static_cast<int>(n);
    return true;
}

text::Text shownOrNone(const text::Text& field, text::TextView none) {
    return field.empty() ? text::Text(none) : field;
}

text::Text storedOrEmpty(const text::Text& shown, text::TextView none) {
    return shown == none ? text::Text() : shown;
}

}  // namespace

PersonControls controlsOf(const clsUserInfo& person) {
    PersonControls c;
    for (std::size_t i = 0; i < kPersonTextBoxCount; ++i) c.text[i] = person.*(kPersonTextBoxes[i].field);
    c.visible = person.Visible;
    c.sex = person.Female ? 1 : 0;
    c.marriage = person.Marriage ? kMarriedEntry : 0;
    c.job1 = person.Job1;
    c.job2 = shownOrNone(person.Job2, kNoJob2Entry);
    c.iconOption = person.IconFileEnabled ? kIconFile : kIconBuiltIn;
    if (!builtInIconNumber(person.BuiltInIcon, c.iconCounter)) c.iconCounter = 0;
    c.address = person.AddressID >= 0 && person.AddressID < kUserDataSlots ? person.AddressID : 0;
    return c;
}

void applyControls(const PersonControls& shown, clsUserInfo& person) {
    for (std::size_t i = 0; i < kPersonTextBoxCount; ++i) person.*(kPersonTextBoxes[i].field) = shown.text[i];
    person.Visible = shown.visible;
    if (shown.sex == 0 || shown.sex == 1) person.Female = shown.sex == 1;
    if (shown.marriage >= 0 && shown.marriage < static_cast<int>(kMarriageEntries.size()))
        person.Marriage = shown.marriage == kMarriedEntry;
    person.Job1 = shown.job1;
    person.Job2 = storedOrEmpty(shown.job2, kNoJob2Entry);
    if (shown.iconOption == kIconBuiltIn || shown.iconOption == kIconFile)
        person.IconFileEnabled = shown.iconOption == kIconFile;
    // An unchanged choice keeps the stored text, so a person nobody touched writes nothing.
    // An empty or unreadable number counts as icon 0, as the bar reads it.
    int stored = 0;
    if (!builtInIconNumber(person.BuiltInIcon, stored)) stored = 0;
    if (stored != shown.iconCounter)
        person.BuiltInIcon = text::number(std::max(0, shown.iconCounter));
    if (shown.address >= 0 && shown.address < kUserDataSlots)
        person.AddressID = static_cast<std::int16_t>(shown.address);
}

AddressControls controlsOf(const clsAddressInfo& address) {
    AddressControls c;
    for (std::size_t i = 0; i < kAddressTextBoxCount; ++i) c.text[i] = address.*(kAddressTextBoxes[i].field);
    c.prefecture = shownOrNone(address.Prefecture, kNoPrefectureEntry);
    return c;
}

void applyControls(const AddressControls& shown, clsAddressInfo& address) {
    for (std::size_t i = 0; i < kAddressTextBoxCount; ++i) address.*(kAddressTextBoxes[i].field) = shown.text[i];
    address.Prefecture = storedOrEmpty(shown.prefecture, kNoPrefectureEntry);
}

int nextIcon(int counter, int count) {
    if (count <= 0) return 0;
    const int next = counter + 1;
    return next >= count || next < 0 ? 0 : next;
}

bool ticksVisible(text::TextView name1) {
    return !name1.empty();
}

PersonSetup::PersonSetup(const std::filesystem::path& dataDir, TodayFunction today) {
    for (int i = 0; i < kUserDataSlots; ++i) {
        m_persons[static_cast<std::size_t>(i)] = clsUserInfo(dataDir, today);
        m_persons[static_cast<std::size_t>(i)].tag = GetPersonTag(i);
        m_addresses[static_cast<std::size_t>(i)] = clsAddressInfo(dataDir);
        m_addresses[static_cast<std::size_t>(i)].tag = GetAddressTag(i);
    }
}

bool PersonSetup::load() {
    bool all = true;
    for (clsUserInfo& p : m_persons) all = p.GetFromProfile() && all;
    for (clsAddressInfo& a : m_addresses) all = a.GetFromProfile() && all;
    return all;
}

int PersonSetup::clampIndex(int index, int fallback) {
    return index >= 0 && index < kUserDataSlots ? index : fallback;
}

const clsUserInfo& PersonSetup::person(int index) const {
    return m_persons[static_cast<std::size_t>(clampIndex(index, m_person))];
}

const clsAddressInfo& PersonSetup::address(int index) const {
    return m_addresses[static_cast<std::size_t>(clampIndex(index, m_address))];
}

text::Text PersonSetup::personLine(int index) const {
    return text::number(clampIndex(index, m_person)) + text::Text(kLineSeparator) + person(index).FullName();
}

text::Text PersonSetup::addressLine(int index) const {
    return text::number(clampIndex(index, m_address)) + text::Text(kLineSeparator) + address(index).Address();
}

void PersonSetup::storePerson(const PersonControls& shown) {
    applyControls(shown, m_persons[static_cast<std::size_t>(m_person)]);
}

void PersonSetup::storeAddress(const AddressControls& shown) {
    applyControls(shown, m_addresses[static_cast<std::size_t>(m_address)]);
}

PersonControls PersonSetup::choosePerson(int index, const PersonControls& shown) {
    storePerson(shown);
    m_person = clampIndex(index, m_person);
    return controlsOf(m_persons[static_cast<std::size_t>(m_person)]);
}

AddressControls PersonSetup::chooseAddress(int index, const AddressControls& shown) {
    storeAddress(shown);
    m_address = clampIndex(index, m_address);
    return controlsOf(m_addresses[static_cast<std::size_t>(m_address)]);
}

bool PersonSetup::anyVisible() const {
    return std::any_of(m_persons.begin(), m_persons.end(), [](const clsUserInfo& p) { return p.Visible; });
}

SaveResult PersonSetup::save() const {
    SaveResult result;
    for (const clsUserInfo& p : m_persons) {
        if (p.WriteToProfile()) continue;
        result.ok = false;
        result.failedSections.push_back(p.tag);
    }
    for (const clsAddressInfo& a : m_addresses) {
        if (a.WriteToProfile()) continue;
        result.ok = false;
        result.failedSections.push_back(a.tag);
    }
    return result;
}

}  // namespace orvex::fill::setup
