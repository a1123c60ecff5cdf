#include "settings/zolvan_setup.h"

#include "settings/paths.h"
#include "settings/product_pages.h"
#include "settings/settings_store.h"
#include "text/strings.h"

namespace orvex::settings {
namespace {

const ZolvanPanelRow& row(ZolvanPanel panel) {
    return kZolvanPanels[static_cast<std::size_t>(panel)];
}

int32_t storedInt(text::TextView key, text::TextView def) {
    return parseInt32(getSetting(key, def));
}

}  // namespace

text::Text positionText(const BrowserPosition& p) {
    return u"X=" + text::number(p.left) + u", Y=" + text::number(p.top) + u", 横=" + text::number(p.width) +
           u", 縦=" + text::number(p.height);
}

text::Text localControlPanelLabel() {
    const std::filesystem::path folder = dataDir() / std::string(kLocalControlPanelDir);
    return u"(" + text::fromUtf8(folder.string()) + u")";
}

int nextPanel(int current, int count) {
    return current + 1 < count ? current + 1 : current;
}

int previousPanel(int current) {
    return current > 0 ? current - 1 : current;
}

ZolvanSetup::ZolvanSetup(Globals& g) : m_g(g) {
    m_position = {storedInt(u"ConstLeft", settingKey(u"ConstLeft").def), storedInt(u"ConstTop", settingKey(u"ConstTop").def),
                  storedInt(u"ConstWidth", settingKey(u"ConstWidth").def),
                  storedInt(u"ConstHeight", settingKey(u"ConstHeight").def)};
}

int ZolvanSetup::chosen(ZolvanPanel panel) const {
    int32_t value = 0;
    switch (panel) {
        case ZolvanPanel::ControlPanel: value = m_g.ControlPanelMode; break;
        case ZolvanPanel::Hist: value = m_g.Hist ? 1 : 0; break;
        case ZolvanPanel::Bar: value = m_g.BarMode; break;
        case ZolvanPanel::FirstPage: value = m_g.FirstPageMode; break;
        case ZolvanPanel::ConstPos: value = m_g.ConstEnabled ? 1 : 0; break;
    }
    return value >= 0 && value < row(panel).group->count ? value : -1;
}

bool ZolvanSetup::choose(ZolvanPanel panel, int index) {
    const ZolvanPanelRow& r = row(panel);
    if (index < 0 || index >= r.group->count) return true;
    switch (panel) {
        case ZolvanPanel::ControlPanel: m_g.ControlPanelMode = index; break;
        case ZolvanPanel::Hist: m_g.Hist = index == 1; break;
        case ZolvanPanel::Bar: m_g.BarMode = index; break;
        case ZolvanPanel::FirstPage: m_g.FirstPageMode = index; break;
        case ZolvanPanel::ConstPos: m_g.ConstEnabled = index == kFixedPositionOption; break;
    }
    return saveSetting(r.setting, r.boolean ? boolText(index == 1) : text::number(index));
}

text::Text ZolvanSetup::text(ZolvanPanel panel) const {
    switch (panel) {
        case ZolvanPanel::ControlPanel: return m_g.ControlPanelUrl;
        case ZolvanPanel::FirstPage: return m_g.FirstPageUrl;
        case ZolvanPanel::Hist:
        case ZolvanPanel::Bar:
        case ZolvanPanel::ConstPos: break;
    }
    return {};
}

bool ZolvanSetup::setText(ZolvanPanel panel, text::TextView typed) {
    switch (panel) {
        case ZolvanPanel::ControlPanel: m_g.ControlPanelUrl = text::Text(typed); break;
        case ZolvanPanel::FirstPage: m_g.FirstPageUrl = text::Text(typed); break;
        case ZolvanPanel::Hist:
        case ZolvanPanel::Bar:
        case ZolvanPanel::ConstPos: return true;
    }
    return saveSetting(row(panel).textSetting, typed);
}

bool ZolvanSetup::updatePosition() {
    m_g.ConstLeft = m_position.left;
    m_g.ConstTop = m_position.top;
    m_g.ConstWidth = m_position.width;
    m_g.ConstHeight = m_position.height;
    bool ok = saveSetting(u"ConstLeft", text::number(m_position.left));
    ok = saveSetting(u"ConstTop", text::number(m_position.top)) && ok;
    ok = saveSetting(u"ConstWidth", text::number(m_position.width)) && ok;
    ok = saveSetting(u"ConstHeight", text::number(m_position.height)) && ok;
    return ok;
}

}  // namespace orvex::settings
