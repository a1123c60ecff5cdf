#include "history/rec.h"

#include <cstdio>

#include "history/recs.h"
#include "history/short_date.h"
#include "profile/profile.h"
#include "settings/paths.h"
#include "text/strings.h"

namespace orvex::history {
namespace {

constexpr std::string_view kRecordFile = "record.ini";
// The separator of a record line's fields, and what it becomes inside a field.
constexpr text::TextView kFieldSeparator = u",";
constexpr text::TextView kFieldComma = u"，";
// Fields of a record line.
constexpr size_t kLineFields = 6;

std::function<bool(clsRec&)>& editHandler() {
    static std::function<bool(clsRec&)> handler;
    return handler;
}

text::Text twoDigits(int a, int b, int c, const char* format) {
    char buf[48];
    std::snprintf(buf, sizeof buf, format, a, b, c);
    return text::fromUtf8(buf);
}

}  // namespace

text::Text recordKey(int32_t id) {
    return u"data_" + text::number(id);
}

clsRec::clsRec() : m_file(settings::dataFile(kRecordFile)) {}

void clsRec::Load() {
    Load(profile::Snapshot::load(m_file));
}

void clsRec::Load(const profile::Snapshot& file) {
    LoadLine(file.read(kRecordSection, recordKey(id), u""));
}

void clsRec::LoadLine(text::TextView line) {
    // An empty line has no fields at all (not one empty field), so nothing changes.
    if (line.empty()) return;
    const std::vector<text::Text> f = text::split(line, kFieldSeparator);
    text::Text* const targets[kLineFields] = {&CreatedDate, &CreatedTime, &LimitDate,
                                              &SiteName,    &URL,         &Contents};
    for (size_t i = 0; i < kLineFields && i < f.size(); ++i) *targets[i] = f[i];
}

text::Text clsRec::RecordLine() {
    SiteName = text::replaceAll(SiteName, kFieldSeparator, kFieldComma);
    URL = text::replaceAll(URL, kFieldSeparator, kFieldComma);
    Contents = text::replaceAll(Contents, kFieldSeparator, kFieldComma);
    text::Text line;
    for (const text::Text* f : {&CreatedDate, &CreatedTime, &LimitDate, &SiteName, &URL}) {
        line += *f;
        line += kFieldSeparator;
    }
    return line + Contents;
}

bool clsRec::Save() {
    return profile::write(m_file, kRecordSection, recordKey(id), RecordLine());
}

void clsRec::RecordCreatedTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!::localtime_r(&now, &local)) return;
    RecordCreatedTime(local);
}

void clsRec::RecordCreatedTime(const std::tm& when) {
    CreatedDate = twoDigits(when.tm_year + 1900, when.tm_mon + 1, when.tm_mday, "%04d/%02d/%02d");
    CreatedTime = twoDigits(when.tm_hour, when.tm_min, when.tm_sec, "%02d:%02d:%02d");
}

bool clsRec::IsLimitTimeValid() const {
    return parseDate(LimitDate).has_value();
}

bool clsRec::blnLimitBefore(const clsRec& objTargetRec, bool blnNew2Old) const {
    if (objTargetRec.LimitDate.empty()) return true;
    const auto target = parseDate(objTargetRec.LimitDate);
    if (!target) return true;
    const auto mine = parseDate(LimitDate);
    if (!mine) return false;
    return blnNew2Old ? *target >= *mine : *target <= *mine;
}

text::Text clsRec::ListFormat() const {
    text::Text line = CreatedDate + u" " + CreatedTime + u", ";
    line += LimitDate.empty() ? text::Text(u" - ,") : LimitDate + u"締切, ";
    return line + SiteName + u"," + Contents;
}

bool clsRec::Edit() {
    const std::function<bool(clsRec&)> handler = editHandler();
    return handler ? handler(*this) : false;
}

void clsRec::Remove() {
    sharedRecs().RemoveMe(*this);
}

void clsRec::setEditHandler(std::function<bool(clsRec&)> handler) {
    editHandler() = std::move(handler);
}

}  // namespace orvex::history
