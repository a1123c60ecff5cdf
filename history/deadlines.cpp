#include "history/deadlines.h"

#include <chrono>
#include <ctime>

#include "history/history_texts.h"
#include "text/strings.h"

namespace orvex::history {
namespace {

std::chrono::sys_days days(const Date& d) {
    return std::chrono::sys_days(std::chrono::year_month_day(
        std::chrono::year(d.year), std::chrono::month(static_cast<unsigned>(d.month)),
        std::chrono::day(static_cast<unsigned>(d.day))));
}

}  // namespace

Date localDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&now, &local) == nullptr) return {1970, 1, 1};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

int daysBetween(const Date& from, const Date& to) {
    return static_cast<int>((days(to) - days(from)).count());
}

std::optional<int> daysLeft(const clsRec& rec, const Date& today) {
    const std::optional<Date> limit = parseDate(rec.LimitDate);
    if (!limit) return std::nullopt;
    return daysBetween(today, *limit);
}

DeadlineState deadlineState(const clsRec& rec, const Date& today) {
    const std::optional<int> left = daysLeft(rec, today);
    if (!left) return DeadlineState::None;
    if (*left < 0) return DeadlineState::Past;
    return *left <= kSoonDays ? DeadlineState::Soon : DeadlineState::Later;
}

int dueSoonCount(const clsRecs& recs, const Date& today) {
    int n = 0;
    for (int i = 1; i <= recs.Count(); ++i)
        if (const clsRecs::RecPtr rec = recs.Item(i); rec && deadlineState(*rec, today) == DeadlineState::Soon) ++n;
    return n;
}

text::Text dueSoonNotice(int dueSoon) {
    if (dueSoon <= 0) return {};
    return text::Text(kDueSoonBefore) + text::number(dueSoon) + text::Text(kDueSoonAfter);
}

text::Text deadlineTip(const clsRec& rec, const Date& today) {
    switch (deadlineState(rec, today)) {
        case DeadlineState::Soon: {
            const int left = daysLeft(rec, today).value_or(0);
            if (left == 0) return text::Text(kDueTodayTip);
            return text::Text(kDueInDaysBefore) + text::number(left) + text::Text(kDueInDaysAfter);
        }
        case DeadlineState::Past:
            return text::Text(kPastTip);
        case DeadlineState::None:
        case DeadlineState::Later:
            break;
    }
    return {};
}

}  // namespace orvex::history
