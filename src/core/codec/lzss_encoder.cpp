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
    m_matchPosition = 0;
    m_matchLength = 0;
}

// Enters the string at ring position r into the tree of its first byte and leaves the
// longest earlier match in m_matchPosition / m_matchLength. A string equal in all 18 bytes
// takes the older node's place, so the tree keeps the most recent copy.
void LzssEncoder::InsertNode(std::size_t r) {
    const std::uint8_t* ring = m_ring.data();
    const std::uint8_t* key = ring + r;
    // Bytes 1 to 16 of the key as two words, both as loaded (to find the first differing
    // byte: the host is little-endian, so it owns the lowest set bit of the XOR) and
    // byte-swapped (so that comparing words orders them like the strings).
    const std::uint64_t key1 = Load64(key + 1);
    const std::uint64_t key2 = Load64(key + 9);
    const std::uint64_t order1 = ByteSwap(key1);
    const std::uint64_t order2 = ByteSwap(key2);
    const std::uint8_t key17 = key[17];

    m_child[r][kLeft] = kNil;
    m_child[r][kRight] = kNil;
    // The best match so far packed as length, then 4095 - depth, then position: taking the
    // maximum keeps the longest match and, of equally long ones, the first met, without a
    // branch. A path holds at most 4079 nodes, so the depth field never runs out.
    std::uint32_t best = 0;
    std::uint32_t depthTag = 4095u << 12;
    std::size_t p = kRootBase + key[0];
    std::uint32_t next = m_child[p][kRight];
    bool goRight = true;
    // Each step waits only for the loads of the node's children and of its first string
    // word, which are issued together; the match bookkeeping stays off that chain.
    while (next != kNil) {
        p = next;
        std::uint32_t children;
        std::memcpy(&children, m_child[p].data(), sizeof children);
        const std::uint8_t* candidate = ring + p;
        const std::uint64_t word1 = Load64(candidate + 1);
        std::uint32_t length;
        if (word1 != key1) {
            length = 1 + static_cast<std::uint32_t>(std::countr_zero(word1 ^ key1) >> 3);
            goRight = order1 > ByteSwap(word1);
        } else if (const std::uint64_t word2 = Load64(candidate + 9); word2 != key2) {
            length = 9 + static_cast<std::uint32_t>(std::countr_zero(word2 ^ key2) >> 3);
            goRight = order2 > ByteSwap(word2);
        } else if (key17 != candidate[17]) {
            length = kMaxMatch - 1;
            goRight = key17 > candidate[17];
        } else {
            m_matchPosition = p;
            m_matchLength = kMaxMatch;
            ReplaceNode(p, r);
            return;
        }
        best = std::max(best, (length << 24) | depthTag | static_cast<std::uint32_t>(p));
        depthTag -= 1u << 12;
        next = goRight ? children >> 16 : children & 0xFFFF;
    }
    m_child[p][goRight ? kRight : kLeft] = static_cast<std::uint16_t>(r);
    m_parent[r] = static_cast<std::uint16_t>(p);
    m_matchPosition = best & 0xFFF;
    m_matchLength = best >> 24;
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

std::size_t LzssEncoder::Encode(std::span<const std::uint8_t> input,
                                std::vector<std::uint8_t>& out) {
    if (input.empty()) {
        return 0;
    }
    Reset();
    const std::size_t start = out.size();
    out.resize(start + lzss::MaxStreamSize(input.size()));
    std::uint8_t* const dst = out.data() + start;
    std::uint8_t* const ring = m_ring.data();

    // The flag byte of the open group is filled in when the group closes.
    std::size_t flagAt = 0;
    std::size_t written = 1;
    unsigned flags = 0;
    unsigned mask = 1;

    std::size_t s = 0;
    std::size_t r = kFirstWrite;
    std::size_t len = std::min(kMaxMatch, input.size());
    std::memcpy(ring + r, input.data(), len);
    std::size_t next = len;
    // The 18 zero strings just before the look-ahead go in first, nearest first, so that
    // runs of zeros can match the zero-filled ring from the start.
    for (std::size_t i = 1; i <= kMaxMatch; ++i) {
        InsertNode(r - i);
    }
    InsertNode(r);

    do {
        m_matchLength = std::min(m_matchLength, len);
        if (m_matchLength <= lzss::kThreshold) {
            m_matchLength = 1;
            flags |= mask;
            dst[written++] = ring[r];
        } else {
            dst[written++] = static_cast<std::uint8_t>(m_matchPosition & 0xFF);
            dst[written++] = static_cast<std::uint8_t>(((m_matchPosition >> 4) & 0xF0) |
                                                       (m_matchLength - lzss::kMinMatch));
        }
        mask <<= 1;
        if (mask == 0x100) {
            dst[flagAt] = static_cast<std::uint8_t>(flags);
            flagAt = written++;
            flags = 0;
            mask = 1;
        }

        const std::size_t last = m_matchLength;
        std::size_t i = 0;
        for (; i < last && next < input.size(); ++i) {
            DeleteNode(s);
            const std::uint8_t c = input[next++];
            ring[s] = c;
            if (s < kMaxMatch - 1) {
                ring[s + kRingSize] = c;
            }
            s = (s + 1) & kRingMask;
            r = (r + 1) & kRingMask;
            InsertNode(r);
        }
        // The input is used up: keep sliding so the look-ahead shrinks to what is left.
        for (; i < last; ++i) {
            DeleteNode(s);
            s = (s + 1) & kRingMask;
            r = (r + 1) & kRingMask;
            if (--len > 0) {
                InsertNode(r);
            }
        }
    } while (len > 0);

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
