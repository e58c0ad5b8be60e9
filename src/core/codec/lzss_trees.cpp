#include "core/codec/lzss_trees.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plk {
namespace {

using lzss::kMaxMatch;
using lzss::kRingSize;

// The string entered by step j replaces in the ring the one entered 4079 steps before.
constexpr std::ptrdiff_t kDeleteLag = static_cast<std::ptrdiff_t>(lzss::kFirstWrite) + 1;

std::uint64_t Load64(const std::uint8_t* bytes) {
    std::uint64_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

std::uint64_t ByteSwap(std::uint64_t value) {
    return __builtin_bswap64(value);
}

// Moves a whole array's worth of slots by one, into the padding behind the array: a move of
// a fixed size needs no call and no branch on the size.
template <std::size_t kCount, typename Slot>
void MoveSlots(Slot* to, const Slot* from) {
    std::array<Slot, kCount> slots;
    std::memcpy(slots.data(), from, sizeof slots);
    std::memcpy(to, slots.data(), sizeof slots);
}

// The two bytes after a string's first, which order the strings of one tree, with the top
// bit flipped: signed 16-bit comparisons then give their order.
std::int16_t HeadOf(const std::uint8_t* string) {
    return static_cast<std::int16_t>((string[1] << 8 | string[2]) ^ 0x8000);
}

#if defined(__SSE2__)
// One bit per slot of 32 16-bit slots, from compare results of four vectors of eight.
std::uint32_t SlotBits(__m128i first, __m128i second, __m128i third, __m128i fourth) {
    const auto low = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(first, second)));
    const auto high = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(third, fourth)));
    return low | high << 16;
}
#endif

}  // namespace

LzssTrees::LzssTrees() {
    m_top.fill(kNil);
}

void LzssTrees::ForgetTops(std::size_t tree) {
    std::fill_n(m_top.begin() + static_cast<std::ptrdiff_t>(tree << 8), 256, kNil);
}

std::size_t LzssTrees::BucketOf(std::size_t id) const {
    return std::size_t{m_bytes[id]} << 8 | m_bytes[id + 1];
}

std::size_t LzssTrees::TopOfBucketFrom(std::size_t bucket, std::size_t id) const {
    while (id != kNil) {
        const std::size_t here = BucketOf(id);
        if (here == bucket) {
            return id;
        }
        id = m_child[Node(id)][here < bucket ? kRight : kLeft];
    }
    return kNil;
}

void LzssTrees::Reset() {
    m_bytes.fill(0);
    for (std::size_t root = kRootBase; root < kNodeCount; ++root) {
        m_child[root][kRight] = kNil;
    }
    std::fill(m_parent.begin(), m_parent.begin() + lzss::kRingSize, kNil);
    for (std::size_t tree = 0; tree < m_linked.size(); ++tree) {
        if (m_linked[tree]) {
            ForgetTops(tree);
        }
    }
    m_count.fill(0);
    m_linked.fill(false);
    m_filled = 0;
}

void LzssTrees::FillTo(std::span<const std::uint8_t> input, std::size_t end) {
    const std::size_t copyEnd = std::min(end, input.size());
    while (m_filled < copyEnd) {
        // Up to the end of the input, or of the half, whichever comes first.
        const std::size_t id = IdOf(static_cast<std::ptrdiff_t>(m_filled));
        const std::size_t run = std::min(copyEnd - m_filled, kRingSize - (id & kRingMask));
        std::memcpy(m_bytes.data() + id, input.data() + m_filled, run);
        m_filled += run;
    }
    for (; m_filled < end; ++m_filled) {
        // Past the end nothing more is written to the ring: it keeps the byte from 4096
        // positions before, or its initial zero.
        m_bytes[IdOf(static_cast<std::ptrdiff_t>(m_filled))] =
            m_filled >= kRingSize ? input[m_filled - kRingSize] : 0;
    }
    std::memcpy(m_bytes.data() + kRingSize, m_bytes.data() + kOddHalf, kMirror);
    std::memcpy(m_bytes.data() + kOddHalf + kRingSize, m_bytes.data(), kMirror);
}

// Enters the string of id r into the linked tree of its first byte and returns the longest
// earlier match. Of equally long matches the one met first on the way down wins. A string
// equal in all 18 bytes takes the older node's place, so the tree keeps the latest copy.
std::uint32_t LzssTrees::InsertIntoLinkedTree(std::size_t r) {
    const std::uint8_t* key = m_bytes.data() + r;
    const std::uint64_t key1 = Load64(key + 1);
    const std::uint64_t key2 = Load64(key + 9);
    // Byte-swapped words compare as the strings do.
    const std::uint64_t order1 = ByteSwap(key1);
    const std::uint64_t order2 = ByteSwap(key2);
    const std::uint8_t key17 = key[17];
    m_child[Node(r)][kLeft] = kNil;
    m_child[Node(r)][kRight] = kNil;

    // The best match so far is packed as length, then 4095 - depth, then id: taking the
    // maximum keeps the longest match and, of equally long ones, the first met, without a
    // branch. A path holds fewer than 4096 nodes, so the depth field never runs out.
    std::uint32_t best = 0;
    std::uint32_t depthTag = static_cast<std::uint32_t>(kRingMask) << 14;
    // The strings above the top of the string's bucket share only the first byte with it:
    // the walk can start at the top.
    const std::size_t bucket = std::size_t{key[0]} << 8 | key[1];
    const std::size_t top = m_top[bucket];
    std::size_t p = kRootBase + key[0];
    bool goRight = true;
    std::size_t next = top != kNil ? top : m_child[p][kRight];
    while (next != kNil) {
        p = next;
        const std::uint32_t children = ChildPair(Node(p));
        const std::uint8_t* candidate = m_bytes.data() + p;
        const std::uint64_t word1 = Load64(candidate + 1);
        const std::uint64_t differ1 = word1 ^ key1;
        const std::uint64_t word2 = Load64(candidate + 9);
        const std::uint64_t differ2 = word2 ^ key2;
        const std::uint8_t byte17 = candidate[17];
        if ((differ1 | differ2) == 0 && key17 == byte17) [[unlikely]] {
            ReplaceNode(p, r);
            m_rank[Node(r)] = m_rank[Node(p)];
            if (top == p) {
                m_top[bucket] = static_cast<std::uint16_t>(r);
            }
            return (static_cast<std::uint32_t>(kMaxMatch) << 26) | static_cast<std::uint32_t>(p);
        }
        // Without a branch on how far the strings agree: in text that is a coin toss.
        const bool right1 = order1 > ByteSwap(word1);
        const bool right2 = order2 > ByteSwap(word2);
        goRight = differ1 != 0 ? right1 : (differ2 != 0 ? right2 : key17 > byte17);
        const auto bytes1 = static_cast<std::uint32_t>(std::countr_zero(differ1) >> 3);
        const auto bytes2 = static_cast<std::uint32_t>(std::countr_zero(differ2) >> 3);
        const std::uint32_t length = 1 + bytes1 + (differ1 == 0 ? bytes2 : 0);
        best = std::max(best, (length << 26) | depthTag | static_cast<std::uint32_t>(p));
        depthTag -= 1u << 14;
        next = goRight ? children >> 16 : children & 0xFFFF;
    }
    m_child[Node(p)][goRight ? kRight : kLeft] = static_cast<std::uint16_t>(r);
    m_parent[Node(r)] = static_cast<std::uint16_t>(Node(p));
    ++m_count[key[0]];
    if (top == kNil) {
        m_top[bucket] = static_cast<std::uint16_t>(r);
    }
    return best;
}

std::uint32_t LzssTrees::ChildPair(std::size_t node) const {
    std::uint32_t pair;
    std::memcpy(&pair, m_child[node].data(), sizeof pair);
    return pair;
}

// Makes q (an id, or kNil) the child of p's parent in p's place.
void LzssTrees::SetChildOfParent(std::size_t p, std::size_t q) {
    std::array<std::uint16_t, 2>& up = m_child[m_parent[Node(p)]];
    // Indexing by the side saves a hard-to-predict branch.
    up[up[kRight] == p ? kRight : kLeft] = static_cast<std::uint16_t>(q);
}

// r takes p's place in its tree; p leaves the tree. Both are ids. Writes to the parent of
// kNil are harmless: that entry is never read.
void LzssTrees::ReplaceNode(std::size_t p, std::size_t r) {
    const std::size_t node = Node(p);
    m_parent[Node(r)] = m_parent[node];
    m_child[Node(r)] = m_child[node];
    m_parent[Node(m_child[node][kLeft])] = static_cast<std::uint16_t>(Node(r));
    m_parent[Node(m_child[node][kRight])] = static_cast<std::uint16_t>(Node(r));
    SetChildOfParent(p, r);
    m_parent[node] = kNil;
}

// Removes id p from its linked tree. A node with two children is replaced by the rightmost
// node of its left subtree, which takes its rank.
void LzssTrees::DeleteFromLinkedTree(std::size_t p) {
    const std::size_t node = Node(p);
    const std::size_t bucket = BucketOf(p);
    const bool wasTop = m_top[bucket] == p;
    const std::size_t left = m_child[node][kLeft];
    const std::size_t right = m_child[node][kRight];
    std::size_t q;
    if (left == kNil || right == kNil) {
        q = left == kNil ? right : left;  // the only child, or kNil for a leaf
    } else {
        q = left;
        if (m_child[Node(q)][kRight] != kNil) {
            do {
                q = m_child[Node(q)][kRight];
            } while (m_child[Node(q)][kRight] != kNil);
            const std::size_t qParent = m_parent[Node(q)];
            m_child[qParent][kRight] = m_child[Node(q)][kLeft];
            m_parent[Node(m_child[Node(q)][kLeft])] = static_cast<std::uint16_t>(qParent);
            m_child[Node(q)][kLeft] = static_cast<std::uint16_t>(left);
            m_parent[Node(left)] = static_cast<std::uint16_t>(Node(q));
        }
        m_child[Node(q)][kRight] = static_cast<std::uint16_t>(right);
        m_parent[Node(right)] = static_cast<std::uint16_t>(Node(q));
        // The predecessor takes the rank, and may become the top of its own bucket.
        if (const std::size_t its = BucketOf(q);
            its != bucket && m_rank[node] < m_rank[Node(m_top[its])]) {
            m_top[its] = static_cast<std::uint16_t>(q);
        }
        m_rank[Node(q)] = m_rank[node];
    }
    m_parent[Node(q)] = m_parent[node];
    SetChildOfParent(p, q);
    m_parent[node] = kNil;
    --m_count[m_bytes[p]];
    if (wasTop) {
        // What is left of the bucket hangs below the string that took p's place.
        m_top[bucket] = static_cast<std::uint16_t>(TopOfBucketFrom(bucket, q));
    }
}

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
#if defined(__SSE2__)
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
#if defined(__SSE2__)
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
    const std::uint64_t order1 = ByteSwap(Load64(key + 3));
    const std::uint64_t order2 = ByteSwap(Load64(key + 10));
    std::size_t at = below;
    for (const std::size_t end = below + equal; at < end; ++at) {
        const std::uint8_t* other = m_bytes.data() + m_ids[tree][at];
        const std::uint64_t other1 = ByteSwap(Load64(other + 3));
        if (other1 != order1) {
            if (other1 > order1) {
                break;
            }
            continue;
        }
        if (ByteSwap(Load64(other + 10)) >= order2) {
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
    const std::uint64_t rank = m_rank[Node(p)];
    const std::size_t before = at > 0 ? Node(ids[at - 1]) : kNil;
    const std::size_t after = at + 1 < count ? Node(ids[at + 1]) : kNil;
    const std::uint64_t beforeRank = m_rank[before];
    const bool handOn = (beforeRank > rank) & (m_rank[after] > rank);
    m_rank[before] = handOn ? rank : beforeRank;
    std::int16_t* heads = m_heads[tree].data();
    MoveSlots<kArrayCapacity>(heads + at, heads + at + 1);
    MoveSlots<kArrayCapacity>(ids + at, ids + at + 1);
    m_parent[Node(p)] = kNil;
    --m_count[tree];
}

// Builds the Cartesian tree of the array: each string hangs below the nearest string to its
// left that ranks before it, and takes the ones that rank after it as its left subtree.
void LzssTrees::MakeLinked(std::size_t tree) {
    const std::uint16_t* ids = m_ids[tree].data();
    const std::size_t count = m_count[tree];
    std::array<std::uint16_t, kArrayCapacity + 1> spine;  // ids, root first
    std::size_t depth = 0;
    const std::size_t root = kRootBase + tree;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t id = ids[i];
        std::size_t left = kNil;
        while (depth > 0 && m_rank[Node(spine[depth - 1])] > m_rank[Node(id)]) {
            left = spine[--depth];
        }
        m_child[Node(id)][kLeft] = static_cast<std::uint16_t>(left);
        m_child[Node(id)][kRight] = kNil;
        m_parent[Node(left)] = static_cast<std::uint16_t>(Node(id));
        const std::size_t parent = depth > 0 ? Node(spine[depth - 1]) : root;
        m_child[parent][kRight] = static_cast<std::uint16_t>(id);
        m_parent[Node(id)] = static_cast<std::uint16_t>(parent);
        spine[depth++] = static_cast<std::uint16_t>(id);
    }
    if (count == 0) {
        m_child[root][kRight] = kNil;
    }
    // Each bucket's top is its string of lowest rank.
    ForgetTops(tree);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t id = ids[i];
        std::uint16_t& top = m_top[BucketOf(id)];
        if (top == kNil || m_rank[Node(id)] < m_rank[Node(top)]) {
            top = static_cast<std::uint16_t>(id);
        }
    }
    m_linked[tree] = true;
}

// Lists the linked tree in order into the array.
void LzssTrees::MakeArray(std::size_t tree) {
    std::array<std::uint16_t, kArrayCapacity> pending;  // ids whose right part is still to come
    std::size_t depth = 0;
    std::size_t count = 0;
    std::size_t id = m_child[kRootBase + tree][kRight];
    while (id != kNil || depth > 0) {
        for (; id != kNil; id = m_child[Node(id)][kLeft]) {
            pending[depth++] = static_cast<std::uint16_t>(id);
        }
        id = pending[--depth];
        m_ids[tree][count] = static_cast<std::uint16_t>(id);
        m_heads[tree][count] = HeadOf(m_bytes.data() + id);
        m_parent[Node(id)] = kInArray;
        ++count;
        id = m_child[Node(id)][kRight];
    }
    m_child[kRootBase + tree][kRight] = kNil;
    ForgetTops(tree);
    m_linked[tree] = false;
}

// Enters the string of id r with this rank and returns the longest earlier match.
std::uint32_t LzssTrees::InsertNode(std::size_t r, std::uint64_t rank) {
    const std::size_t tree = m_bytes[r];
    m_rank[Node(r)] = rank;
    if (!m_linked[tree]) {
        if (m_count[tree] < kArrayCapacity) {
            return InsertIntoArray(tree, r);
        }
        MakeLinked(tree);
    }
    return InsertIntoLinkedTree(r);
}

// Removes id p from its tree, if it is in one.
void LzssTrees::DeleteNode(std::size_t p) {
    if (m_parent[Node(p)] == kNil) {
        return;
    }
    const std::size_t tree = m_bytes[p];
    if (!m_linked[tree]) {
        DeleteFromArray(tree, p);
        return;
    }
    DeleteFromLinkedTree(p);
    if (m_count[tree] <= kArrayAgain) {
        MakeArray(tree);
    }
}

void LzssTrees::Run(std::span<const std::uint8_t> input, const std::array<bool, 256>& owned,
                    std::size_t first, std::size_t last, std::uint32_t* results) {
    const bool ownsAll = std::all_of(owned.begin(), owned.end(), [](bool own) { return own; });
    // The zero strings rank 0..17, then each step's string by its step.
    auto rankOf = [](std::size_t step) { return std::uint64_t{kMaxMatch} + step; };
    std::size_t j = first;
    if (j == 0 && j < last) {
        Reset();
        FillTo(input, std::min(kFillAhead, input.size()) + kMaxMatch);
        // The zero strings just before the look-ahead go in first, nearest first, so that
        // runs of zeros can match the zero-filled ring from the start.
        if (owned[0]) {
            for (std::ptrdiff_t i = 1; i <= static_cast<std::ptrdiff_t>(kMaxMatch); ++i) {
                InsertNode(IdOf(-i), static_cast<std::uint64_t>(i - 1));
            }
        }
        if (owned[input[0]]) {
            results[0] = InsertNode(IdOf(0), rankOf(0));
        }
        ++j;
    }
    while (j < last) {
        const std::size_t chunkEnd = std::min(last, j + kFillAhead);
        FillTo(input, chunkEnd + kMaxMatch - 1);
        if (ownsAll) {
            for (; j < chunkEnd; ++j) {
                DeleteNode(IdOf(static_cast<std::ptrdiff_t>(j) - kDeleteLag));
                results[j - first] = InsertNode(IdOf(static_cast<std::ptrdiff_t>(j)), rankOf(j));
            }
            continue;
        }
        // The steps of the chunk that touch this lane's trees, listed first without a branch,
        // so that the walk below does not stumble on the other lane's steps.
        std::size_t count = 0;
        for (std::size_t step = j; step < chunkEnd; ++step) {
            const std::size_t deleted = IdOf(static_cast<std::ptrdiff_t>(step) - kDeleteLag);
            const unsigned work = (owned[m_bytes[deleted]] ? kDeleteWork : 0u) |
                                  (owned[input[step]] ? kInsertWork : 0u);
            m_steps[count] = static_cast<std::uint32_t>((step - j) << 2 | work);
            count += work != 0;
        }
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t step = j + (m_steps[k] >> 2);
            if (m_steps[k] & kDeleteWork) {
                DeleteNode(IdOf(static_cast<std::ptrdiff_t>(step) - kDeleteLag));
            }
            if (m_steps[k] & kInsertWork) {
                results[step - first] =
                    InsertNode(IdOf(static_cast<std::ptrdiff_t>(step)), rankOf(step));
            }
        }
        j = chunkEnd;
    }
}

}  // namespace plk
