#include "links/link.h"

#include <limits>
#include <utility>
#include <vector>

#include "profile/profile.h"
#include "settings/paths.h"
#include "settings/settings_store.h"
#include "text/strings.h"

namespace orvex::links {
namespace {

// The user's and built-in links' file, and the distributor's file, in the data directory.
constexpr std::string_view kLinkFile = "link.ini";
constexpr std::string_view kOemFile = "OEM.INI";
// Size of the buffer the section names are read into, in UTF-16 units (two are the end marks).
constexpr size_t kSectionNamesBuffer = 10240;
// The marker of control-panel command addresses, after the header page's folder.
constexpr text::TextView kHeaderCommand = u"qzt00";

int32_t& counter() {
    static int32_t value = 0;
    return value;
}

// Sets `field` from the stored number of `key`; a missing value, or one that is not a number in
// the field's range, leaves it unchanged.
template <typename Int>
void readNumber(const profile::Snapshot& file, text::TextView section, text::TextView key, Int& field) {
    long long n = 0;
    if (!text::parseInt(file.read(section, key, text::number(field)), n)) return;
    if (n < std::numeric_limits<Int>::min() || n > std::numeric_limits<Int>::max()) return;
    field = static_cast<Int>(n);
}

// Sets `field` from the stored Boolean of `key`: "True"/"False" in any case or a number; anything
// else leaves it unchanged.
void readBool(const profile::Snapshot& file, text::TextView section, text::TextView key, bool& field) {
    const text::Text v = text::toLower(text::trim(file.read(section, key, settings::boolText(field))));
    long long n = 0;
    if (v == u"true")
        field = true;
    else if (v == u"false")
        field = false;
    else if (text::parseInt(v, n))
        field = n != 0;
}

}  // namespace

int32_t linkCounter() {
    return counter();
}

void setLinkCounter(int32_t value) {
    counter() = value;
}

clsLink::clsLink() : m_linkFile(settings::dataFile(kLinkFile)), m_oemFile(settings::dataFile(kOemFile)) {}

void clsLink::setHeaderURL(text::TextView url) {
    m_headerURL = text::Text(url);
    int pos = text::findLast(url, u"\\");
    if (pos == 0) pos = text::findLast(url, u"/");
    if (pos == 0) return;
    m_headerRoot = text::left(url, pos);
    m_headerFunc = m_headerRoot + text::Text(kHeaderCommand);
    m_headerFuncLen = text::len(m_headerFunc);
}

void clsLink::GetNewID() {
    if (counter() < std::numeric_limits<int32_t>::max()) ++counter();
    id = text::Text(kUserPrefix) + text::number(counter());
}

void clsLink::GetFromProfile(text::TextView idstr) {
    id = text::Text(idstr);
    const profile::Snapshot links = profile::Snapshot::load(m_linkFile);
    if (Editable) {
        Name = links.read(id, u"Name", u"");
        URL = links.read(id, u"URL", u"");
        readNumber(links, id, u"InputMode", InputMode);
    }
    readNumber(links, id, u"Order", Order);
    IconFileName = links.read(id, u"IconFileName", IconFileName);
    BitmapFileName = links.read(id, u"BitmapFileName", u"");
    // Only the appearance of a distributor link is written back, and to its own file, so only
    // that is read from there; the keys above come from "link.ini" for every kind of link.
    const profile::Snapshot appearance = OEM ? profile::Snapshot::load(m_oemFile) : links;
    readNumber(appearance, id, u"ButtonType", ButtonType);
    readBool(appearance, id, u"Visible", Visible);
}

void clsLink::GetFromOEMProfile(text::TextView idstr) {
    id = text::Text(idstr);
    const profile::Snapshot oem = profile::Snapshot::load(m_oemFile);
    // Missing texts keep the values the caller prepared (the distributor link's home page).
    Name = oem.read(id, u"Name", Name);
    URL = oem.read(id, u"URL", URL);
    readNumber(oem, id, u"InputMode", InputMode);
    readNumber(oem, id, u"Order", Order);
    IconFileName = oem.read(id, u"IconFileName", IconFileName);
    BitmapFileName = oem.read(id, u"BitmapFileName", BitmapFileName);
    readNumber(oem, id, u"ButtonType", ButtonType);
    readBool(oem, id, u"Visible", Visible);
}

bool clsLink::WriteToProfile() {
    if (OEM) return WriteToOEMProfile();
    std::vector<std::pair<text::Text, text::Text>> entries;
    if (Editable) {
        entries.emplace_back(u"Name", Name);
        entries.emplace_back(u"URL", URL);
        entries.emplace_back(u"InputMode", text::number(InputMode));
        entries.emplace_back(u"Order", text::number(Order));
    }
    // The link itself keeps the stored form of its icon: lower case, and no GIF icons.
    IconFileName = text::toLower(IconFileName);
    if (text::endsWith(IconFileName, u".gif")) IconFileName.clear();
    entries.emplace_back(u"IconFileName", IconFileName);
    entries.emplace_back(u"BitmapFileName", BitmapFileName);
    entries.emplace_back(u"ButtonType", text::number(ButtonType));
    entries.emplace_back(u"Visible", settings::boolText(Visible));
    return profile::writeAll(m_linkFile, id, entries);
}

bool clsLink::WriteToOEMProfile() {
    return profile::writeAll(
        m_oemFile, id,
        {{u"ButtonType", text::number(ButtonType)}, {u"Visible", settings::boolText(Visible)}});
}

bool clsLink::DeleteProfile() {
    const bool removed = profile::removeSection(m_linkFile, id);
    if (id == text::Text(kUserPrefix) + text::number(counter())) --counter();
    return removed;
}

text::Text clsLink::GetAllLinks() const {
    text::Text all;
    for (const text::Text& name : profile::sectionNames(m_linkFile)) {
        all += name;
        all.push_back(u'\0');
    }
    if (all.size() > kSectionNamesBuffer - 2) {
        all.resize(kSectionNamesBuffer - 2);
        all.push_back(u'\0');
    }
    return all;
}

void clsLink::CopyTo(clsLink& target) const {
    target.Name = Name;
    target.IconFileName = IconFileName;
    target.BitmapFileName = BitmapFileName;
    target.ButtonType = ButtonType;
    target.URL = URL;
    target.InputMode = InputMode;
    target.Visible = Visible;
    target.Order = Order;
    target.Editable = Editable;
    target.id = id;
    target.FrameURL = FrameURL;
    target.setHeaderURL(m_headerURL);
    target.OEM = OEM;
}

}  // namespace orvex::links
