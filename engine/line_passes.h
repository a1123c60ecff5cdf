#pragma once
// The cutting passes of block building, applied to one block at a time. Each gives the same
// blocks as calling the block's own cut (Divide, Divide20, Adjust2) again and again on the
// piece it split off, but scans and scores every token a bounded number of times, so a very
// long line of inputs costs time in proportion to its length.

#include <vector>

#include "engine/html_item_block.h"

namespace orvex::engine {

/// Appends `block` and the pieces Divide splits off it one after the other to `out`, in order.
void divideEveryInput(clsHTMLItemBlock block, std::vector<clsHTMLItemBlock>& out);

/// Appends `block` and the pieces Divide20 splits off it one after the other to `out`, in order.
void divideEveryField(clsHTMLItemBlock block, std::vector<clsHTMLItemBlock>& out);

/// Appends `block` and the pieces Adjust2 splits off it one after the other to `out`, in order.
void divideEveryLabel(clsHTMLItemBlock block, std::vector<clsHTMLItemBlock>& out);

}  // namespace orvex::engine
