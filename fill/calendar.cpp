#include "fill/calendar.h"

#include <ctime>

namespace orvex::fill {

CalendarDate localToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) return {1970, 1, 1};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace orvex::fill
