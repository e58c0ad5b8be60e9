// The array form of small trees: strings in sorted order, found by comparing their heads
// eight at a time, with the ranks that stand for the linked tree's shape.

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "core/codec/lzss_trees.h"
#include "core/codec/lzss_words.h"

#if defined(__SSE2__) && !defined(PLKCE_NO_SIMD)
#include <emmintrin.h>
#endif

namespace plk {
namespace {

using lzss::kMaxMatch;
using lzss_words::HeadOf;
using lzss_words::Load64;
using lzss_words::LoadBigEndian64;

// Moves a whole array's worth of slots by one, into the padding behind the array: a move of
// a fixed size needs no call and no branch on the size.
template <std::size_t kCount, typename Slot>
void MoveSlots(Slot* to, const Slot* from) {
    std::array<Slot, kCount> slots;
    std::memcpy(slots.data(), from, sizeof slots);
    std::memcpy(to, slots.data(), sizeof slots);
}

#if defined(__SSE2__) && !defined(PLKCE_NO_SIMD)
// One bit per slot of 32 16-bit slots, from compare results of four vectors of eight.
std::uint32_t SlotBits(__m128i first, __m128i second, __m128i third, __m128i fourth) {
    const auto low = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(first, second)));
    const auto high = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(third, fourth)));
    return low | high << 16;
}
#endif

}  // namespace

std::size_t LzssTrees::SharedLength(std::size_t a, std::size_t b) const {
    const std::uint8_t* x = m_bytes.data() + a;
    const std::uint8_t* y = m_bytes.data() + b;
    if (const std::uint64_t differ = Load64(x + 1) ^ Load64(y + 1); differ != 0) {
        return 1 + static_cast<std::size_t>(std::countr_zero(differ) >> 3);
    }
    if (const std::uint64_t differ = Load64(x + 9) ^ Load64(y + 9); differ != 0) {
        return 9 + static_cast<std::size_t>(std::countr_zero(differ) >> 3);
    }
    return x[17] != y[17] ? kMaxMatch - 1 : kMaxMatch;
}

std::size_t LzssTrees::CountBelow(std::size_t tree, std::int16_t head) const {
    const std::int16_t* heads = m_heads[tree].data();
    static_assert(kArrayCapacity == 32);
    // The array is sorted, so the slots below the head are the first ones; slots past the
    // count hold leftovers and are cut off by the count.
#if defined(__SSE2__) && !defined(PLKCE_NO_SIMD)
    const __m128i wanted = _mm_set1_epi16(head);
    auto below = [&](std::size_t i) {
        return _mm_cmplt_epi16(_mm_load_si128(reinterpret_cast<const __m128i*>(heads + i)), wanted);
    };
    const std::uint32_t bits = SlotBits(below(0), below(8), below(16), below(24));
    const auto run = static_cast<std::size_t>(std::countr_one(bits));
#else
    std::size_t run = 0;
    while (run < kArrayCapacity && heads[run] < head) {
        ++run;
    }
#endif
    return std::min<std::size_t>(run, m_count[tree]);
}

std::size_t LzssTrees::SlotOf(std::size_t tree, std::size_t id) const {
    const std::uint16_t* ids = m_ids[tree].data();
    // An id is in its tree once; leftovers past the count come after it.
#if defined(__SSE2__) && !defined(PLKCE_NO_SIMD)
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(id));
    auto same = [&](std::size_t i) {
        return _mm_cmpeq_epi16(_mm_load_si128(reinterpret_cast<const __m128i*>(ids + i)), wanted);
    };
    return static_cast<std::size_t>(
        std::countr_zero(SlotBits(same(0), same(8), same(16), same(24))));
#else
    std::size_t slot = 0;
    while (ids[slot] != id) {
        ++slot;
    }
    return slot;
#endif
}

std::size_t LzssTrees::PlaceAmongEqualHeads(std::size_t tree, std::size_t r, std::size_t below,
                                            std::size_t equal) const {
    // Strings that agree in their first three bytes are told apart by the rest.
    const std::uint8_t* key = m_bytes.data() + r;
    const std::uint64_t order1 = LoadBigEndian64(key + 3);
    const std::uint64_t order2 = LoadBigEndian64(key + 10);
    std::size_t at = below;
    for (const std::size_t end = below + equal; at < end; ++at) {
        const std::uint8_t* other = m_bytes.data() + m_ids[tree][at];
        const std::uint64_t other1 = LoadBigEndian64(other + 3);
        if (other1 != order1) {
            if (other1 > order1) {
                break;
            }
            continue;
        }
        if (LoadBigEndian64(other + 10) >= order2) {
            break;
        }
    }
    return at;
}

// As in the linked tree: the longest match, of equally long ones the one of lowest rank,
// and an equal string gives up its place and rank.
std::uint32_t LzssTrees::InsertIntoArray(std::size_t tree, std::size_t r) {
    std::uint16_t* ids = m_ids[tree].data();
    std::int16_t* heads = m_heads[tree].data();
    const std::int16_t head = HeadOf(m_bytes.data() + r);
    const std::size_t count = m_count[tree];
    const std::size_t below = CountBelow(tree, head);
    std::size_t at = below;
    std::uint32_t match = 0;  // nothing shares three bytes: a literal, whatever its place
    if (below < count && heads[below] == head) [[unlikely]] {
        std::size_t equal = 1;
        while (below + equal < count && heads[below + equal] == head) {
            ++equal;
        }
        at = PlaceAmongEqualHeads(tree, r, below, equal);
        // Only the strings with the same head can share more than two bytes.
        const std::size_t end = below + equal;
        const std::size_t before = at > below ? SharedLength(ids[at - 1], r) : 0;
        const std::size_t after = at < end ? SharedLength(ids[at], r) : 0;
        if (after == kMaxMatch) {
            const std::size_t same = ids[at];
            ids[at] = static_cast<std::uint16_t>(r);
            m_rank[Node(r)] = m_rank[Node(same)];
            m_parent[Node(r)] = kInArray;
            m_parent[Node(same)] = kNil;
            return static_cast<std::uint32_t>(kMaxMatch << 26 | same);
        }
        const std::size_t length = std::max(before, after);
        std::size_t lowest = before == length ? ids[at - 1] : ids[at];
        for (std::size_t i = at; i > below && SharedLength(ids[i - 1], r) == length; --i) {
            lowest = m_rank[Node(ids[i - 1])] < m_rank[Node(lowest)] ? ids[i - 1] : lowest;
        }
        for (std::size_t i = at; i < end && SharedLength(ids[i], r) == length; ++i) {
            lowest = m_rank[Node(ids[i])] < m_rank[Node(lowest)] ? ids[i] : lowest;
        }
        match = static_cast<std::uint32_t>(length << 26 | lowest);
    }
    MoveSlots<kArrayCapacity>(heads + at + 1, heads + at);
    MoveSlots<kArrayCapacity>(ids + at + 1, ids + at);
    heads[at] = head;
    ids[at] = static_cast<std::uint16_t>(r);
    m_parent[Node(r)] = kInArray;
    ++m_count[tree];
    return match;
}

void LzssTrees::DeleteFromArray(std::size_t tree, std::size_t p) {
    std::uint16_t* ids = m_ids[tree].data();
    const std::size_t count = m_count[tree];
    const std::size_t at = SlotOf(tree, p);
    // Without a branch, as whether the predecessor takes the rank is a coin toss: a missing
    // neighbour reads kNil's rank, 0, which ranks after nothing.
    const Rank rank = m_rank[Node(p)];
    const std::size_t before = at > 0 ? Node(ids[at - 1]) : kNil;
    const std::size_t after = at + 1 < count ? Node(ids[at + 1]) : kNil;
    const Rank beforeRank = m_rank[before];
    const bool handOn = (beforeRank > rank) & (m_rank[after] > rank);
    m_rank[before] = handOn ? rank : beforeRank;
    std::int16_t* heads = m_heads[tree].data();
    MoveSlots<kArrayCapacity>(heads + at, heads + at + 1);
    MoveSlots<kArrayCapacity>(ids + at, ids + at + 1);
    m_parent[Node(p)] = kNil;
    --m_count[tree];
}

}  // namespace plk
