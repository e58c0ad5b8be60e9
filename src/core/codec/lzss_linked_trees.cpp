// The linked form of the trees: nodes with children and parents, walked from the top of the
// new string's bucket; and the conversions between the linked and the array form.

#include <algorithm>
#include <bit>

#include "core/codec/lzss_trees.h"
#include "core/codec/lzss_words.h"

namespace plk {

using lzss::kMaxMatch;
using lzss_words::HeadOf;
using lzss_words::LoadBigEndian64;

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

[[gnu::always_inline]] inline void LzssTrees::BeginDescent(Descent& descent, std::size_t r) {
    const std::uint8_t* key = m_bytes.data() + r;
    descent.r = r;
    descent.order1 = LoadBigEndian64(key + 1);
    descent.order2 = LoadBigEndian64(key + 9);
    descent.key17 = key[17];
    m_child[Node(r)][kLeft] = kNil;
    m_child[Node(r)][kRight] = kNil;
    descent.best = 0;
    // The strings above the top of the string's bucket share only the first byte with it:
    // the walk can start at the top.
    descent.bucket = BucketOf(r);
    descent.top = m_top[descent.bucket];
    descent.p = kRootBase + key[0];
    descent.next = descent.top != kNil ? descent.top : m_child[descent.p][kRight];
    descent.replaced = false;
}

[[gnu::always_inline]] inline void LzssTrees::DescendOne(Descent& descent, std::uint32_t depthTag) {
    const std::size_t p = descent.next;
    descent.p = p;
    const std::uint32_t children = ChildPair(Node(p));
    const std::uint8_t* candidate = m_bytes.data() + p;
    const std::uint64_t word1 = LoadBigEndian64(candidate + 1);
    const std::uint64_t differ1 = word1 ^ descent.order1;
    bool goRight = descent.order1 > word1;
    auto shared = static_cast<std::uint32_t>(std::countl_zero(differ1) >> 3);
    if (differ1 == 0) [[unlikely]] {
        const std::uint64_t word2 = LoadBigEndian64(candidate + 9);
        const std::uint64_t differ2 = word2 ^ descent.order2;
        const std::uint8_t byte17 = candidate[17];
        if (differ2 == 0 && descent.key17 == byte17) {
            TakePlace(p, descent.r, descent.top, descent.bucket);
            descent.best = static_cast<std::uint32_t>(kMaxMatch << 26 | p);
            descent.replaced = true;
            descent.next = kNil;
            return;
        }
        goRight = differ2 != 0 ? descent.order2 > word2 : descent.key17 > byte17;
        shared = static_cast<std::uint32_t>(8 + (std::countl_zero(differ2) >> 3));
    }
    descent.best =
        std::max(descent.best, (shared << 26) + depthTag + static_cast<std::uint32_t>(p));
    descent.next = goRight ? children >> 16 : children & 0xFFFF;
}

// r, equal to p in all 18 bytes, takes p's place, rank and, if p was its bucket's top, that.
void LzssTrees::TakePlace(std::size_t p, std::size_t r, std::size_t top, std::size_t bucket) {
    ReplaceNode(p, r);
    m_rank[Node(r)] = m_rank[Node(p)];
    if (top == p) {
        m_top[bucket] = static_cast<std::uint16_t>(r);
        m_bucketSize[Node(r)] = m_bucketSize[Node(p)];
    }
}

[[gnu::always_inline]] inline std::uint32_t LzssTrees::EndDescent(Descent& descent) {
    if (descent.replaced) {
        return descent.best;
    }
    const std::size_t r = descent.r;
    // The side is found again here rather than carried down: the walks keep fewer values.
    const std::size_t p = descent.p;
    bool goRight = true;         // below a tree's root
    if (p - kRootBase >= 256) {  // a node's id, of either half
        const std::uint8_t* candidate = m_bytes.data() + p;
        const std::uint64_t word1 = LoadBigEndian64(candidate + 1);
        const std::uint64_t word2 = LoadBigEndian64(candidate + 9);
        goRight = descent.order1 != word1   ? descent.order1 > word1
                  : descent.order2 != word2 ? descent.order2 > word2
                                            : descent.key17 > candidate[17];
    }
    m_child[Node(p)][goRight ? kRight : kLeft] = static_cast<std::uint16_t>(r);
    m_parent[Node(r)] = static_cast<std::uint16_t>(Node(descent.p));
    ++m_count[m_bytes[r]];
    if (descent.top == kNil) {
        m_top[descent.bucket] = static_cast<std::uint16_t>(r);
        m_bucketSize[Node(r)] = 1;
    } else {
        ++m_bucketSize[Node(descent.top)];
    }
    return descent.best;
}

// Enters the string of id r into the linked tree of its first byte and returns the longest
// earlier match. Of equally long matches the one met first on the way down wins. A string
// equal in all 18 bytes takes the older node's place, so the tree keeps the latest copy.
std::uint32_t LzssTrees::InsertIntoLinkedTree(std::size_t r) {
    Descent descent;
    BeginDescent(descent, r);
    for (std::uint32_t depthTag = kFirstDepthTag; descent.next != kNil; depthTag -= kDepthStep) {
        DescendOne(descent, depthTag);
    }
    return EndDescent(descent);
}

void LzssTrees::InsertTwoNodes(std::size_t r, Rank rRank, std::size_t s, Rank sRank,
                               std::uint32_t& rMatch, std::uint32_t& sMatch) {
    // Trees held as arrays take their strings at once; only linked ones need a walk.
    auto linkedAfterEntry = [&](std::size_t id, Rank rank) {
        const std::size_t tree = m_bytes[id];
        m_rank[Node(id)] = rank;
        if (!m_linked[tree]) {
            if (m_count[tree] < kArrayCapacity) {
                return false;
            }
            MakeLinked(tree);
        }
        return true;
    };
    const bool rLinked = linkedAfterEntry(r, rRank);
    const bool sLinked = linkedAfterEntry(s, sRank);
    if (!rLinked || !sLinked) {
        rMatch = rLinked ? InsertIntoLinkedTree(r) : InsertIntoArray(m_bytes[r], r);
        sMatch = sLinked ? InsertIntoLinkedTree(s) : InsertIntoArray(m_bytes[s], s);
        return;
    }
    Descent first;
    Descent second;
    BeginDescent(first, r);
    BeginDescent(second, s);
    // The two are at the same depth as long as both go on.
    std::uint32_t depthTag = kFirstDepthTag;
    for (; first.next != kNil && second.next != kNil; depthTag -= kDepthStep) {
        DescendOne(first, depthTag);
        DescendOne(second, depthTag);
    }
    for (; first.next != kNil; depthTag -= kDepthStep) {
        DescendOne(first, depthTag);
    }
    for (; second.next != kNil; depthTag -= kDepthStep) {
        DescendOne(second, depthTag);
    }
    rMatch = EndDescent(first);
    sMatch = EndDescent(second);
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
    const std::size_t top = m_top[bucket];
    const bool wasTop = top == p;
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
            m_bucketSize[Node(q)] = m_bucketSize[Node(m_top[its])];
            m_top[its] = static_cast<std::uint16_t>(q);
        }
        m_rank[Node(q)] = m_rank[node];
    }
    m_parent[Node(q)] = m_parent[node];
    SetChildOfParent(p, q);
    m_parent[node] = kNil;
    --m_count[m_bytes[p]];
    const std::size_t remaining = m_bucketSize[Node(top)] - 1u;
    if (!wasTop) {
        m_bucketSize[Node(top)] = static_cast<std::uint16_t>(remaining);
    } else if (remaining == 0) {
        m_top[bucket] = kNil;
    } else {
        // What is left of the bucket hangs below the string that took p's place.
        const std::size_t newTop = TopOfBucketFrom(bucket, q);
        m_top[bucket] = static_cast<std::uint16_t>(newTop);
        m_bucketSize[Node(newTop)] = static_cast<std::uint16_t>(remaining);
    }
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
    // Each bucket's top is its string of lowest rank. A bucket's strings sit together.
    ForgetTops(tree);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t id = ids[i];
        std::uint16_t& top = m_top[BucketOf(id)];
        if (top == kNil) {
            top = static_cast<std::uint16_t>(id);
            m_bucketSize[Node(id)] = 1;
        } else {
            const auto size = static_cast<std::uint16_t>(m_bucketSize[Node(top)] + 1);
            if (m_rank[Node(id)] < m_rank[Node(top)]) {
                top = static_cast<std::uint16_t>(id);
            }
            m_bucketSize[Node(top)] = size;
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

}  // namespace plk
