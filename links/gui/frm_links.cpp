#include "links/gui/frm_links.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "gui/message_box.h"
#include "gui/qt_text.h"
#include "gui/window_setup.h"
#include "links/links_dialog_texts.h"
#include "settings/gui/window_place.h"

namespace orvex::links::gui {
namespace {

using orvex::gui::fromQt;
using orvex::gui::toQt;

// Sizes in pixels: the list and the address and file boxes.
constexpr int kListWidth = 200;
constexpr int kListHeight = 260;
constexpr int kFieldWidth = 300;

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* field(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(kFieldWidth);
    return edit;
}

}  // namespace

frmLinks::frmLinks(const LinkCollection& barLinks, const std::optional<clsLink>& NewLink,
                   text::TextView browserCaption, QWidget* parent)
    : QDialog(parent), m_model(barLinks, NewLink, browserCaption) {
    setObjectName(QStringLiteral("frmLinks"));
    setWindowTitle(toQt(kLinksDialogCaption));

    m_lstLinks = new QListWidget(this);
    m_lstLinks->setObjectName(QStringLiteral("lstLinks"));
    m_lstLinks->setFixedSize(kListWidth, kListHeight);
    m_lstLinks->setToolTip(QStringLiteral("リンクの一覧"));
    m_cmdUp = button(this, "cmdUp", QStringLiteral("上へ"));
    m_cmdDown = button(this, "cmdDown", QStringLiteral("下へ"));
    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    moves->addWidget(m_cmdUp);
    moves->addWidget(m_cmdDown);
    moves->addStretch(1);

    m_txtName = field(this, "txtName");
    m_txtURL = field(this, "txtURL");
    m_cmbInputMode = new QComboBox(this);
    m_cmbInputMode->setObjectName(QStringLiteral("cmbInputMode"));
    for (const InputModeEntry& e : kInputModeEntries) m_cmbInputMode->addItem(toQt(e.caption));
    auto* types = new QGridLayout;
    auto* typeGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        m_optButtonType[i] = new QRadioButton(toQt(kButtonTypeOptions[static_cast<std::size_t>(i)].caption), this);
        m_optButtonType[i]->setObjectName(QStringLiteral("optButtonType"));
        m_optButtonType[i]->setProperty("Index", i);
        typeGroup->addButton(m_optButtonType[i], i);
        types->addWidget(m_optButtonType[i], i / 2, i % 2);
    }
    m_txtIconFileName = field(this, "txtIconFileName");
    m_txtBitMapFileName = field(this, "txtBitMapFileName");
    m_chkVisible = new QCheckBox(toQt(kVisibleCaption), this);
    m_chkVisible->setObjectName(QStringLiteral("chkVisible"));

    auto* fields = new QGridLayout;
    int row = 0;
    // Each label names its control for screen readers too.
    auto labelled = [&](const QString& caption, QWidget* control, Qt::Alignment align = {}) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(control);
        fields->addWidget(label, row, 0);
        fields->addWidget(control, row++, 1, align);
    };
    labelled(QStringLiteral("名前"), m_txtName);
    labelled(QStringLiteral("URL"), m_txtURL);
    labelled(QStringLiteral("入力モード"), m_cmbInputMode, Qt::AlignLeft);
    fields->addWidget(new QLabel(QStringLiteral("ボタンの形"), this), row, 0, Qt::AlignTop);
    fields->addLayout(types, row++, 1);
    labelled(QStringLiteral("アイコン"), m_txtIconFileName);
    labelled(QStringLiteral("ビットマップ"), m_txtBitMapFileName);
    fields->addWidget(m_chkVisible, row++, 1);
    fields->setRowStretch(row, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(m_lstLinks);
    top->addLayout(moves);
    top->addLayout(fields);

    QPushButton* cmdAdd = button(this, "cmdAdd", toQt(kAddCaption));
    m_cmdDelete = button(this, "cmdDelete", toQt(kDeleteCaption));
    QPushButton* cmdOK = button(this, "cmdOK", toQt(kOkCaption));
    QPushButton* cmdCancel = button(this, "cmdCancel", toQt(kCancelCaption));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAdd);
    buttons->addWidget(m_cmdDelete);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    connect(m_lstLinks, &QListWidget::currentRowChanged, this, &frmLinks::lineChosen);
    connect(m_txtName, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (m_suppress) return;
        m_model.setName(fromQt(t));
        if (QListWidgetItem* item = m_lstLinks->item(m_model.selected()))
            item->setText(toQt(m_model.lineText(m_model.selected())));
    });
    connect(m_txtURL, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!m_suppress) m_model.setURL(fromQt(t));
    });
    connect(m_txtIconFileName, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!m_suppress) m_model.setIconFileName(fromQt(t));
    });
    connect(m_txtBitMapFileName, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!m_suppress) m_model.setBitmapFileName(fromQt(t));
    });
    connect(m_chkVisible, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_suppress) m_model.setVisible(on);
    });
    connect(m_cmbInputMode, &QComboBox::currentIndexChanged, this, [this](int entry) {
        if (!m_suppress) m_model.setInputModeEntry(entry);
    });
    connect(typeGroup, &QButtonGroup::idClicked, this, [this](int option) {
        if (!m_suppress) m_model.setButtonTypeOption(option);
    });
    // The Delete key on the list deletes as the button does; on a link that cannot go it says so.
    m_lstLinks->installEventFilter(this);
    connect(cmdAdd, &QPushButton::clicked, this, &frmLinks::addLink);
    connect(m_cmdDelete, &QPushButton::clicked, this, &frmLinks::deleteLink);
    connect(m_cmdUp, &QPushButton::clicked, this, [this] { moveSelected(true); });
    connect(m_cmdDown, &QPushButton::clicked, this, [this] { moveSelected(false); });
    connect(cmdOK, &QPushButton::clicked, this, &frmLinks::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLinks::reject);

    fillList();
    orvex::gui::setUpWindow(this);
    setFixedSize(sizeHint());
    settings::gui::centreOnScreen(this);
}

void frmLinks::fillList() {
    m_suppress = true;
    m_lstLinks->clear();
    for (int i = 0; i < m_model.count(); ++i) m_lstLinks->addItem(toQt(m_model.lineText(i)));
    m_lstLinks->setCurrentRow(m_model.selected());
    m_suppress = false;
    showSelected();
}

void frmLinks::lineChosen(int line) {
    if (m_suppress) return;
    m_model.select(line);
    showSelected();
}

void frmLinks::showSelected() {
    const bool wasSuppressed = m_suppress;
    m_suppress = true;
    const clsLink* link = m_model.selectedLink();
    const LinkControlsEnabled on = m_model.enabled();
    m_txtName->setText(link != nullptr ? toQt(m_model.lineText(m_model.selected())) : QString());
    m_txtURL->setText(link != nullptr ? toQt(link->URL) : QString());
    m_cmbInputMode->setCurrentIndex(link != nullptr ? inputModeEntry(link->InputMode) : -1);
    const int option = link != nullptr ? buttonTypeOption(link->ButtonType) : -1;
    for (int i = 0; i < 4; ++i) {
        // A type no option stands for shows none checked.
        m_optButtonType[i]->setAutoExclusive(false);
        m_optButtonType[i]->setChecked(i == option);
        m_optButtonType[i]->setAutoExclusive(true);
        m_optButtonType[i]->setEnabled(link != nullptr);
    }
    m_txtIconFileName->setText(link != nullptr ? toQt(link->IconFileName) : QString());
    m_txtBitMapFileName->setText(link != nullptr ? toQt(link->BitmapFileName) : QString());
    m_chkVisible->setChecked(link != nullptr && link->Visible);
    m_txtName->setEnabled(on.name);
    m_txtURL->setEnabled(on.url);
    m_cmbInputMode->setEnabled(on.inputMode);
    m_cmdDelete->setEnabled(on.remove);
    m_cmdUp->setEnabled(on.up);
    m_cmdDown->setEnabled(on.down);
    m_txtIconFileName->setEnabled(link != nullptr);
    m_txtBitMapFileName->setEnabled(link != nullptr);
    m_chkVisible->setEnabled(link != nullptr);
    m_suppress = wasSuppressed;
}

void frmLinks::addLink() {
    m_model.add();
    fillList();
}

void frmLinks::deleteLink() {
    // The questions stand over the dialog, which stays shown: hiding a modal dialog would end it.
    switch (m_model.deleteStep()) {
        case DeleteStep::Nothing:
            return;
        case DeleteStep::CannotDelete:
            orvex::gui::showMessage(this, toQt(kCannotDeleteMessage));
            return;
        case DeleteStep::Ask:
            if (!orvex::gui::askOkCancel(this, toQt(kDeleteQuestion))) return;
            if (!m_model.deleteSelected()) orvex::gui::showMessage(this, toQt(kDeleteFailedMessage));
            fillList();
            return;
    }
}

void frmLinks::moveSelected(bool up) {
    if (up ? m_model.moveUp() : m_model.moveDown()) fillList();
}

void frmLinks::accept() {
    if (!m_model.writeAll().empty()) {
        orvex::gui::showMessage(this, toQt(kSaveFailedMessage));
        return;
    }
    try {
        if (m_onStored) m_onStored(m_model.links());
    } catch (...) {
        // The links are stored; a failing refresh of the bar must not keep the dialog open.
    }
    QDialog::accept();
}

bool frmLinks::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lstLinks && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteLink();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmLinks::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_centred) settings::gui::centreOnScreen(this);
    m_centred = true;
}

}  // namespace orvex::links::gui
