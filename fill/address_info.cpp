#include "fill/address_info.h"

#include <utility>

#include "fill/user_data_file.h"
#include "fill/user_data_keys.h"

namespace orvex::fill {

clsAddressInfo::clsAddressInfo(const std::filesystem::path& dataDir) : m_file(dataDir / kUserDataFileName) {}

bool clsAddressInfo::GetFromProfile() {
    if (m_file.empty() || tag.empty() || probeFile(m_file) == FileState::Unreadable) return false;
    try {
        // Read into a copy first, so a read that fails half-way changes nothing.
        const profile::Snapshot file = profile::Snapshot::load(m_file);
        AddressFields read;
        for (const AddressKey& key : kAddressKeys) read.*key.field = ReadKey(file, tag, key.key, u"");
        m_lastRead = read;
        static_cast<AddressFields&>(*this) = std::move(read);
        return true;
    } catch (...) {
        return false;
    }
}

bool clsAddressInfo::WriteToProfile() const {
    if (m_file.empty() || tag.empty()) return false;
    try {
        SectionWriter writer(m_file, tag);
        for (const AddressKey& key : kAddressKeys)
            writer.WriteKeyIfChanged(key.key, this->*key.field, m_lastRead.*key.field);
        return writer.commit();
    } catch (...) {
        return false;
    }
}

text::Text clsAddressInfo::Address() const {
    return Prefecture + u" " + Address1 + u" " + Address2 + u" " + Address3;
}

}  // namespace orvex::fill
