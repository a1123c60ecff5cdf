#include "bar/person_list.h"

#include "fill/user_data_file.h"
#include "settings/paths.h"
#include "text/strings.h"

namespace orvex::bar {

PersonList loadPersons(const std::filesystem::path& dataDir) {
    PersonList persons;
    const std::filesystem::path file = dataDir / fill::kUserDataFileName;
    if (fill::probeFile(file) != fill::FileState::Readable) return persons;
    for (int i = 0; i < fill::kUserDataSlots; ++i) {
        auto person = std::make_shared<fill::clsUserInfo>(dataDir);
        person->tag = fill::GetPersonTag(i);
        bool visible = false;
        if (!fill::parseBoolean(person->CheckVisible(), visible) || !visible) continue;
        if (!person->GetFromProfile()) continue;
        persons.push_back(std::move(person));
    }
    return persons;
}

bool userDataMissing(const std::filesystem::path& dataDir) {
    return fill::probeFile(dataDir / fill::kUserDataFileName) == fill::FileState::Missing;
}

std::filesystem::path personIconFile(const fill::clsUserInfo& person) {
    if (!person.IconFileEnabled || person.IconFileName.empty()) return {};
    const std::filesystem::path file = settings::resolveDataOrResourcePath(person.IconFileName);
    if (file.empty() || fill::probeFile(file) != fill::FileState::Readable) return {};
    return file;
}

int personBuiltInIcon(const fill::clsUserInfo& person) {
    long long n = 0;
    if (!text::parseInt(person.BuiltInIcon, n) || n < 0 || n > 1000) return 0;
    return static_cast<int>(n);
}

}  // namespace orvex::bar
