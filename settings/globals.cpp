#include "settings/globals.h"

#include "settings/settings_store.h"

namespace orvex::settings {
namespace {

text::Text stored(std::u16string_view name) {
    for (const SettingKey& k : kSettingKeys)
        if (k.name == name) return getSetting(k.name, k.def);
    return {};
}

}  // namespace

Globals& globals() {
    static Globals g;
    return g;
}

void loadGlobals(Globals& g) {
    g.waitRounds = kDefaultWaitRounds;
    g.secondParameter = kDefaultSecondParameter;
    g.ConstEnabled = parseBool(stored(u"ConstEnabled"));
    g.ConstLeft = parseInt32(stored(u"ConstLeft"));
    g.ConstTop = parseInt32(stored(u"ConstTop"));
    g.ConstWidth = parseInt32(stored(u"ConstWidth"));
    g.ConstHeight = parseInt32(stored(u"ConstHeight"));
    g.FirstPageMode = parseInt32(stored(u"FirstPageMode"));
    g.FirstPageUrl = stored(u"FirstPageUrl");
    g.ControlPanelMode = parseInt32(stored(u"ControlPanelMode"));
    g.ControlPanelUrl = stored(u"ControlPanelUrl");
    g.BarMode = parseInt32(stored(u"BarMode"));
    g.Rules = stored(u"Rules");
    g.Hist = parseBool(stored(u"Hist"));
    g.autoInput = true;
    // Kinds 16 and 17 are not part of start-up's table and keep what they held.
    for (int kind = 1; kind <= kFieldKinds; ++kind)
        if (kind != 16 && kind != 17) g.nameCheck[kind] = kNameCheckByKind[kind];
}

}  // namespace orvex::settings
