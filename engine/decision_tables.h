#pragma once
// Fixed orders of the field decision stage.

#include <array>

#include "engine/field_kind.h"

namespace orvex::engine::tables {

/// The order in which Decide tries the kinds in both passes; an earlier kind wins a block in
/// the second pass. Birth year, month and day (4 to 6) are never assigned to blocks.
inline constexpr std::array kDecisionOrder = {kSex,   kJob,   kMarriage,   kZip,      kPref,
                                              kApart, kCity,  kTel,        kFax,      kBirthDate,
                                              kAge,   kEmail, kHandleName, kNameKana, kFullName};
static_assert(kDecisionOrder.size() == 15, "the decision order holds every kind but 4, 5 and 6");

}  // namespace orvex::engine::tables
