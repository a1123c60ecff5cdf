#pragma once
// One link button: its address, how the page it opens is filled, its look, and its record in
// "link.ini" (the user's and the built-in links) or "OEM.INI" (the distributor's link).

#include <cstdint>
#include <filesystem>

#include "text/text.h"

namespace orvex::links {

// Input modes of a link: how the page it opens is filled.
inline constexpr int32_t kInputNever = 0;      // "入力不可"
inline constexpr int32_t kInputAutomatic = 1;  // "自動入力"
inline constexpr int32_t kInputOnRequest = 2;  // "手動入力"

// Button types of a link.
inline constexpr int32_t kButtonIcon = 0;
inline constexpr int32_t kButtonName = 1;
inline constexpr int32_t kButtonIconAndName = 2;
inline constexpr int32_t kButtonBitmap = 3;

// Id prefixes that tell the three kinds of links apart.
inline constexpr text::TextView kBuiltInPrefix = u"HDLN";
inline constexpr text::TextView kOemPrefix = u"OEM";
inline constexpr text::TextView kUserPrefix = u"LINK";

/// The program-wide link counter: the highest user link number.
int32_t linkCounter();
/// Sets the link counter.
void setLinkCounter(int32_t value);

class clsLink {
  public:
    /// A link with empty fields whose files are "link.ini" and "OEM.INI" in the data directory.
    clsLink();

    bool NoHeaderFlag = false;
    bool ChildNoHeaderFlag = false;
    text::Text Name;
    text::Text URL;  // "HOME" opens the browser's home page
    text::Text FrameURL;
    int32_t InputMode = kInputNever;
    text::Text IconFileName;
    text::Text BitmapFileName;
    int32_t ButtonType = kButtonIcon;
    bool Visible = false;
    bool Editable = false;
    text::Text id;  // also the link's section name in its file
    int16_t Order = 0;
    int16_t OriginalOrder = 0;
    text::Text Comment;
    text::Text ToolTipText;
    int16_t InternalIcon = 0;
    bool OEM = false;

    /// The control-panel header page's address.
    const text::Text& HeaderURL() const { return m_headerURL; }
    /// Sets the header address and, when it holds "\" or "/", HeaderRoot (up to and including the
    /// last "\", else the last "/"), HeaderFunc (HeaderRoot + "qzt00") and HeaderFuncLen; without
    /// either separator those three keep their values.
    void setHeaderURL(text::TextView url);
    /// The header address up to and including its last separator.
    const text::Text& HeaderRoot() const { return m_headerRoot; }
    /// The prefix of control-panel command addresses.
    const text::Text& HeaderFunc() const { return m_headerFunc; }
    /// The length of HeaderFunc in UTF-16 units.
    int HeaderFuncLen() const { return m_headerFuncLen; }

    /// Raises the link counter by 1 and makes `id` "LINK" followed by it.
    void GetNewID();

    /// Sets `id` and reads the link's keys of section `idstr`: for editable links "Name", "URL"
    /// (missing gives empty) and "InputMode"; then "Order", "IconFileName", "BitmapFileName"
    /// (missing gives empty) from "link.ini"; then "ButtonType" and "Visible" from "OEM.INI" for
    /// a distributor link, else from "link.ini". A missing or unconvertible number or Boolean,
    /// or a missing icon, leaves the field as it was.
    void GetFromProfile(text::TextView idstr);

    /// Sets `id` and reads all eight keys of section `idstr` from "OEM.INI"; whatever is missing
    /// or does not convert leaves the field as it was.
    void GetFromOEMProfile(text::TextView idstr);

    /// Writes the link: a distributor link through WriteToOEMProfile; any other its appearance
    /// to "link.ini" (the icon name lower-cased in the link itself, a ".gif" icon emptied), and
    /// for editable links also "Name", "URL", "InputMode" and "Order". False when not stored.
    bool WriteToProfile();

    /// Writes "ButtonType" and "Visible" to "OEM.INI"; false when not stored.
    bool WriteToOEMProfile();

    /// Removes section `id` from "link.ini"; when `id` is "LINK" followed by the link counter,
    /// the counter goes down by 1 (also when the file could not be changed). False when the
    /// section could not be removed.
    bool DeleteProfile();

    /// All section names of "link.ini", each followed by a NUL, cut to the 10240-unit buffer;
    /// empty when the file is missing or unreadable.
    text::Text GetAllLinks() const;

    /// Copies Name, IconFileName, BitmapFileName, ButtonType, URL, InputMode, Visible, Order,
    /// Editable, id, FrameURL, HeaderURL and OEM into `target`.
    void CopyTo(clsLink& target) const;

    /// The file this link's own keys live in ("link.ini" in the data directory).
    const std::filesystem::path& linkFile() const { return m_linkFile; }
    /// The distributor's file ("OEM.INI" in the data directory).
    const std::filesystem::path& oemFile() const { return m_oemFile; }

  private:
    text::Text m_headerURL;
    text::Text m_headerRoot;
    text::Text m_headerFunc;
    int m_headerFuncLen = 0;
    std::filesystem::path m_linkFile;
    std::filesystem::path m_oemFile;
};

}  // namespace orvex::links
