#pragma once
// The 18 field kinds of personal data. A kind is a plain whole number from 1 to 18 because it
// indexes every dictionary, every per-block score array and the decided-kind lists.

#include <vector>

namespace orvex::engine {

inline constexpr int kFullName = 1;
inline constexpr int kNameKana = 2;
inline constexpr int kBirthDate = 3;
inline constexpr int kBirthYear = 4;
inline constexpr int kBirthMonth = 5;
inline constexpr int kBirthDay = 6;
inline constexpr int kAge = 7;
inline constexpr int kSex = 8;
inline constexpr int kZip = 9;
inline constexpr int kPref = 10;
inline constexpr int kCity = 11;
inline constexpr int kApart = 12;
inline constexpr int kTel = 13;
inline constexpr int kFax = 14;
inline constexpr int kEmail = 15;
inline constexpr int kHandleName = 16;
inline constexpr int kMarriage = 17;
inline constexpr int kJob = 18;

/// First and last valid field kind; arrays indexed by kind have kKindCount + 1 slots (slot 0 unused).
inline constexpr int kFirstKind = 1;
inline constexpr int kLastKind = 18;
inline constexpr int kKindCount = 18;

/// True when `kind` is a valid field kind (1 to 18).
constexpr bool isKind(int kind) {
    return kind >= kFirstKind && kind <= kLastKind;
}

/// True for the birth kinds 3 to 6, which share one score (what one scores is credited to all four).
constexpr bool isBirthKind(int kind) {
    return kind >= kBirthDate && kind <= kBirthDay;
}

/// A list of field kinds, in the order they were found.
using KindList = std::vector<int>;

}  // namespace orvex::engine
