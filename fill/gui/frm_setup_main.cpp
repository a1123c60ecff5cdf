#include "fill/gui/frm_setup_main.h"

#include <string_view>
#include <system_error>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "fill/setup/setup_lists.h"
#include "fill/setup/setup_texts.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"
#include "gui/window_setup.h"
#include "settings/gui/window_place.h"
#include "settings/paths.h"

namespace orvex::fill::gui {
namespace {

using orvex::gui::fromQt;
using orvex::gui::toQt;

// Widths of the text boxes, in pixels: names, short numbers, mail parts and long lines.
constexpr int kNameWidth = 110;
constexpr int kDigitsWidth = 48;
constexpr int kMailWidth = 130;
constexpr int kLineWidth = 300;
// The icon preview's size.
constexpr int kIconSize = 32;
// Lists show this many characters however long a name or address gets, so that a very long
// entry never widens the dialog.
constexpr int kListCharacters = 28;

// The tool tip of a text box or list by its name; empty when it has none.
QString tipOf(std::string_view name) {
    for (const setup::PersonTextBox& b : setup::kPersonTextBoxes)
        if (name == b.name) return toQt(b.tip);
    for (const setup::AddressTextBox& b : setup::kAddressTextBoxes)
        if (name == b.name) return toQt(b.tip);
    for (const setup::ListTip& l : setup::kListTips)
        if (name == l.name) return toQt(l.tip);
    return {};
}

QComboBox* list(QWidget* parent, const char* name, bool editable) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setToolTip(tipOf(name));
    combo->setEditable(editable);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(kListCharacters);
    return combo;
}

template <std::size_t N>
void addEntries(QComboBox* combo, const std::array<text::TextView, N>& entries) {
    for (text::TextView e : entries) combo->addItem(toQt(e));
}

// A list's entry by index; an index outside the list leaves it as it is.
void selectEntry(QComboBox* combo, int index) {
    if (index >= 0 && index < combo->count()) combo->setCurrentIndex(index);
}

QLabel* caption(QWidget* parent, const QString& text) {
    return new QLabel(text, parent);
}

}  // namespace

frmSetupMain::frmSetupMain(std::filesystem::path dataDir, BuiltInIcons icons, QWidget* parent)
    : QDialog(parent), m_dataDir(std::move(dataDir)), m_icons(std::move(icons)), m_setup(m_dataDir) {
    setObjectName(QStringLiteral("frmSetupMain"));
    setWindowTitle(toQt(setup::kSetupCaption));

    m_cmdTab = new QTabBar(this);
    m_cmdTab->setObjectName(QStringLiteral("cmdTab"));
    m_cmdTab->addTab(toQt(setup::kPersonTabCaption));
    m_cmdTab->addTab(toQt(setup::kAddressTabCaption));
    m_cmdTab->setDrawBase(false);

    m_frames = new QStackedWidget(this);
    m_frames->addWidget(buildPersonFrame());
    m_frames->addWidget(buildAddressFrame());

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_cmdTab);
    layout->addWidget(m_frames);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmSetupMain::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSetupMain::reject);
    connect(m_cmdTab, &QTabBar::currentChanged, this, [this](int i) { tabChosen(i + 1); });
    connect(m_cmbPerson, &QComboBox::currentIndexChanged, this, &frmSetupMain::personChosen);
    connect(m_cmbAddressSel, &QComboBox::currentIndexChanged, this, &frmSetupMain::addressChosen);
    connect(m_boxes["txtName1"], &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!m_filling && setup::ticksVisible(fromQt(t))) m_chkVisible->setChecked(true);
    });
    connect(m_optIcon[setup::kIconBuiltIn], &QRadioButton::toggled, this, [this] {
        if (!m_filling) showIcon();
    });
    connect(m_cmdNextIcon, &QPushButton::clicked, this, [this] {
        m_iconCounter = setup::nextIcon(m_iconCounter, m_icons.count);
        showIcon();
    });
    connect(m_boxes["txtIconFileName"], &QLineEdit::textChanged, this, [this] {
        if (!m_filling) showIcon();
    });

    // Load: the records, the lists, then address 0 and person 0 in the controls.
    m_setup.load();
    fillLists();
    showAddress(setup::controlsOf(m_setup.address(0)));
    showPerson(setup::controlsOf(m_setup.person(0)));
    m_frames->setCurrentIndex(0);
    m_filling = false;
    m_boxes["txtName1"]->setFocus();

    orvex::gui::setUpWindow(this);
    setFixedSize(sizeHint());
    settings::gui::centreOnScreen(this);
}

QLineEdit* frmSetupMain::textBox(const char* name, int width) {
    auto* box = new QLineEdit;
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(tipOf(name));
    box->setFixedWidth(width);
    m_boxes[name] = box;
    return box;
}

QWidget* frmSetupMain::buildPersonFrame() {
    auto* frame = new QWidget;
    frame->setObjectName(QStringLiteral("fraPerson"));
    auto* grid = new QGridLayout(frame);
    int row = 0;

    m_cmbPerson = list(frame, "cmbPerson", false);
    m_chkVisible = new QCheckBox(toQt(setup::kVisibleCaption), frame);
    m_chkVisible->setObjectName(QStringLiteral("chkVisible"));
    grid->addWidget(caption(frame, QStringLiteral("ユーザ")), row, 0);
    grid->addWidget(m_cmbPerson, row, 1, 1, 3);
    grid->addWidget(m_chkVisible, row++, 4);

    // One row of several boxes with captions between them.
    auto boxes = [&](const QString& title, std::initializer_list<std::pair<const char*, int>> parts,
                     std::initializer_list<QString> between = {}) {
        auto* line = new QHBoxLayout;
        auto text = between.begin();
        for (const auto& [name, width] : parts) {
            line->addWidget(textBox(name, width));
            if (text != between.end()) {
                if (!text->isEmpty()) line->addWidget(caption(frame, *text));
                ++text;
            }
        }
        line->addStretch(1);
        grid->addWidget(caption(frame, title), row, 0);
        grid->addLayout(line, row++, 1, 1, 4);
    };
    boxes(QStringLiteral("名前（姓・名）"), {{"txtName1", kNameWidth}, {"txtName2", kNameWidth}});
    boxes(QStringLiteral("ふりがな"), {{"txtNameKana1", kNameWidth}, {"txtNameKana2", kNameWidth}});
    boxes(QStringLiteral("ローマ字"), {{"txtNameRome1", kNameWidth}, {"txtNameRome2", kNameWidth}});
    boxes(QStringLiteral("ハンドル名"), {{"txtHandleName", kNameWidth}});

    m_cmbSex = list(frame, "cmbSex", false);
    m_cmbSex->setMinimumContentsLength(4);
    m_cmbMarriage = list(frame, "cmbMarriage", false);
    m_cmbMarriage->setMinimumContentsLength(4);
    auto* choices = new QHBoxLayout;
    choices->addWidget(m_cmbSex);
    choices->addWidget(caption(frame, QStringLiteral("結婚")));
    choices->addWidget(m_cmbMarriage);
    choices->addStretch(1);
    grid->addWidget(caption(frame, QStringLiteral("性別")), row, 0);
    grid->addLayout(choices, row++, 1, 1, 4);

    boxes(QStringLiteral("生年月日（西暦）"),
          {{"txtBirthYear", kDigitsWidth}, {"txtBirthMonth", kDigitsWidth}, {"txtBirthDay", kDigitsWidth}},
          {QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("日")});
    boxes(QStringLiteral("メールアドレス"), {{"txtEmail1", kMailWidth}, {"txtEmail2", kMailWidth}},
          {QStringLiteral("@")});
    boxes(QStringLiteral("電話番号"), {{"txtTel1", kDigitsWidth}, {"txtTel2", kDigitsWidth}, {"txtTel3", kDigitsWidth}},
          {QStringLiteral("-"), QStringLiteral("-")});
    boxes(QStringLiteral("FAX番号"), {{"txtFax1", kDigitsWidth}, {"txtFax2", kDigitsWidth}, {"txtFax3", kDigitsWidth}},
          {QStringLiteral("-"), QStringLiteral("-")});

    m_cmbJob1 = list(frame, "cmbJob1", true);
    m_cmbJob1->setMinimumContentsLength(8);
    m_cmbJob2 = list(frame, "cmbJob2", true);
    m_cmbJob2->setMinimumContentsLength(8);
    auto* jobs = new QHBoxLayout;
    jobs->addWidget(m_cmbJob1);
    jobs->addWidget(m_cmbJob2);
    jobs->addStretch(1);
    grid->addWidget(caption(frame, QStringLiteral("職業")), row, 0);
    grid->addLayout(jobs, row++, 1, 1, 4);

    m_cmbAddress = list(frame, "cmbAddress", false);
    grid->addWidget(caption(frame, QStringLiteral("住所")), row, 0);
    grid->addWidget(m_cmbAddress, row++, 1, 1, 4);

    boxes(QStringLiteral("ボタンの表示名"), {{"txtDisplayName", kNameWidth}});

    // The icon choice: a built-in picture stepped through with "次のアイコン", or a picture file.
    for (int i = 0; i < 2; ++i) {
        m_optIcon[i] = new QRadioButton(toQt(i == setup::kIconBuiltIn ? setup::kBuiltInIconCaption
                                                                      : setup::kIconFileCaption),
                                        frame);
        m_optIcon[i]->setObjectName(QStringLiteral("optIcon"));
        m_optIcon[i]->setProperty("Index", i);
    }
    m_cmdNextIcon = new QPushButton(toQt(setup::kNextIconCaption), frame);
    m_cmdNextIcon->setObjectName(QStringLiteral("cmdNextIcon"));
    m_imgIcon = new QLabel(frame);
    m_imgIcon->setObjectName(QStringLiteral("imgIcon"));
    m_imgIcon->setFixedSize(kIconSize + 4, kIconSize + 4);
    m_imgIcon->setAlignment(Qt::AlignCenter);
    m_imgIcon->setFrameShape(QFrame::StyledPanel);
    auto* icons = new QGridLayout;
    icons->addWidget(m_imgIcon, 0, 0, 2, 1);
    icons->addWidget(m_optIcon[setup::kIconBuiltIn], 0, 1);
    icons->addWidget(m_cmdNextIcon, 0, 2, Qt::AlignLeft);
    icons->addWidget(m_optIcon[setup::kIconFile], 1, 1);
    icons->addWidget(textBox("txtIconFileName", kLineWidth - 60), 1, 2);
    icons->setColumnStretch(3, 1);
    grid->addWidget(caption(frame, QStringLiteral("アイコン")), row, 0);
    grid->addLayout(icons, row++, 1, 1, 4);
    grid->setRowStretch(row, 1);
    return frame;
}

QWidget* frmSetupMain::buildAddressFrame() {
    auto* frame = new QWidget;
    frame->setObjectName(QStringLiteral("fraAddress"));
    auto* grid = new QGridLayout(frame);
    int row = 0;
    m_cmbAddressSel = list(frame, "cmbAddressSel", false);
    grid->addWidget(caption(frame, QStringLiteral("住所の選択")), row, 0);
    grid->addWidget(m_cmbAddressSel, row++, 1);

    auto* zip = new QHBoxLayout;
    zip->addWidget(textBox("txtZip1", kDigitsWidth));
    zip->addWidget(caption(frame, QStringLiteral("-")));
    zip->addWidget(textBox("txtZip2", kDigitsWidth + 12));
    zip->addStretch(1);
    grid->addWidget(caption(frame, QStringLiteral("郵便番号")), row, 0);
    grid->addLayout(zip, row++, 1);

    m_cmbPref = list(frame, "cmbPref", true);
    m_cmbPref->setMinimumContentsLength(8);
    auto* pref = new QHBoxLayout;
    pref->addWidget(m_cmbPref);
    pref->addStretch(1);
    grid->addWidget(caption(frame, QStringLiteral("都道府県")), row, 0);
    grid->addLayout(pref, row++, 1);

    grid->addWidget(caption(frame, QStringLiteral("市区町村")), row, 0);
    grid->addWidget(textBox("txtAddress1", kLineWidth), row++, 1);
    grid->addWidget(caption(frame, QStringLiteral("番地")), row, 0);
    grid->addWidget(textBox("txtAddress2", kLineWidth), row++, 1);
    grid->addWidget(caption(frame, QStringLiteral("建物名")), row, 0);
    grid->addWidget(textBox("txtAddress3", kLineWidth), row++, 1);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(2, 1);
    return frame;
}

void frmSetupMain::fillLists() {
    for (int i = 0; i < kUserDataSlots; ++i) {
        m_cmbPerson->addItem(toQt(m_setup.personLine(i)));
        m_cmbAddressSel->addItem(toQt(m_setup.addressLine(i)));
        m_cmbAddress->addItem(toQt(m_setup.addressLine(i)));
    }
    addEntries(m_cmbSex, setup::kSexEntries);
    addEntries(m_cmbMarriage, setup::kMarriageEntries);
    addEntries(m_cmbJob1, setup::kJob1Entries);
    addEntries(m_cmbJob2, setup::kJob2Entries);
    addEntries(m_cmbPref, setup::kPrefectureEntries);
}

void frmSetupMain::showPerson(const setup::PersonControls& c) {
    const bool wasFilling = m_filling;
    m_filling = true;
    for (std::size_t i = 0; i < setup::kPersonTextBoxCount; ++i)
        m_boxes[setup::kPersonTextBoxes[i].name]->setText(toQt(c.text[i]));
    m_chkVisible->setChecked(c.visible);
    selectEntry(m_cmbSex, c.sex);
    selectEntry(m_cmbMarriage, c.marriage);
    m_cmbJob1->setCurrentText(toQt(c.job1));
    m_cmbJob2->setCurrentText(toQt(c.job2));
    selectEntry(m_cmbAddress, c.address);
    m_iconCounter = c.iconCounter;
    m_optIcon[c.iconOption == setup::kIconFile ? setup::kIconFile : setup::kIconBuiltIn]->setChecked(true);
    showIcon();
    m_filling = wasFilling;
}

void frmSetupMain::showAddress(const setup::AddressControls& c) {
    const bool wasFilling = m_filling;
    m_filling = true;
    for (std::size_t i = 0; i < setup::kAddressTextBoxCount; ++i)
        m_boxes[setup::kAddressTextBoxes[i].name]->setText(toQt(c.text[i]));
    m_cmbPref->setCurrentText(toQt(c.prefecture));
    m_filling = wasFilling;
}

setup::PersonControls frmSetupMain::shownPerson() const {
    setup::PersonControls c;
    for (std::size_t i = 0; i < setup::kPersonTextBoxCount; ++i)
        c.text[i] = fromQt(m_boxes.at(setup::kPersonTextBoxes[i].name)->text());
    c.visible = m_chkVisible->isChecked();
    c.sex = m_cmbSex->currentIndex();
    c.marriage = m_cmbMarriage->currentIndex();
    c.job1 = fromQt(m_cmbJob1->currentText());
    c.job2 = fromQt(m_cmbJob2->currentText());
    c.iconOption = m_optIcon[setup::kIconFile]->isChecked() ? setup::kIconFile : setup::kIconBuiltIn;
    c.iconCounter = m_iconCounter;
    c.address = m_cmbAddress->currentIndex();
    return c;
}

setup::AddressControls frmSetupMain::shownAddress() const {
    setup::AddressControls c;
    for (std::size_t i = 0; i < setup::kAddressTextBoxCount; ++i)
        c.text[i] = fromQt(m_boxes.at(setup::kAddressTextBoxes[i].name)->text());
    c.prefecture = fromQt(m_cmbPref->currentText());
    return c;
}

void frmSetupMain::rewriteAddressLines() {
    const bool wasFilling = m_filling;
    m_filling = true;
    for (int i = 0; i < kUserDataSlots; ++i) {
        m_cmbAddressSel->setItemText(i, toQt(m_setup.addressLine(i)));
        m_cmbAddress->setItemText(i, toQt(m_setup.addressLine(i)));
    }
    m_filling = wasFilling;
}

void frmSetupMain::personChosen(int index) {
    if (m_filling) return;
    const int left = m_setup.currentPerson();
    const setup::PersonControls next = m_setup.choosePerson(index, shownPerson());
    m_filling = true;
    m_cmbPerson->setItemText(left, toQt(m_setup.personLine(left)));
    m_filling = false;
    showPerson(next);
}

void frmSetupMain::addressChosen(int index) {
    if (m_filling) return;
    const setup::AddressControls next = m_setup.chooseAddress(index, shownAddress());
    rewriteAddressLines();
    showAddress(next);
}

void frmSetupMain::tabChosen(int tab) {
    if (m_tab == setup::kAddressTab && tab != setup::kAddressTab) {
        m_setup.storeAddress(shownAddress());
        rewriteAddressLines();
    }
    if (tab == setup::kAddressTab) {
        m_filling = true;
        m_cmbAddressSel->setCurrentIndex(m_setup.currentAddress());
        m_filling = false;
    }
    m_tab = tab;
    m_frames->setCurrentIndex(tab == setup::kAddressTab ? 1 : 0);
}

void frmSetupMain::showIcon() {
    const bool builtIn = m_optIcon[setup::kIconBuiltIn]->isChecked();
    m_cmdNextIcon->setEnabled(builtIn);
    QPixmap picture;
    if (builtIn) {
        if (m_icons.icon && m_icons.count > 0) picture = m_icons.icon(m_iconCounter).pixmap(kIconSize, kIconSize);
    } else if (const QString name = m_boxes["txtIconFileName"]->text(); !name.isEmpty()) {
        std::filesystem::path file = settings::resolveDataOrResourcePath(fromQt(name));
        if (file.is_relative()) file = m_dataDir / file;
        // A file that is not a picture shows nothing; nothing else depends on it.
        QImageReader reader(QString::fromStdString(file.string()));
        reader.setScaledSize(QSize(kIconSize, kIconSize));
        const QImage image = reader.read();
        if (!image.isNull()) picture = QPixmap::fromImage(image);
    }
    m_imgIcon->setPixmap(picture);
}

void frmSetupMain::accept() {
    m_setup.storePerson(shownPerson());
    m_setup.storeAddress(shownAddress());
    m_cmbPerson->setItemText(m_setup.currentPerson(), toQt(m_setup.personLine(m_setup.currentPerson())));
    rewriteAddressLines();
    if (!m_setup.anyVisible() && orvex::gui::askOkCancel(this, toQt(setup::kNoVisiblePersonQuestion))) return;
    std::error_code ignored;
    std::filesystem::create_directories(m_dataDir, ignored);
    if (!m_setup.save().ok) {
        orvex::gui::showMessage(this, toQt(setup::kSaveFailedMessage));
        return;
    }
    // The records are stored; a failing refresh of the bar must not keep the dialog open.
    try {
        if (m_afterSave) m_afterSave();
    } catch (...) {
    }
    QDialog::accept();
}

void frmSetupMain::reject() {
    if (orvex::gui::askOkCancel(this, toQt(setup::kCancelQuestion))) QDialog::reject();
}

void frmSetupMain::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once the frame is known, the whole window is centred.
    if (!m_centred) settings::gui::centreOnScreen(this);
    m_centred = true;
}

}  // namespace orvex::fill::gui
