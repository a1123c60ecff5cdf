#include "settings/system_setup.h"

#include "settings/settings_dialog_texts.h"

namespace orvex::settings {
namespace {

int32_t& field(BarSettings& s, SystemOption group) {
    switch (group) {
        case SystemOption::BarPosition: return s.BarPosition;
        case SystemOption::UserButtonType: return s.UserButtonType;
        case SystemOption::HelloMessage: break;
    }
    return s.HelloMessage;
}

int optionCount(SystemOption group) {
    switch (group) {
        case SystemOption::BarPosition: return kBarPositionGroup.count;
        case SystemOption::UserButtonType: return kUserButtonTypeGroup.count;
        case SystemOption::HelloMessage: break;
    }
    return kHelloMessageGroup.count;
}

}  // namespace

int SystemSetup::chosen(SystemOption group) const {
    BarSettings copy = m_current;
    return field(copy, group);
}

void SystemSetup::choose(SystemOption group, int index) {
    if (index < 0 || index >= optionCount(group)) return;
    field(m_current, group) = index;
}

SystemSetupOk SystemSetup::ok() {
    SystemSetupOk result;
    result.buttonTypeChanged = m_current.UserButtonType != m_saved.UserButtonType;
    result.stored = writeChangedBarSettings(m_saved, m_current);
    if (result.stored) m_saved = m_current;
    return result;
}

}  // namespace orvex::settings
