#pragma once
// Mapping of convention input names ("kv0..." page names) to filling tags.

#include "engine/token.h"

namespace orvex::engine {

/// The filling tag of a convention name: the part before the first "_", upper-cased, without
/// its first three characters (kv0tel2_x → TEL2), except that a base beginning "KV0BIRTHYEAR"
/// is kept whole. "" for "kv0" itself, for an empty name and for names shorter than the prefix.
Text ConventionTag(TextView name);

}  // namespace orvex::engine
