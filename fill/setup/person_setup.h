#pragma once
// The person setup dialog without a display: its ten persons and ten address records, which of
// them the controls show, what the controls hold for a record and what a record takes back from
// them, the list lines, the icon choice, and the save of all twenty records.

#include <array>
#include <cstddef>
#include <filesystem>
#include <iterator>
#include <vector>

#include "fill/address_info.h"
#include "fill/calendar.h"
#include "fill/user_data_file.h"
#include "fill/user_info.h"
#include "text/text.h"

namespace orvex::fill::setup {

/// A text box of the person frame, the person field it edits, and its tool tip (which is also
/// the name screen readers give it).
struct PersonTextBox {
    const char* name;
    text::Text PersonFields::*field;
    text::TextView tip;
};

// The person frame's text boxes, in tab order.
inline constexpr PersonTextBox kPersonTextBoxes[] = {
    {"txtName1", &PersonFields::Name1, u"名前（姓）"},
    {"txtName2", &PersonFields::Name2, u"名前（名）"},
    {"txtNameKana1", &PersonFields::NameKana1, u"ふりがな（姓）"},
    {"txtNameKana2", &PersonFields::NameKana2, u"ふりがな（名）"},
    {"txtNameRome1", &PersonFields::NameRome1, u"ローマ字（姓）"},
    {"txtNameRome2", &PersonFields::NameRome2, u"ローマ字（名）"},
    {"txtHandleName", &PersonFields::HandleName, u"ハンドル名"},
    {"txtBirthYear", &PersonFields::BirthYear, u"生まれた年（西暦4桁）"},
    {"txtBirthMonth", &PersonFields::BirthMonth, u"生まれた月"},
    {"txtBirthDay", &PersonFields::BirthDay, u"生まれた日"},
    {"txtEmail1", &PersonFields::Email1, u"メールアドレス（@の前）"},
    {"txtEmail2", &PersonFields::Email2, u"メールアドレス（@の後）"},
    {"txtTel1", &PersonFields::Tel1, u"電話番号（市外局番）"},
    {"txtTel2", &PersonFields::Tel2, u"電話番号（市内局番）"},
    {"txtTel3", &PersonFields::Tel3, u"電話番号（加入者番号）"},
    {"txtFax1", &PersonFields::Fax1, u"FAX番号（市外局番）"},
    {"txtFax2", &PersonFields::Fax2, u"FAX番号（市内局番）"},
    {"txtFax3", &PersonFields::Fax3, u"FAX番号（加入者番号）"},
    {"txtIconFileName", &PersonFields::IconFileName, u"アイコンファイルの名前"},
    {"txtDisplayName", &PersonFields::DisplayName, u"バーのボタンに表示する名前"},
};
inline constexpr std::size_t kPersonTextBoxCount = std::size(kPersonTextBoxes);
// The first text box, whose typing ticks the visibility.
inline constexpr std::size_t kName1Box = 0;

/// A text box of the address frame, the address field it edits, and its tool tip.
struct AddressTextBox {
    const char* name;
    text::Text AddressFields::*field;
    text::TextView tip;
};

// The address frame's text boxes, in tab order (the prefecture is a list).
inline constexpr AddressTextBox kAddressTextBoxes[] = {
    {"txtZip1", &AddressFields::Zip1, u"郵便番号（上3桁）"},
    {"txtZip2", &AddressFields::Zip2, u"郵便番号（下4桁）"},
    {"txtAddress1", &AddressFields::Address1, u"市区町村"},
    {"txtAddress2", &AddressFields::Address2, u"番地"},
    {"txtAddress3", &AddressFields::Address3, u"建物名"},
};
inline constexpr std::size_t kAddressTextBoxCount = std::size(kAddressTextBoxes);

// The two options of the icon choice (optIcon).
inline constexpr int kIconBuiltIn = 0;
inline constexpr int kIconFile = 1;

// The tabs (cmdTab), numbered as the dialog numbers them.
inline constexpr int kPersonTab = 1;
inline constexpr int kAddressTab = 2;

/// What the person frame's controls hold for one person.
struct PersonControls {
    std::array<text::Text, kPersonTextBoxCount> text;  ///< by kPersonTextBoxes
    bool visible = false;                              ///< chkVisible
    int sex = 0;                                       ///< cmbSex entry
    int marriage = 0;                                  ///< cmbMarriage entry
    text::Text job1;                                   ///< cmbJob1's text
    text::Text job2;                                   ///< cmbJob2's text
    int iconOption = kIconBuiltIn;                     ///< optIcon
    int iconCounter = 0;                               ///< the built-in icon shown
    int address = 0;                                   ///< cmbAddress entry
    friend bool operator==(const PersonControls&, const PersonControls&) = default;
};

/// What the address frame's controls hold for one address record.
struct AddressControls {
    std::array<text::Text, kAddressTextBoxCount> text;  ///< by kAddressTextBoxes
    text::Text prefecture;                              ///< cmbPref's text
    friend bool operator==(const AddressControls&, const AddressControls&) = default;
};

/// The controls for `person`: its texts, the list entries of its Booleans, its built-in icon
/// number as the counter (0 when BuiltInIcon is not a number), its address record (0 when
/// AddressID is out of range) and the "none" entry for an empty Job2.
PersonControls controlsOf(const clsUserInfo& person);
/// Copies `shown` into `person`: the "none" entry of Job2 becomes empty, BuiltInIcon becomes the
/// counter unless it already names that number, an entry outside a list keeps the field.
void applyControls(const PersonControls& shown, clsUserInfo& person);
/// The controls for `address`, with the "none" entry for an empty prefecture.
AddressControls controlsOf(const clsAddressInfo& address);
/// Copies `shown` into `address`; the "none" entry of the prefecture becomes empty.
void applyControls(const AddressControls& shown, clsAddressInfo& address);

/// The icon counter after "次のアイコン": the next of `count` built-in icons, back to 0 past the
/// last (0 when there are none).
int nextIcon(int counter, int count);

/// True when typing `name1` into the first name ticks the visibility: it is not empty.
bool ticksVisible(text::TextView name1);

/// The outcome of writing all persons and address records.
struct SaveResult {
    bool ok = true;                          ///< every needed write happened
    std::vector<text::Text> failedSections;  ///< sections whose changes were not written
};

class PersonSetup {
  public:
    /// Ten empty persons and ten empty address records of "userdata.ini" in `dataDir`, whose
    /// ages are taken on `today()`; person 0 and address 0 are current.
    explicit PersonSetup(const std::filesystem::path& dataDir, TodayFunction today = localToday);

    /// Reads all twenty records; a record that cannot be read stays empty (and is then written
    /// only where the user types something). False when one could not be read.
    bool load();

    int currentPerson() const { return m_person; }
    int currentAddress() const { return m_address; }
    /// The person or address record at `index` (0 to 9; out of range: the current one).
    const clsUserInfo& person(int index) const;
    const clsAddressInfo& address(int index) const;

    /// The line of person `index` in cmbPerson: the position, " - ", the full name.
    text::Text personLine(int index) const;
    /// The line of address `index` in cmbAddressSel and cmbAddress: the position, " - ", the
    /// address text.
    text::Text addressLine(int index) const;

    /// Copies `shown` into the current person.
    void storePerson(const PersonControls& shown);
    /// Copies `shown` into the current address record.
    void storeAddress(const AddressControls& shown);
    /// Keeps `shown` in the current person, makes person `index` current and returns its
    /// controls; an index out of range keeps the current person.
    PersonControls choosePerson(int index, const PersonControls& shown);
    /// The same for address records.
    AddressControls chooseAddress(int index, const AddressControls& shown);

    /// True when at least one person is to be shown on the bar.
    bool anyVisible() const;

    /// Writes the changed keys of all ten persons and then all ten address records, each record
    /// with one replacement of the file; a record that fails does not stop the others.
    SaveResult save() const;

  private:
    static int clampIndex(int index, int fallback);

    std::array<clsUserInfo, kUserDataSlots> m_persons;
    std::array<clsAddressInfo, kUserDataSlots> m_addresses;
    int m_person = 0;
    int m_address = 0;
};

}  // namespace orvex::fill::setup
