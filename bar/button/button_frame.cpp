#include "bar/button/button_frame.h"

namespace orvex::bar::button {

std::vector<PixelLine> frameLines(int width, int height, bool sunken, int borderType) {
    std::vector<PixelLine> lines;
    if (width <= 0 || height <= 0) return lines;
    for (const FrameLine& line : kFrameLines) {
        if (borderType == kBorderTypeThin && !line.outer) continue;
        PixelLine p{line.x1.at(width), line.y1.at(height), line.x2.at(width), line.y2.at(height),
                    sunken ? line.sunken : line.raised};
        const bool empty = p.x1 == p.x2 ? p.y2 <= p.y1 : p.x2 <= p.x1;
        if (empty || p.x1 < 0 || p.y1 < 0) continue;
        lines.push_back(p);
    }
    return lines;
}

}  // namespace orvex::bar::button
