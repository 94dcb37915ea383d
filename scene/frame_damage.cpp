#include "scene/frame_damage.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Merges r into the set: every rectangle it overlaps is absorbed, and again
// for the grown rectangle, until it overlaps none.
void mergeIn(std::vector<ScreenRect>& rects, ScreenRect r) {
    bool grew = true;
    while (grew) {
        grew = false;
        for (size_t i = 0; i < rects.size(); ++i) {
            if (!overlaps(rects[i], r)) continue;
            r = joined(r, rects[i]);
            rects[i] = rects.back();
            rects.pop_back();
            grew = true;
            break;
        }
    }
    rects.push_back(r);
}

}  // namespace

void addDamage(Damage& damage, const ScreenRect& r, size_t limit) {
    if (isEmpty(r)) return;
    mergeIn(damage.rects, r);
    while (damage.rects.size() > std::max<size_t>(limit, 1)) {
        size_t bestA = 0, bestB = 1;
        int64_t bestCost = INT64_MAX;
        for (size_t a = 0; a < damage.rects.size(); ++a)
            for (size_t b = a + 1; b < damage.rects.size(); ++b) {
                const int64_t cost = area(joined(damage.rects[a], damage.rects[b])) - area(damage.rects[a]) -
                                     area(damage.rects[b]);
                if (cost < bestCost) {
                    bestCost = cost;
                    bestA = a;
                    bestB = b;
                }
            }
        const ScreenRect merged = joined(damage.rects[bestA], damage.rects[bestB]);
        damage.rects.erase(damage.rects.begin() + long(bestB));
        damage.rects.erase(damage.rects.begin() + long(bestA));
        mergeIn(damage.rects, merged);
    }
}

Damage frameDamage(const FrameRecord& before, const FrameRecord& now) {
    Damage damage;
    std::unordered_map<uint64_t, size_t> earlier;
    earlier.reserve(before.items.size());
    for (size_t i = 0; i < before.items.size(); ++i) earlier.emplace(before.items[i].serial, i);
    std::vector<bool> matched(before.items.size(), false);
    // Where two items overlap, the later one drawn wins (or blends over the
    // earlier): an item that now comes before one it followed has changed.
    size_t latestMatched = 0;
    bool anyMatched = false;
    for (const DrawItem& item : now.items) {
        auto found = item.mesh ? earlier.find(item.serial) : earlier.end();
        if (found == earlier.end() || matched[found->second]) {
            addDamage(damage, item.rect);
            continue;
        }
        const size_t k = found->second;
        matched[k] = true;
        const bool reordered = anyMatched && k < latestMatched;
        if (reordered || !sameDrawing(before.items[k], item)) {
            addDamage(damage, before.items[k].rect);
            addDamage(damage, item.rect);
        }
        if (!anyMatched || k > latestMatched) latestMatched = k;
        anyMatched = true;
    }
    for (size_t k = 0; k < before.items.size(); ++k)
        if (!matched[k]) addDamage(damage, before.items[k].rect);
    return damage;
}

int64_t damagedArea(const Damage& damage) {
    int64_t total = 0;
    for (const ScreenRect& r : damage.rects) total += area(r);
    return total;
}

std::vector<ScreenRect> partsOutside(const ScreenRect& r, const ScreenRect& hole) {
    const ScreenRect h = intersection(r, hole);
    if (isEmpty(h)) return isEmpty(r) ? std::vector<ScreenRect>{} : std::vector<ScreenRect>{r};
    const ScreenRect parts[4] = {{r.x0, r.y0, r.x1, h.y0},
                                 {r.x0, h.y1, r.x1, r.y1},
                                 {r.x0, h.y0, h.x0, h.y1},
                                 {h.x1, h.y0, r.x1, h.y1}};
    std::vector<ScreenRect> outside;
    for (const ScreenRect& part : parts)
        if (!isEmpty(part)) outside.push_back(part);
    return outside;
}

ScreenRect damageBounds(const Damage& damage) {
    if (damage.rects.empty()) return ScreenRect{};
    ScreenRect bounds = damage.rects[0];
    for (const ScreenRect& r : damage.rects) bounds = joined(bounds, r);
    return bounds;
}

Damage keptBoxRepairs(const FrameRecord& kept, const FrameRecord& now, const ScreenRect& box) {
    Damage repairs;
    auto repair = [&repairs, &box](const ScreenRect& r) { addDamage(repairs, intersection(r, box)); };
    // An item reaching into the box: only those can change its pixels.
    auto inBox = [&box](const DrawItem& item) { return item.mesh && overlaps(item.rect, box); };
    size_t next = 0;  // the first item of kept not yet matched or passed over
    for (const DrawItem& item : now.items) {
        if (!inBox(item)) continue;
        size_t k = next;
        while (k < kept.items.size() && !(inBox(kept.items[k]) && sameContent(kept.items[k], item))) ++k;
        if (k == kept.items.size()) {
            repair(item.rect);
            continue;
        }
        // The kept items passed over are not in now (or not in this order).
        for (size_t skipped = next; skipped < k; ++skipped)
            if (inBox(kept.items[skipped])) repair(kept.items[skipped].rect);
        next = k + 1;
    }
    for (size_t k = next; k < kept.items.size(); ++k)
        if (inBox(kept.items[k])) repair(kept.items[k].rect);
    return repairs;
}

Insertion findInsertion(const FrameRecord& before, const FrameRecord& now) {
    const size_t was = before.items.size(), is = now.items.size();
    if (is <= was) return {};
    for (int k = 0; k < 4; ++k)
        if (before.viewport[k] != now.viewport[k]) return {};
    size_t front = 0;
    while (front < was && before.items[front].serial == now.items[front].serial) ++front;
    const size_t added = is - was;
    for (size_t b = front; b < was; ++b)
        if (before.items[b].serial != now.items[b + added].serial) return {};
    return {front, added};
}

Damage insertionRepairs(const FrameRecord& before, const FrameRecord& now, const Insertion& run) {
    Damage repairs;
    auto repairOverlap = [&repairs](const ScreenRect& a, const ScreenRect& b) {
        addDamage(repairs, {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)});
    };
    for (size_t b = 0; b < before.items.size(); ++b) {
        const DrawItem& was = before.items[b];
        const DrawItem& is = now.items[b < run.first ? b : b + run.count];
        if (was.mesh && is.mesh && sameDrawing(was, is)) continue;
        addDamage(repairs, was.rect);
        addDamage(repairs, is.rect);
    }
    const size_t end = run.first + run.count;
    for (size_t i = run.first; i < end; ++i) {
        const DrawItem& added = now.items[i];
        if (!added.mesh || isEmpty(added.rect)) continue;
        if (!added.translucent)
            for (size_t k = 0; k < run.first; ++k) {
                const DrawItem& blend = now.items[k];
                if (!blend.translucent || !blend.mesh || !overlaps(blend.rect, added.rect)) continue;
                // A margin of many steps of a 24-bit depth buffer.
                const bool refused = added.depthTest && blend.depthTest && added.depthHigh + 1e-5 < blend.depthLow;
                if (!refused) repairOverlap(blend.rect, added.rect);
            }
        for (size_t k = end; k < now.items.size(); ++k) {
            const DrawItem& after = now.items[k];
            if (after.mesh && overlaps(after.rect, added.rect)) repairOverlap(after.rect, added.rect);
        }
    }
    return repairs;
}
