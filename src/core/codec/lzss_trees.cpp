#include "core/codec/lzss_trees.h"

#include <algorithm>
#include <cstring>

#include "core/codec/lzss_words.h"

namespace plk {
namespace {

using lzss::kMaxMatch;
using lzss::kRingSize;

}  // namespace

LzssTrees::LzssTrees() {
    m_top.fill(kNil);
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

// Enters the string of id r with this rank and returns the longest earlier match.
[[gnu::always_inline]] inline std::uint32_t LzssTrees::InsertNode(std::size_t r, Rank rank) {
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
[[gnu::always_inline]] inline void LzssTrees::DeleteNode(std::size_t p) {
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

void LzssTrees::RunListedSteps(std::size_t base, std::size_t count, std::size_t first,
                               std::uint32_t* results) {
    std::size_t k = 0;
    while (k < count) {
        const std::uint32_t listed = m_steps[k];
        const std::size_t step = base + (listed >> 2);
        const std::size_t entered = IdOf(static_cast<std::ptrdiff_t>(step));
        if ((listed & kDeleteWork) != 0) {
            DeleteNode(IdOf(static_cast<std::ptrdiff_t>(step) - kDeleteLag));
        }
        ++k;
        if ((listed & kInsertWork) == 0) {
            continue;
        }
        // The next listed step goes along when its string enters another tree and its
        // deletion leaves this one's alone.
        if (k < count) {
            const std::uint32_t nextListed = m_steps[k];
            const std::size_t nextStep = base + (nextListed >> 2);
            const std::size_t nextEntered = IdOf(static_cast<std::ptrdiff_t>(nextStep));
            const std::size_t nextDeleted =
                IdOf(static_cast<std::ptrdiff_t>(nextStep) - kDeleteLag);
            const std::uint8_t tree = m_bytes[entered];
            if ((nextListed & kInsertWork) != 0 && m_bytes[nextEntered] != tree &&
                ((nextListed & kDeleteWork) == 0 || m_bytes[nextDeleted] != tree)) {
                if ((nextListed & kDeleteWork) != 0) {
                    DeleteNode(nextDeleted);
                }
                ++k;
                InsertTwoNodes(entered, RankOf(step), nextEntered, RankOf(nextStep),
                               results[step - first], results[nextStep - first]);
                continue;
            }
        }
        results[step - first] = InsertNode(entered, RankOf(step));
    }
}

void LzssTrees::TakeTreesFrom(const LzssTrees& other, const std::array<bool, 256>& trees) {
    // A node is in a tree exactly when it has a parent, and each node is in at most one
    // tree: the other lane's nodes are the ones it gave a parent.
    for (std::size_t node = 0; node < lzss::kRingSize; ++node) {
        if (other.m_parent[node] != kNil) {
            m_child[node] = other.m_child[node];
            m_parent[node] = other.m_parent[node];
            m_rank[node] = other.m_rank[node];
            m_bucketSize[node] = other.m_bucketSize[node];
        }
    }
    for (std::size_t tree = 0; tree < trees.size(); ++tree) {
        if (!trees[tree]) {
            continue;
        }
        m_child[kRootBase + tree] = other.m_child[kRootBase + tree];
        m_heads[tree] = other.m_heads[tree];
        m_ids[tree] = other.m_ids[tree];
        m_count[tree] = other.m_count[tree];
        m_linked[tree] = other.m_linked[tree];
        const auto buckets = static_cast<std::ptrdiff_t>(tree << 8);
        std::copy_n(other.m_top.begin() + buckets, 256, m_top.begin() + buckets);
    }
}

void LzssTrees::RunEveryStep(std::size_t from, std::size_t to, std::size_t first,
                             std::uint32_t* results) {
    std::size_t j = from;
    while (j + 2 < to) {
        const auto step = static_cast<std::ptrdiff_t>(j);
        const std::size_t r = IdOf(step);
        DeleteNode(IdOf(step - kDeleteLag));
        const std::size_t tree = m_bytes[r];
        std::size_t partner = 0;  // steps ahead
        std::size_t done = 0;     // steps after this one that are wholly done
        for (std::size_t ahead = 1; ahead <= 2 && Walks(tree); ++ahead) {
            const auto later = step + static_cast<std::ptrdiff_t>(ahead);
            const std::size_t s = IdOf(later);
            const std::size_t deleted = IdOf(later - kDeleteLag);
            if (m_bytes[s] == tree || m_bytes[deleted] == tree) {
                break;
            }
            DeleteNode(deleted);
            if (Walks(m_bytes[s])) {
                partner = ahead;
                break;
            }
            results[j + ahead - first] = InsertNode(s, RankOf(j + ahead));
            done = ahead;
        }
        if (partner != 0) {
            InsertTwoNodes(r, RankOf(j), IdOf(step + static_cast<std::ptrdiff_t>(partner)),
                           RankOf(j + partner), results[j - first], results[j + partner - first]);
            j += partner + 1;
        } else {
            results[j - first] = InsertNode(r, RankOf(j));
            j += done + 1;
        }
    }
    for (; j < to; ++j) {
        DeleteNode(IdOf(static_cast<std::ptrdiff_t>(j) - kDeleteLag));
        results[j - first] = InsertNode(IdOf(static_cast<std::ptrdiff_t>(j)), RankOf(j));
    }
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
                InsertNode(IdOf(-i), static_cast<Rank>(i - 1));
            }
        }
        if (owned[input[0]]) {
            results[0] = InsertNode(IdOf(0), RankOf(0));
        }
        ++j;
    }
    while (j < last) {
        const std::size_t chunkEnd = std::min(last, j + kFillAhead);
        FillTo(input, chunkEnd + kMaxMatch - 1);
        if (ownsAll) {
            RunEveryStep(j, chunkEnd, first, results);
            j = chunkEnd;
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
        RunListedSteps(j, count, first, results);
        j = chunkEnd;
    }
}

}  // namespace plk
