// Convention names and the field decision stages are not built yet: until then each stage is an
// empty step, so the pipeline ends with no filling-tag entries. Remove a body here when the file
// of its stage defines it.

#include "engine/html_items.h"

namespace orvex::engine {

void clsHTMLItems::DecideFillingTags() {}

}  // namespace orvex::engine
