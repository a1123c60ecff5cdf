#include "settings/gui/frm_zolvan_setup.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/message_box.h"
#include "gui/qt_text.h"
#include "gui/window_setup.h"
#include "settings/gui/window_place.h"

namespace orvex::settings::gui {
namespace {

using orvex::gui::fromQt;
using orvex::gui::toQt;

// The dialog's width: 4845 twips at 15 twips per pixel.
constexpr int kDialogWidth = 4845 / 15;

}  // namespace

frmZolvanSetup::frmZolvanSetup(Globals& g, BrowserPositionSource source, QWidget* parent)
    : QDialog(parent), m_model(g), m_source(std::move(source)) {
    setObjectName(QStringLiteral("frmZolvanSetup"));
    setWindowTitle(toQt(kZolvanSetupCaption));

    m_cmbSetup = new QComboBox(this);
    m_cmbSetup->setObjectName(QStringLiteral("cmbSetup"));
    m_cmbSetup->setToolTip(QStringLiteral("設定の項目"));
    m_panels = new QStackedWidget(this);
    m_timInterval = new QTimer(this);
    m_timInterval->setObjectName(QStringLiteral("timInterval"));
    m_timInterval->setInterval(kPositionIntervalMs);
    m_timInterval->stop();

    for (int p = 0; p < kZolvanPanelCount; ++p) {
        const ZolvanPanelRow& row = kZolvanPanels[static_cast<std::size_t>(p)];
        const auto panel = static_cast<ZolvanPanel>(p);
        auto* frame = new QGroupBox(toQt(row.group->title));
        frame->setObjectName(QStringLiteral("fraSetup"));
        frame->setProperty("Index", p);
        auto* column = new QVBoxLayout(frame);
        auto* buttons = new QButtonGroup(frame);
        for (int i = 0; i < row.group->count; ++i) {
            auto* b = new QRadioButton(toQt(row.group->options[static_cast<std::size_t>(i)]), frame);
            b->setObjectName(QString::fromLatin1(row.group->name));
            b->setProperty("Index", i);
            buttons->addButton(b, i);
            column->addWidget(b);
            m_options[static_cast<std::size_t>(p)].push_back(b);
            if (panel == ZolvanPanel::ControlPanel && i == kLocalControlPanelOption) {
                auto* folder = new QLabel(toQt(localControlPanelLabel()), frame);
                folder->setObjectName(QStringLiteral("lblControlPanelPath"));
                folder->setWordWrap(true);
                folder->setIndent(20);
                column->addWidget(folder);
            }
        }
        const int chosen = m_model.chosen(panel);
        if (chosen >= 0) m_options[static_cast<std::size_t>(p)][static_cast<std::size_t>(chosen)]->setChecked(true);
        connect(buttons, &QButtonGroup::idClicked, this, [this, panel](int i) { optionClicked(panel, i); });
        if (row.textBox != nullptr) {
            auto* box = new QLineEdit(toQt(m_model.text(panel)), frame);
            box->setObjectName(QString::fromLatin1(row.textBox));
            box->setToolTip(toQt(row.group->options[static_cast<std::size_t>(row.group->count - 1)]));
            column->addWidget(box);
            connect(box, &QLineEdit::textEdited, this, [this, panel](const QString& t) { textTyped(panel, t); });
        }
        if (panel == ZolvanPanel::ControlPanel) {
            auto* notice = new QLabel(toQt(kRestartNotice), frame);
            notice->setObjectName(QStringLiteral("lblRestart"));
            notice->setWordWrap(true);
            column->addWidget(notice);
        }
        if (panel == ZolvanPanel::ConstPos) {
            m_lblConstPos = new QLabel(frame);
            m_lblConstPos->setObjectName(QStringLiteral("lblConstPos"));
            m_cmdNewPos = new QPushButton(toQt(kNewPosCaption), frame);
            m_cmdNewPos->setObjectName(QStringLiteral("cmdNewPos"));
            m_cmdUpdatePos = new QPushButton(toQt(kUpdatePosCaption), frame);
            m_cmdUpdatePos->setObjectName(QStringLiteral("cmdUpdatePos"));
            auto* line = new QHBoxLayout;
            line->addWidget(m_cmdNewPos);
            line->addWidget(m_cmdUpdatePos);
            line->addStretch(1);
            column->addWidget(m_lblConstPos);
            column->addLayout(line);
            connect(m_cmdNewPos, &QPushButton::clicked, this, &frmZolvanSetup::takePosition);
            connect(m_cmdUpdatePos, &QPushButton::clicked, this, &frmZolvanSetup::updatePosition);
        }
        column->addStretch(1);
        m_panels->addWidget(frame);
        m_cmbSetup->addItem(toQt(row.group->title));
    }
    connect(m_timInterval, &QTimer::timeout, this, &frmZolvanSetup::positionTick);

    auto* cmdPrev = new QPushButton(QStringLiteral("< 前へ"), this);
    cmdPrev->setObjectName(QStringLiteral("cmdPrev"));
    auto* cmdNext = new QPushButton(QStringLiteral("次へ >"), this);
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    auto* cmdClose = new QPushButton(QStringLiteral("閉じる"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton* b : {cmdPrev, cmdNext, cmdClose}) b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPrev);
    buttons->addWidget(cmdNext);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_cmbSetup);
    layout->addWidget(m_panels);
    layout->addLayout(buttons);

    connect(m_cmbSetup, &QComboBox::currentIndexChanged, this, &frmZolvanSetup::panelChosen);
    connect(cmdNext, &QPushButton::clicked, this,
            [this] { m_cmbSetup->setCurrentIndex(nextPanel(m_cmbSetup->currentIndex(), m_cmbSetup->count())); });
    connect(cmdPrev, &QPushButton::clicked, this,
            [this] { m_cmbSetup->setCurrentIndex(previousPanel(m_cmbSetup->currentIndex())); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);

    m_cmbSetup->setCurrentIndex(0);
    panelChosen(0);
    showPosition();
    orvex::gui::setUpWindow(this);
    setFixedWidth(kDialogWidth);
    setFixedHeight(sizeHint().height());
    centreOnScreen(this);
}

void frmZolvanSetup::panelChosen(int panel) {
    if (panel >= 0 && panel < m_panels->count()) m_panels->setCurrentIndex(panel);
}

void frmZolvanSetup::optionClicked(ZolvanPanel panel, int index) {
    if (!m_model.choose(panel, index)) orvex::gui::showMessage(this, toQt(kSettingSaveFailedMessage));
    if (panel == ZolvanPanel::ConstPos) showPosition();
}

void frmZolvanSetup::textTyped(ZolvanPanel panel, const QString& text) {
    if (m_model.setText(panel, fromQt(text))) {
        m_textFailureShown = false;
    } else if (!m_textFailureShown) {
        m_textFailureShown = true;
        orvex::gui::showMessage(this, toQt(kSettingSaveFailedMessage));
    }
}

void frmZolvanSetup::showPosition() {
    const bool on = m_model.positionEnabled();
    m_lblConstPos->setText(toQt(m_model.positionLabel()));
    m_lblConstPos->setEnabled(on);
    m_cmdNewPos->setEnabled(on);
    m_cmdUpdatePos->setEnabled(on);
    if (!on) m_timInterval->stop();
}

void frmZolvanSetup::takePosition() {
    if (m_source.openPage) m_source.openPage();
    m_timInterval->start();
}

void frmZolvanSetup::positionTick() {
    if (!m_source.read) return;
    // The answer may come after the dialog is gone.
    QPointer<frmZolvanSetup> self(this);
    m_source.read([self](std::optional<BrowserPosition> p) {
        if (!self || !p) return;
        self->m_model.positionRead(*p);
        self->m_lblConstPos->setText(toQt(self->m_model.positionLabel()));
    });
}

void frmZolvanSetup::updatePosition() {
    m_timInterval->stop();
    if (!m_model.updatePosition()) orvex::gui::showMessage(this, toQt(kSettingSaveFailedMessage));
    showPosition();
}

void frmZolvanSetup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_centred) centreOnScreen(this);
    m_centred = true;
}

}  // namespace orvex::settings::gui
