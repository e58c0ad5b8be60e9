#include "core/codec/lzss_encoder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "core/io/file_io.h"

namespace plk {
namespace {

using lzss::kFirstWrite;
using lzss::kMaxMatch;
using lzss::kRingMask;
using lzss::kRingSize;

std::uint64_t Load64(const std::uint8_t* bytes) {
    std::uint64_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

std::uint64_t ByteSwap(std::uint64_t value) {
    return __builtin_bswap64(value);
}

}  // namespace

LzssEncoder::LzssEncoder() {
    Reset();
}

void LzssEncoder::Reset() {
    m_ring.fill(0);
    for (std::size_t root = kRootBase; root < kNodeCount; ++root) {
        m_child[root][kRight] = kNil;
    }
    std::fill(m_parent.begin(), m_parent.begin() + kRingSize, kNil);
    m_stepsDone = 0;
}

// Enters the string at ring position r into the tree of its first byte and returns the
// longest earlier match (see MatchLength and MatchPosition). A string equal in all 18 bytes
// takes the older node's place, so the tree keeps the most recent copy.
std::uint32_t LzssEncoder::InsertNode(std::size_t r) {
    Descent descent;
    bool going = BeginDescent(descent, r);
    while (going) {
        going = StepDown(descent);
    }
    return FinishDescent(descent);
}

// Two insertions into different trees touch disjoint nodes, so their descents can run side
// by side: each step's loads are independent of the other's, and the processor overlaps
// them.
void LzssEncoder::InsertPair(std::size_t r1, std::size_t r2, std::uint32_t& match1,
                             std::uint32_t& match2) {
    Descent first;
    Descent second;
    bool going1 = BeginDescent(first, r1);
    bool going2 = BeginDescent(second, r2);
    while (going1 && going2) {
        going1 = StepDown(first);
        going2 = StepDown(second);
    }
    while (going1) {
        going1 = StepDown(first);
    }
    while (going2) {
        going2 = StepDown(second);
    }
    match1 = FinishDescent(first);
    match2 = FinishDescent(second);
}

bool LzssEncoder::BeginDescent(Descent& d, std::size_t r) {
    const std::uint8_t* key = m_ring.data() + r;
    d.key1 = Load64(key + 1);
    d.key2 = Load64(key + 9);
    d.order1 = ByteSwap(d.key1);
    d.order2 = ByteSwap(d.key2);
    d.key17 = key[17];
    d.r = r;
    m_child[r][kLeft] = kNil;
    m_child[r][kRight] = kNil;
    d.best = 0;
    d.depthTag = 4095u << 12;
    d.p = kRootBase + key[0];
    d.next = m_child[d.p][kRight];
    d.goRight = true;
    d.replaced = false;
    return d.next != kNil;
}

// One step down the tree; false once the descent has reached a free place or has put r in
// the place of an equal string. Each step waits only for the loads of the node's children
// and of its first string word, which are issued together; the match bookkeeping stays off
// that chain.
bool LzssEncoder::StepDown(Descent& d) {
    const std::size_t p = d.next;
    d.p = p;
    std::uint32_t children;
    std::memcpy(&children, m_child[p].data(), sizeof children);
    const std::uint8_t* candidate = m_ring.data() + p;
    const std::uint64_t word1 = Load64(candidate + 1);
    std::uint32_t length;
    if (word1 != d.key1) [[likely]] {
        length = 1 + static_cast<std::uint32_t>(std::countr_zero(word1 ^ d.key1) >> 3);
        d.goRight = d.order1 > ByteSwap(word1);
    } else if (const std::uint64_t word2 = Load64(candidate + 9); word2 != d.key2) {
        length = 9 + static_cast<std::uint32_t>(std::countr_zero(word2 ^ d.key2) >> 3);
        d.goRight = d.order2 > ByteSwap(word2);
    } else if (d.key17 != candidate[17]) {
        length = kMaxMatch - 1;
        d.goRight = d.key17 > candidate[17];
    } else {
        d.best = (static_cast<std::uint32_t>(kMaxMatch) << 24) | static_cast<std::uint32_t>(p);
        d.replaced = true;
        ReplaceNode(p, d.r);
        return false;
    }
    // The best match so far is packed as length, then 4095 - depth, then position: taking
    // the maximum keeps the longest match and, of equally long ones, the first met, without
    // a branch. A path holds at most 4079 nodes, so the depth field never runs out.
    d.best = std::max(d.best, (length << 24) | d.depthTag | static_cast<std::uint32_t>(p));
    d.depthTag -= 1u << 12;
    d.next = d.goRight ? children >> 16 : children & 0xFFFF;
    return d.next != kNil;
}

std::uint32_t LzssEncoder::FinishDescent(const Descent& d) {
    if (!d.replaced) {
        m_child[d.p][d.goRight ? kRight : kLeft] = static_cast<std::uint16_t>(d.r);
        m_parent[d.r] = static_cast<std::uint16_t>(d.p);
    }
    return d.best;
}

void LzssEncoder::SetChildOfParent(std::size_t p, std::size_t q) {
    std::array<std::uint16_t, 2>& up = m_child[m_parent[p]];
    // Indexing by the side saves a hard-to-predict branch.
    up[up[kRight] == p ? kRight : kLeft] = static_cast<std::uint16_t>(q);
}

// r takes p's place in its tree; p leaves the tree. Writes to the parent of kNil are
// harmless: that entry is never read.
void LzssEncoder::ReplaceNode(std::size_t p, std::size_t r) {
    m_parent[r] = m_parent[p];
    m_child[r] = m_child[p];
    m_parent[m_child[p][kLeft]] = static_cast<std::uint16_t>(r);
    m_parent[m_child[p][kRight]] = static_cast<std::uint16_t>(r);
    SetChildOfParent(p, r);
    m_parent[p] = kNil;
}

// Removes the string at ring position p from its tree (if it is in one). A node with two
// children is replaced by the rightmost node of its left subtree.
void LzssEncoder::DeleteNode(std::size_t p) {
    if (m_parent[p] == kNil) {
        return;
    }
    const std::size_t left = m_child[p][kLeft];
    const std::size_t right = m_child[p][kRight];
    std::size_t q;
    if (left == kNil || right == kNil) {
        q = left == kNil ? right : left;  // the only child, or kNil for a leaf
    } else {
        q = left;
        if (m_child[q][kRight] != kNil) {
            do {
                q = m_child[q][kRight];
            } while (m_child[q][kRight] != kNil);
            m_child[m_parent[q]][kRight] = m_child[q][kLeft];
            m_parent[m_child[q][kLeft]] = m_parent[q];
            m_child[q][kLeft] = static_cast<std::uint16_t>(left);
            m_parent[left] = static_cast<std::uint16_t>(q);
        }
        m_child[q][kRight] = static_cast<std::uint16_t>(right);
        m_parent[right] = static_cast<std::uint16_t>(q);
    }
    m_parent[q] = m_parent[p];
    SetChildOfParent(p, q);
    m_parent[p] = kNil;
}

// The trees see the same operations whatever the coder decides: step j (from 1) deletes
// the string at ring position j - 1, puts input byte j + 17 there and enters the string of
// input position j. The coder only reads the matches of the positions where its items
// start. So the steps run ahead of the coder, two at a time where they cannot interfere.
void LzssEncoder::AdvanceTo(std::size_t target, std::span<const std::uint8_t> input) {
    const std::size_t size = input.size();
    while (m_stepsDone < target) {
        const std::size_t j = m_stepsDone + 1;
        const std::size_t deleted = (j - 1) & kRingMask;
        const std::size_t entered = (kFirstWrite + j) & kRingMask;
        DeleteNode(deleted);
        if (j + kMaxMatch - 1 < size) {
            PutByte(deleted, input[j + kMaxMatch - 1]);
        }
        const std::size_t nextDeleted = j & kRingMask;
        const std::size_t nextEntered = (entered + 1) & kRingMask;
        // Steps j and j + 1 may overlap when their strings go to different trees and the
        // string that step j + 1 deletes is not in step j's tree: then neither sees the
        // other's effects, and the trees end as if the steps had run one after the other.
        const std::uint8_t tree = m_ring[entered];
        if (j + 1 < size && m_ring[nextEntered] != tree &&
            (m_parent[nextDeleted] == kNil || m_ring[nextDeleted] != tree)) {
            DeleteNode(nextDeleted);
            if (j + kMaxMatch < size) {
                PutByte(nextDeleted, input[j + kMaxMatch]);
            }
            InsertPair(entered, nextEntered, m_results[j % kResultWindow],
                       m_results[(j + 1) % kResultWindow]);
            m_stepsDone = j + 1;
        } else {
            m_results[j % kResultWindow] = InsertNode(entered);
            m_stepsDone = j;
        }
    }
}

std::size_t LzssEncoder::Encode(std::span<const std::uint8_t> input,
                                std::vector<std::uint8_t>& out) {
    if (input.empty()) {
        return 0;
    }
    Reset();
    const std::size_t size = input.size();
    const std::size_t start = out.size();
    out.resize(start + lzss::MaxStreamSize(size));
    std::uint8_t* const dst = out.data() + start;

    std::memcpy(m_ring.data() + kFirstWrite, input.data(), std::min(kMaxMatch, size));
    // The 18 zero strings just before the look-ahead go in first, nearest first, so that
    // runs of zeros can match the zero-filled ring from the start.
    for (std::size_t i = 1; i <= kMaxMatch; ++i) {
        InsertNode(kFirstWrite - i);
    }
    m_results[0] = InsertNode(kFirstWrite);
    m_stepsDone = 0;

    // The flag byte of the open group is filled in when the group closes.
    std::size_t flagAt = 0;
    std::size_t written = 1;
    unsigned flags = 0;
    unsigned mask = 1;
    for (std::size_t position = 0; position < size;) {
        AdvanceTo(position, input);
        const std::uint32_t match = m_results[position % kResultWindow];
        // Near the end the look-ahead holds fewer than 18 bytes.
        std::size_t length = std::min<std::size_t>(MatchLength(match), size - position);
        if (length <= lzss::kThreshold) {
            length = 1;
            flags |= mask;
            dst[written++] = input[position];
        } else {
            const std::size_t at = MatchPosition(match);
            dst[written++] = static_cast<std::uint8_t>(at & 0xFF);
            dst[written++] =
                static_cast<std::uint8_t>(((at >> 4) & 0xF0) | (length - lzss::kMinMatch));
        }
        mask <<= 1;
        if (mask == 0x100) {
            dst[flagAt] = static_cast<std::uint8_t>(flags);
            flagAt = written++;
            flags = 0;
            mask = 1;
        }
        position += length;
    }

    if (mask != 1) {
        dst[flagAt] = static_cast<std::uint8_t>(flags);
    } else {
        --written;  // the group that was opened last holds no item
    }
    out.resize(start + written);
    return written;
}

std::vector<std::uint8_t> LzssEncoder::Encode(std::span<const std::uint8_t> input) {
    std::vector<std::uint8_t> out;
    Encode(input, out);
    return out;
}

PackedItem LzssEncoder::CompressFile(const std::filesystem::path& path,
                                     std::string_view resourceName) {
    if (resourceName.empty()) {
        return {};
    }
    std::vector<std::uint8_t> input = ReadWholeFile(path);
    if (input.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw FileError(FileError::Kind::BadFormat, path, "4 GiB or larger");
    }
    PackedItem item = CompressMemory(input);
    item.name = std::string(resourceName);
    return item;
}

PackedItem LzssEncoder::CompressMemory(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("cannot compress 4 GiB or more into one item");
    }
    PackedItem item;
    item.unpackedSize = static_cast<std::uint32_t>(bytes.size());
    Encode(bytes, item.bytes);
    return item;
}

}  // namespace plk
