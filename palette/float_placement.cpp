#include "palette/float_placement.h"

#include <climits>

#include "profile/profile.h"
#include "text/strings.h"

namespace orvex::palette {
namespace {

void readTwips(const profile::Snapshot& file, text::TextView key, int& field) {
    long long n = 0;
    if (text::parseInt(file.read(kFloatSection, key), n) && n >= INT_MIN && n <= INT_MAX)
        field = static_cast<int>(n);
}

}  // namespace

FloatSettings readFloatSettings(const std::filesystem::path& systemFile) {
    FloatSettings s;
    const profile::Snapshot file = profile::Snapshot::load(systemFile);
    readTwips(file, kFloatLeftKey, s.leftTwips);
    readTwips(file, kFloatTopKey, s.topTwips);
    const text::Text shown = text::toLower(file.read(kFloatSection, kShowClipBoardKey));
    if (shown == u"true") s.showClipBoard = true;
    if (shown == u"false") s.showClipBoard = false;
    return s;
}

bool writeFloatPosition(const std::filesystem::path& systemFile, int leftTwips, int topTwips) {
    return profile::writeAll(systemFile, kFloatSection,
                             {{text::Text(kFloatLeftKey), text::number(leftTwips)},
                              {text::Text(kFloatTopKey), text::number(topTwips)}});
}

bool writeShowClipBoard(const std::filesystem::path& systemFile, bool shown) {
    return profile::write(systemFile, kFloatSection, kShowClipBoardKey, shown ? u"True" : u"False");
}

Point rightEdgePosition(const Rect& screen, int windowWidth) {
    return {screen.x + screen.width - windowWidth, screen.y + twipsToPixels(kTopTwips)};
}

Point floatWindowPosition(const FloatSettings& stored, const Rect& screen, int windowWidth) {
    const long long left = stored.leftTwips;
    const long long top = stored.topTwips;
    if (left >= 0 && top >= 0 && left < static_cast<long long>(screen.width) * kTwipsPerPixel &&
        top < static_cast<long long>(screen.height) * kTwipsPerPixel)
        return {twipsToPixels(stored.leftTwips), twipsToPixels(stored.topTwips)};
    return rightEdgePosition(screen, windowWidth);
}

int floatInnerHeight(bool clipBoardShown) {
    return twipsToPixels(clipBoardShown ? kShownHeightTwips : kFoldedHeightTwips);
}

}  // namespace orvex::palette
