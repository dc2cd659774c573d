#include "platform/components/ScreenGeometry.h"

#include <algorithm>
#include <stdexcept>

namespace platform {

namespace {

long long Area(const PixelRect& r) {
    if (r.right <= r.left || r.bottom <= r.top) return 0;
    return static_cast<long long>(r.Width()) * r.Height();
}

// Gap between two ranges on one axis; 0 when they touch or overlap.
long long Gap(int aFrom, int aTo, int bFrom, int bTo) {
    if (aTo < bFrom) return static_cast<long long>(bFrom) - aTo;
    if (bTo < aFrom) return static_cast<long long>(aFrom) - bTo;
    return 0;
}

// Where a span of `size` starts to stand in the middle of [from, to); at `from` when it does
// not fit.
int CentredStart(int size, int from, int to) {
    const int room = to - from;
    return size >= room ? from : from + (room - size) / 2;
}

long long SquaredDistance(const PixelRect& a, const PixelRect& b) {
    const long long dx = Gap(a.left, a.right, b.left, b.right);
    const long long dy = Gap(a.top, a.bottom, b.top, b.bottom);
    return dx * dx + dy * dy;
}

}  // namespace

PixelRect CentredIn(int width, int height, const PixelRect& area) {
    const int left = CentredStart(width, area.left, area.right);
    const int top = CentredStart(height, area.top, area.bottom);
    return PixelRect{left, top, left + width, top + height};
}

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
    PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
    if (r.right <= r.left || r.bottom <= r.top) return PixelRect{};
    return r;
}

const Monitor& MonitorForRect(const std::vector<Monitor>& monitors, const PixelRect& rect) {
    if (monitors.empty()) throw std::logic_error("no monitor");
    const Monitor* best = &monitors.front();
    long long bestArea = -1;
    for (const Monitor& m : monitors) {
        const long long area = Area(Intersection(m.bounds, rect));
        if (area > bestArea) {
            best = &m;
            bestArea = area;
        }
    }
    if (bestArea > 0) return *best;
    for (const Monitor& m : monitors) {
        if (SquaredDistance(m.bounds, rect) < SquaredDistance(best->bounds, rect)) best = &m;
    }
    return *best;
}

PixelRect FitInside(const PixelRect& rect, const PixelRect& area) {
    const int width = std::min(rect.Width(), area.Width());
    const int height = std::min(rect.Height(), area.Height());
    const int left = std::clamp(rect.left, area.left, area.right - width);
    const int top = std::clamp(rect.top, area.top, area.bottom - height);
    return PixelRect{left, top, left + width, top + height};
}

PixelRect ScaledAndFitted(const PixelRect& rect, int fromDpi, int toDpi, const PixelRect& area) {
    const auto scale = [&](int length) {
        return static_cast<int>(static_cast<long long>(length) * toDpi / fromDpi);
    };
    const PixelRect scaled{rect.left, rect.top, rect.left + scale(rect.Width()),
                           rect.top + scale(rect.Height())};
    return FitInside(scaled, area);
}

}  // namespace platform
