#include "history/hist_list.h"

#include <algorithm>

#include "history/history_texts.h"
#include "text/strings.h"

namespace orvex::history {
namespace {

// The window's margins around the list and its buttons, in twips.
constexpr int kListWidthMargin = 400;
constexpr int kListHeightMargin = 1500;
constexpr int kButtonsFromBottom = 800;

int pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

}  // namespace

std::vector<text::Text> histListLines(clsRecs& recs, int sortType) {
    recs.Sort(sortType);
    std::vector<text::Text> lines;
    for (int i = 1; i <= recs.SortedCount(); ++i)
        if (const clsRecs::RecPtr rec = recs.SortedItem(i)) lines.push_back(rec->ListFormat());
    return lines;
}

clsRecs::RecPtr recordOfLine(const clsRecs& recs, int line) {
    return line < 0 ? nullptr : recs.SortedItem(line + 1);
}

text::Text inTheDayText(const clsRecs& recs, const clsRec& rec) {
    return rec.CreatedDate + u"  " + text::number(recs.InTheDay(rec)) + text::Text(kInTheDaySuffix);
}

bool deleteLines(clsRecs& recs, std::vector<int> selectedLines) {
    std::sort(selectedLines.begin(), selectedLines.end());
    selectedLines.erase(std::unique(selectedLines.begin(), selectedLines.end()), selectedLines.end());
    for (auto it = selectedLines.rbegin(); it != selectedLines.rend(); ++it)
        if (const clsRecs::RecPtr rec = recordOfLine(recs, *it)) recs.RemoveMe(*rec);
    return recs.Save();
}

HistListGeometry histListGeometry(int windowWidth, int windowHeight) {
    HistListGeometry g;
    g.listWidth = std::max(0, windowWidth - pixels(kListWidthMargin));
    g.listHeight = std::max(0, windowHeight - pixels(kListHeightMargin));
    g.buttonTop = std::max(0, windowHeight - pixels(kButtonsFromBottom));
    return g;
}

}  // namespace orvex::history
