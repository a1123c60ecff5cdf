#include "history/recs.h"

#include "profile/profile.h"
#include "settings/paths.h"
#include "text/strings.h"

namespace orvex::history {
namespace {

constexpr std::string_view kRecordFile = "record.ini";
constexpr text::TextView kCountKey = u"Count";

std::function<void(clsRecs&)>& showListHandler() {
    static std::function<void(clsRecs&)> handler;
    return handler;
}

// The number of records the file holds: its "Count" (missing means 0), or, when that is not a
// number from 0 to kMaxRecords, the number of consecutive record lines from "data_1".
int32_t storedCount(const profile::Snapshot& file) {
    long long n = 0;
    if (text::parseInt(file.read(kRecordSection, kCountKey, u"0"), n) && n >= 0 && n <= kMaxRecords)
        return static_cast<int32_t>(n);
    int32_t present = 0;
    while (present < kMaxRecords && !file.read(kRecordSection, recordKey(present + 1)).empty()) ++present;
    return present;
}

}  // namespace

clsRecs::clsRecs() : m_file(settings::dataFile(kRecordFile)) {}

void clsRecs::Load() {
    const profile::Snapshot file = profile::Snapshot::load(m_file);
    const int32_t count = storedCount(file);
    if (count > 0) {
        m_records.clear();
        m_sorted.clear();
        m_records.reserve(static_cast<size_t>(count));
        for (int32_t i = 1; i <= count; ++i) {
            auto rec = std::make_shared<clsRec>();
            rec->id = i;
            rec->Load(file);
            m_records.push_back(std::move(rec));
        }
    }
    m_loaded = true;
}

bool clsRecs::Save() {
    std::vector<std::pair<text::Text, text::Text>> entries;
    entries.reserve(m_records.size() + 1);
    entries.emplace_back(kCountKey, text::number(static_cast<long long>(m_records.size())));
    int32_t id = 0;
    for (const RecPtr& rec : m_records) {
        rec->id = ++id;
        entries.emplace_back(recordKey(id), rec->RecordLine());
    }
    return profile::writeAll(m_file, kRecordSection, entries);
}

bool clsRecs::Record(const RecPtr& objRec) {
    if (!objRec) return false;
    const int32_t count = storedCount(profile::Snapshot::load(m_file));
    objRec->id = count + 1;
    // The line and the new count go in one replacement of the file: never one without the other.
    const bool stored = profile::writeAll(
        m_file, kRecordSection,
        {{recordKey(objRec->id), objRec->RecordLine()}, {text::Text(kCountKey), text::number(objRec->id)}});
    m_records.push_back(objRec);
    raiseChanged(objRec);
    return stored;
}

void clsRecs::Sort(int type) {
    m_sorted.clear();
    if (type == kSortOldestFirst) {
        m_sorted = m_records;
        return;
    }
    if (type != kSortDeadlineNearestFirst && type != kSortDeadlineFarthestFirst) {
        m_sorted.assign(m_records.rbegin(), m_records.rend());
        return;
    }
    const bool new2Old = type == kSortDeadlineNearestFirst;
    for (const RecPtr& rec : m_records) {
        if (m_sorted.empty() || !rec->IsLimitTimeValid()) {
            m_sorted.push_back(rec);
            continue;
        }
        auto it = m_sorted.begin();
        while (it != m_sorted.end() && !rec->blnLimitBefore(**it, new2Old)) ++it;
        m_sorted.insert(it, rec);
    }
}

clsRecs::RecPtr clsRecs::Item(int index) const {
    if (index < 1 || index > Count()) return nullptr;
    return m_records[static_cast<size_t>(index - 1)];
}

clsRecs::RecPtr clsRecs::SortedItem(int index) const {
    if (index < 1 || index > SortedCount()) return nullptr;
    return m_sorted[static_cast<size_t>(index - 1)];
}

void clsRecs::ShowList() {
    if (!m_loaded) Load();
    const std::function<void(clsRecs&)> handler = showListHandler();
    if (handler) handler(*this);
}

void clsRecs::Remove(int index) {
    if (index < 1 || index > Count()) return;
    m_records.erase(m_records.begin() + (index - 1));
}

void clsRecs::RemoveMe(const clsRec& objRec) {
    for (auto it = m_records.begin(); it != m_records.end(); ++it) {
        if (it->get() == &objRec) {
            m_records.erase(it);
            return;
        }
    }
}

int clsRecs::InTheDay(const clsRec& objRec) const {
    int n = 0;
    for (const RecPtr& rec : m_records)
        if (rec->CreatedDate == objRec.CreatedDate) ++n;
    return n;
}

void clsRecs::Notify(const RecPtr& objRec) {
    raiseChanged(objRec);
}

int clsRecs::subscribeChanged(ChangedHandler handler) {
    const int id = m_nextSubscription++;
    m_changed.emplace_back(id, std::move(handler));
    return id;
}

void clsRecs::unsubscribeChanged(int subscription) {
    for (auto it = m_changed.begin(); it != m_changed.end(); ++it) {
        if (it->first == subscription) {
            m_changed.erase(it);
            return;
        }
    }
}

void clsRecs::raiseChanged(const RecPtr& rec) {
    // A copy: a handler may subscribe or unsubscribe while the event is delivered.
    const auto handlers = m_changed;
    for (const auto& [id, handler] : handlers) {
        try {
            if (handler) handler(rec);
        } catch (...) {
            // A failing window must not stop the others or the caller.
        }
    }
}

void clsRecs::setShowListHandler(std::function<void(clsRecs&)> handler) {
    showListHandler() = std::move(handler);
}

clsRecs& sharedRecs() {
    static clsRecs store;
    return store;
}

}  // namespace orvex::history
