#include "bar/bar_geometry.h"

#include <algorithm>
#include <limits>

namespace orvex::bar {
namespace {

// The end of a range along an edge read from a four-value strut: the whole edge.
constexpr long kWholeEdge = std::numeric_limits<int>::max();

bool overlaps(long start, long end, int from, int to) {
    // Strut ranges include their end; [from, to) is the monitor's extent.
    return start < to && end >= from;
}

Rect intersect(const Rect& a, const Rect& b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.right(), b.right());
    const int bottom = std::min(a.bottom(), b.bottom());
    return Rect{left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

}  // namespace

int edgeForBarPosition(std::int32_t barPosition) {
    return barPosition == kBarPositionBottom ? kEdgeBottom : kEdgeTop;
}

std::array<long, 12> Strut::partial() const {
    return {left,        right,    top,       bottom,  leftStartY,   leftEndY,
            rightStartY, rightEndY, topStartX, topEndX, bottomStartX, bottomEndX};
}

std::array<long, 4> Strut::full() const {
    return {left, right, top, bottom};
}

Strut Strut::fromValues(std::span<const long> v) {
    Strut s;
    if (v.size() == 12) {
        s = Strut{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]};
    } else if (v.size() == 4) {
        s = Strut{v[0], v[1], v[2], v[3], 0, kWholeEdge, 0, kWholeEdge, 0, kWholeEdge, 0, kWholeEdge};
    }
    return s;
}

DockPlacement placeBar(int edge, const DockArea& area) {
    const Rect& root = area.root;
    const Rect& screen = area.screen;
    int left = screen.x;
    int top = screen.y;
    int right = screen.right();
    int bottom = screen.bottom();
    // Each other dock's band, where it lies along this monitor's part of its edge.
    for (const Strut& s : area.otherStruts) {
        if (s.top > 0 && overlaps(s.topStartX, s.topEndX, screen.x, screen.right()))
            top = std::max<long>(top, root.y + s.top);
        if (s.bottom > 0 && overlaps(s.bottomStartX, s.bottomEndX, screen.x, screen.right()))
            bottom = std::min<long>(bottom, root.bottom() - s.bottom);
        if (s.left > 0 && overlaps(s.leftStartY, s.leftEndY, screen.y, screen.bottom()))
            left = std::max<long>(left, root.x + s.left);
        if (s.right > 0 && overlaps(s.rightStartY, s.rightEndY, screen.y, screen.bottom()))
            right = std::min<long>(right, root.right() - s.right);
    }
    Rect available{left, top, std::max(0, right - left), std::max(0, bottom - top)};
    if (!area.workArea.empty()) {
        // The work area also knows docks whose struts could not be read; its height holds the
        // bar's own band once that is set, so then only its width is taken.
        Rect cut = area.workArea;
        if (area.workAreaHasOwnStrut) {
            cut.y = available.y;
            cut.height = available.height;
        }
        const Rect within = intersect(available, cut);
        if (!within.empty()) available = within;
    }
    if (available.width <= 0 || available.height < kBarThickness) available = screen;

    DockPlacement placement;
    Rect& bar = placement.bar;
    bar.x = available.x;
    bar.width = available.width;
    bar.height = kBarThickness;
    bar.y = edge == kEdgeBottom ? available.bottom() - kBarThickness : available.y;
    Strut& strut = placement.strut;
    if (edge == kEdgeBottom) {
        strut.bottom = root.bottom() - bar.y;
        strut.bottomStartX = bar.x;
        strut.bottomEndX = bar.right() - 1;
    } else {
        strut.top = bar.bottom() - root.y;
        strut.topStartX = bar.x;
        strut.topEndX = bar.right() - 1;
    }
    return placement;
}

std::vector<PaintLine> barPaintLines(int width, int height, std::span<const int> separators) {
    std::vector<PaintLine> lines;
    if (width <= 0 || height <= 0) return lines;
    const int baseline = height - 3;
    lines.push_back(PaintLine{0, baseline, width - 1, baseline, kLineGray});
    const int from = 3;
    const int to = height - 5;
    for (int at : separators) {
        lines.push_back(PaintLine{at - 1, from, at - 1, to, kLineGray});
        lines.push_back(PaintLine{at, from, at, to, kLineWhite});
    }
    return lines;
}

FixedItemsLayout layoutFixedItems(int width, int height, const FixedItemSizes& sizes) {
    FixedItemsLayout layout;
    const auto middle = [height](int itemHeight) { return (height - itemHeight) / 2; };
    layout.statusBox = Rect{0, 0, kStatusBoxWidth, height};
    layout.statusPicture = Rect{(kStatusBoxWidth - sizes.statusPictureWidth) / 2, middle(sizes.statusPictureHeight),
                                sizes.statusPictureWidth, sizes.statusPictureHeight};
    layout.menuPicture = Rect{width - kFixedItemGap - sizes.menuPictureWidth, middle(sizes.menuPictureHeight),
                              sizes.menuPictureWidth, sizes.menuPictureHeight};
    layout.autoLabel = Rect{layout.menuPicture.x - kFixedItemGap - sizes.autoLabelWidth,
                            middle(sizes.autoLabelHeight), sizes.autoLabelWidth, sizes.autoLabelHeight};
    return layout;
}

}  // namespace orvex::bar
