#include "core/codec/lzss_trees.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

}  // namespace

void LzssTrees::Reset() {
    m_bytes.fill(0);
    for (std::size_t root = kRootBase; root < kNodeCount; ++root) {
        m_child[root][kRight] = kNil;
    }
    std::fill(m_parent.begin(), m_parent.begin() + lzss::kRingSize, kNil);
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

// Enters the string of id r into the tree of its first byte and returns the longest
// earlier match. Of equally long matches the one met first on the way down wins. A string
// equal in all 18 bytes takes the older node's place, so the tree keeps the latest copy.
[[gnu::always_inline]] inline std::uint32_t LzssTrees::InsertNode(std::size_t r) {
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
    std::size_t p = kRootBase + key[0];
    bool goRight = true;
    std::size_t next = m_child[p][kRight];
    while (next != kNil) {
        p = next;
        const std::uint32_t children = ChildPair(Node(p));
        const std::uint8_t* candidate = m_bytes.data() + p;
        const std::uint64_t word1 = Load64(candidate + 1);
        const std::uint64_t differ1 = word1 ^ key1;
        goRight = order1 > ByteSwap(word1);
        // A match of two bytes or fewer is coded as a literal whatever its place, so the
        // match is looked at only when the next two bytes agree as well (rare in packed
        // data such as PNG files).
        if ((differ1 & 0xFFFF) == 0) [[unlikely]] {
            std::uint32_t length;
            if (differ1 != 0) {
                length = 1 + static_cast<std::uint32_t>(std::countr_zero(differ1) >> 3);
            } else if (const std::uint64_t word2 = Load64(candidate + 9); word2 != key2) {
                length = 9 + static_cast<std::uint32_t>(std::countr_zero(word2 ^ key2) >> 3);
                goRight = order2 > ByteSwap(word2);
            } else if (key17 != candidate[17]) {
                length = kMaxMatch - 1;
                goRight = key17 > candidate[17];
            } else {
                ReplaceNode(p, r);
                return (static_cast<std::uint32_t>(kMaxMatch) << 26) |
                       static_cast<std::uint32_t>(p);
            }
            best = std::max(best, (length << 26) | depthTag | static_cast<std::uint32_t>(p));
        }
        depthTag -= 1u << 14;
        next = goRight ? children >> 16 : children & 0xFFFF;
    }
    m_child[Node(p)][goRight ? kRight : kLeft] = static_cast<std::uint16_t>(r);
    m_parent[Node(r)] = static_cast<std::uint16_t>(Node(p));
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

// Removes id p from its tree, if it is in one. A node with two children is replaced by the
// rightmost node of its left subtree.
[[gnu::always_inline]] inline void LzssTrees::DeleteNode(std::size_t p) {
    const std::size_t node = Node(p);
    if (m_parent[node] == kNil) {
        return;
    }
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
    }
    m_parent[Node(q)] = m_parent[node];
    SetChildOfParent(p, q);
    m_parent[node] = kNil;
}

void LzssTrees::Run(std::span<const std::uint8_t> input, const std::array<bool, 256>& owned,
                    std::size_t first, std::size_t last, std::uint32_t* results) {
    const bool ownsAll = std::all_of(owned.begin(), owned.end(), [](bool own) { return own; });
    std::size_t j = first;
    if (j == 0 && j < last) {
        Reset();
        FillTo(input, std::min(kFillAhead, input.size()) + kMaxMatch);
        // The zero strings just before the look-ahead go in first, nearest first, so that
        // runs of zeros can match the zero-filled ring from the start.
        if (owned[0]) {
            for (std::ptrdiff_t i = 1; i <= static_cast<std::ptrdiff_t>(kMaxMatch); ++i) {
                InsertNode(IdOf(-i));
            }
        }
        if (owned[input[0]]) {
            results[0] = InsertNode(IdOf(0));
        }
        ++j;
    }
    while (j < last) {
        const std::size_t chunkEnd = std::min(last, j + kFillAhead);
        FillTo(input, chunkEnd + kMaxMatch - 1);
        if (ownsAll) {
            for (; j < chunkEnd; ++j) {
                DeleteNode(IdOf(static_cast<std::ptrdiff_t>(j) - kDeleteLag));
                results[j - first] = InsertNode(IdOf(static_cast<std::ptrdiff_t>(j)));
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
                results[step - first] = InsertNode(IdOf(static_cast<std::ptrdiff_t>(step)));
            }
        }
        j = chunkEnd;
    }
}

}  // namespace plk
