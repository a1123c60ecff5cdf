#include "settings/gui/frm_system_setup.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/message_box.h"
#include "gui/qt_text.h"
#include "gui/window_setup.h"
#include "settings/gui/window_place.h"
#include "settings/settings_dialog_texts.h"

namespace orvex::settings::gui {
namespace {

using orvex::gui::toQt;

// The groups in the order they stand, with the value each edits.
constexpr std::array<std::pair<const OptionGroup*, SystemOption>, 3> kGroups = {{
    {&kBarPositionGroup, SystemOption::BarPosition},
    {&kUserButtonTypeGroup, SystemOption::UserButtonType},
    {&kHelloMessageGroup, SystemOption::HelloMessage},
}};

}  // namespace

frmSystemSetup::frmSystemSetup(const BarSettings& saved, QWidget* parent) : QDialog(parent), m_model(saved) {
    setObjectName(QStringLiteral("frmSystemSetup"));
    setWindowTitle(toQt(kSystemSetupCaption));
    auto* layout = new QVBoxLayout(this);
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        const auto& [group, option] = kGroups[g];
        auto* frame = new QGroupBox(toQt(group->title), this);
        auto* row = new QHBoxLayout(frame);
        auto* buttons = new QButtonGroup(frame);
        for (int i = 0; i < group->count; ++i) {
            auto* b = new QRadioButton(toQt(group->options[static_cast<std::size_t>(i)]), frame);
            b->setObjectName(QString::fromLatin1(group->name));
            b->setProperty("Index", i);
            buttons->addButton(b, i);
            row->addWidget(b);
            m_options[g].push_back(b);
        }
        row->addStretch(1);
        const SystemOption which = option;
        connect(buttons, &QButtonGroup::idClicked, this, [this, which](int i) { m_model.choose(which, i); });
        layout->addWidget(frame);
    }
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdCalcel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCalcel->setObjectName(QStringLiteral("cmdCalcel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCalcel);
    layout->addLayout(buttons);
    connect(cmdOK, &QPushButton::clicked, this, &frmSystemSetup::accept);
    connect(cmdCalcel, &QPushButton::clicked, this, &frmSystemSetup::reject);

    showChosen();
    orvex::gui::setUpWindow(this);
    setFixedSize(sizeHint());
    centreOnScreen(this);
}

void frmSystemSetup::showChosen() {
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        const int chosen = m_model.chosen(kGroups[g].second);
        // A stored value no option stands for shows none chosen.
        for (std::size_t i = 0; i < m_options[g].size(); ++i) {
            QRadioButton* b = m_options[g][i];
            b->group()->setExclusive(false);
            b->setChecked(static_cast<int>(i) == chosen);
            b->group()->setExclusive(true);
        }
    }
}

void frmSystemSetup::accept() {
    const SystemSetupOk ok = m_model.ok();
    if (!ok.stored) {
        orvex::gui::showMessage(this, toQt(kSystemSaveFailedMessage));
        return;
    }
    try {
        if (ok.buttonTypeChanged && m_onButtonTypeChanged) m_onButtonTypeChanged(m_model.current());
    } catch (...) {
        // The values are stored; a failing refresh of the bar must not keep the dialog open.
    }
    QDialog::accept();
}

void frmSystemSetup::reject() {
    m_model.cancel();
    showChosen();
    QDialog::reject();
}

void frmSystemSetup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_centred) centreOnScreen(this);
    m_centred = true;
}

}  // namespace orvex::settings::gui
