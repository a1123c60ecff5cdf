#pragma once
// One postal address record of the user data file.

#include <filesystem>

#include "text/text.h"

namespace orvex::fill {

/// The six stored fields of a postal address, shared by address records and persons.
struct AddressFields {
    text::Text Zip1;        ///< first three digits of the postal code
    text::Text Zip2;        ///< last four digits of the postal code
    text::Text Prefecture;  ///< prefecture name with its suffix
    text::Text Address1;
    text::Text Address2;
    text::Text Address3;
};

/// An address record: read from and written back to one address section, key by key.
class clsAddressInfo : public AddressFields {
  public:
    /// A record without a file: reading and writing fail and change nothing.
    clsAddressInfo() = default;
    /// An empty record of the user data file in `dataDir`.
    explicit clsAddressInfo(const std::filesystem::path& dataDir);

    /// Section name of the record; set before reading or writing.
    text::Text tag;

    /// Reads the six fields of section `tag`; a missing file, section or key reads as empty.
    /// Returns false and changes nothing when there is no file path or `tag` is empty, or when the
    /// file exists but cannot be read.
    bool GetFromProfile();
    /// Writes each field that differs from the value last read; true when every needed write
    /// succeeded, false when one failed (the others are still attempted), when there is no file
    /// path or when `tag` is empty.
    bool WriteToProfile() const;

    /// The prefecture and the three address lines joined by ASCII spaces.
    text::Text Address() const;

  private:
    std::filesystem::path m_file;
    AddressFields m_lastRead;
};

}  // namespace orvex::fill
