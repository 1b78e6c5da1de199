#include "platform/region.h"

#include <algorithm>

namespace pl {

Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? Rect{} : r;
}

Rect Offset(const Rect& r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

void SubtractRect(const Rect& r, const Rect& cut, std::vector<Rect>* out) {
    Rect c = Intersect(r, cut);
    if (c.IsEmpty()) {
        if (!r.IsEmpty()) out->push_back(r);
        return;
    }
    // Bands above and below the cut span the full width; left and right pieces its height.
    if (c.top > r.top) out->push_back({r.left, r.top, r.right, c.top});
    if (c.bottom < r.bottom) out->push_back({r.left, c.bottom, r.right, r.bottom});
    if (c.left > r.left) out->push_back({r.left, c.top, c.left, c.bottom});
    if (c.right < r.right) out->push_back({c.right, c.top, r.right, c.bottom});
}

void Region::Add(const Rect& r) {
    if (r.IsEmpty()) return;
    std::vector<Rect> pieces{r};
    for (const Rect& have : rects_) {
        std::vector<Rect> next;
        for (const Rect& p : pieces) SubtractRect(p, have, &next);
        pieces.swap(next);
        if (pieces.empty()) return;
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void Region::Subtract(const Rect& r) {
    if (r.IsEmpty()) return;
    std::vector<Rect> next;
    for (const Rect& have : rects_) SubtractRect(have, r, &next);
    rects_.swap(next);
}

void Region::Clip(const Rect& r) {
    std::vector<Rect> next;
    for (const Rect& have : rects_) {
        Rect c = Intersect(have, r);
        if (!c.IsEmpty()) next.push_back(c);
    }
    rects_.swap(next);
}

void Region::Offset(int dx, int dy) {
    for (Rect& r : rects_) r = pl::Offset(r, dx, dy);
}

bool Region::Contains(Point p) const {
    return std::any_of(rects_.begin(), rects_.end(), [p](const Rect& r) { return r.Contains(p); });
}

Rect Region::Bounds() const {
    if (rects_.empty()) return {};
    Rect b = rects_.front();
    for (const Rect& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

long Region::Area() const {
    long area = 0;
    for (const Rect& r : rects_) area += static_cast<long>(r.Width()) * r.Height();
    return area;
}

}  // namespace pl
