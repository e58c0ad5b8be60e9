#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/codec/lzss_format.h"

namespace plk {

// The match-finding trees of the LZSS encoder, for one lane of work.
//
// Step j of the encoder (from 1) deletes the string of input position j - 4079 and enters
// the string of input position j; before step 1 the 18 all-zero strings of positions
// -1..-18 and then position 0 are entered. Each string lives in the binary tree of its
// first byte, and a step's two operations touch only the trees of their strings' first
// bytes. So the 256 trees can be shared out among lanes that each run every step on their
// own trees only: the trees, and with them the matches, come out exactly as if one lane had
// run all of them.
//
// Give every string a rank: the order in which it was entered, handed on to the string that
// takes its place (an equal string entered later, or the predecessor that replaces a
// deleted string with two children). Parents always rank before their children, so a tree
// is the Cartesian tree of its strings in sorted order and their ranks. That lets a small
// tree be kept as a sorted array with ranks, searched without a walk down unpredictable
// turns:
//   - a deleted string has two children exactly when both its neighbours rank after it,
//     and then its predecessor takes its rank;
//   - of the strings sharing the most leading bytes with a new one (they sit next to its
//     place), the first on its search path is the one of lowest rank.
// A tree that outgrows its array is built as linked nodes from the same sequence, and goes
// back to an array when it shrinks; either way the matches are the linked tree's. In a
// linked tree the walk starts at the top of the new string's bucket (the strings with its
// first two bytes): those above it share one byte with it and cannot give a coded match.
// (lzss_tree_arrays.cpp and lzss_linked_trees.cpp hold the two forms.)
//
// A node is the ring position of its string (as in the decoder's ring), but its bytes are
// kept in two halves: the copies of the ring that even and odd rounds of 4096 input bytes
// fill. So the bytes of the strings can be copied in ahead, a chunk at a time, instead of
// one byte per step. A node's id carries the half in bit 13: id & 0x1FFF is the node,
// id itself the place of its bytes.
class LzssTrees {
public:
    LzssTrees();

    // Ranks are steps, so an input must have fewer steps than a rank can count.
    using Rank = std::uint32_t;
    static constexpr std::size_t kMaxInput = std::size_t{0xFFFFFFFF} - lzss::kMaxMatch;

    // A match: length in bits 26..31, the ring position in the low 12 bits.
    static std::size_t MatchLength(std::uint32_t match) { return match >> 26; }
    static std::size_t MatchPosition(std::uint32_t match) { return match & lzss::kRingMask; }

    // Runs steps [first, last) of `input` on the trees marked in `owned` and stores the
    // match of each string it enters at results[j - first]. Step 0 stands for the start:
    // the zero strings and position 0. Chunks must follow each other from step 0.
    void Run(std::span<const std::uint8_t> input, const std::array<bool, 256>& owned,
             std::size_t first, std::size_t last, std::uint32_t* results);

    // Takes over the trees marked in `trees` from `other`, a lane that ran the same steps on
    // them, so that this lane can run every step from here on alone.
    void TakeTreesFrom(const LzssTrees& other, const std::array<bool, 256>& trees);

private:
    static constexpr std::size_t kRingMask = lzss::kRingMask;
    static constexpr std::size_t kOddHalf = std::size_t{1} << 13;
    static constexpr std::size_t kNodeMask = kOddHalf - 1;
    static constexpr std::uint16_t kNil = static_cast<std::uint16_t>(lzss::kRingSize);
    // Nodes: ring positions 0..4095, kNil, then the 256 tree roots, which only use their
    // right child.
    static constexpr std::size_t kRootBase = lzss::kRingSize + 1;
    static constexpr std::size_t kNodeCount = kRootBase + 256;
    static constexpr int kLeft = 0;
    static constexpr int kRight = 1;
    // Bytes are copied in this far ahead of the steps; with two halves this keeps every
    // live string's bytes in place.
    static constexpr std::size_t kFillAhead = 2048;
    // Each half is followed by 17 bytes mirroring the start of the other, so that 18 bytes
    // can be read from any id without wrapping. kNil's bytes fall in the even half's mirror.
    static constexpr std::size_t kMirror = lzss::kMaxMatch - 1;

    static std::size_t IdOf(std::ptrdiff_t position) {
        const auto placed =
            static_cast<std::size_t>(static_cast<std::ptrdiff_t>(lzss::kFirstWrite) + position);
        return (placed & kRingMask) | ((placed << 1) & kOddHalf);
    }
    static std::size_t Node(std::size_t id) { return id & kNodeMask; }

public:
    // A tree held as an array has at most this many strings; one that has fallen to
    // kArrayAgain is made an array again.
    static constexpr std::size_t kArrayCapacity = 32;

private:
    static constexpr std::size_t kArrayAgain = 12;
    // m_parent of a node in an array.
    static constexpr std::uint16_t kInArray = 0xFFFF;

    void Reset();
    // Makes the bytes of input positions below `end` available, as the decoder's ring holds
    // them: past the input's end the ring still holds what was there 4096 bytes before.
    void FillTo(std::span<const std::uint8_t> input, std::size_t end);
    std::uint32_t InsertNode(std::size_t r, Rank rank);
    void DeleteNode(std::size_t p);

    std::uint32_t InsertIntoLinkedTree(std::size_t r);
    // Runs the steps listed in m_steps[0, count) of the chunk that starts at step `base`,
    // storing the match of step j at results[j - first]. Where two listed steps in a row
    // enter different trees and the second one's deletion leaves the first one's tree
    // alone, both deletions go first and the two strings then go down side by side, node
    // by node, so that each one's loads overlap the other's; every tree still sees its
    // steps in order.
    void RunListedSteps(std::size_t base, std::size_t count, std::size_t first,
                        std::uint32_t* results);
    // Whether entering a string in this tree walks down linked nodes.
    bool Walks(std::size_t tree) const { return m_linked[tree] || m_count[tree] >= kArrayCapacity; }
    void InsertTwoNodes(std::size_t r, Rank rRank, std::size_t s, Rank sRank, std::uint32_t& rMatch,
                        std::uint32_t& sMatch);
    // Runs steps [from, to) on every tree, as RunListedSteps does without a listing; and a
    // string that walks may go down with the one after next, when the next one enters a
    // tree held as an array, which takes its string at once.
    void RunEveryStep(std::size_t from, std::size_t to, std::size_t first, std::uint32_t* results);
    // The zero strings rank 0..17, then each step's string by its step.
    static Rank RankOf(std::size_t step) { return static_cast<Rank>(lzss::kMaxMatch + step); }
    // The string entered by step j replaces in the ring the one entered 4079 steps before.
    static constexpr std::ptrdiff_t kDeleteLag = static_cast<std::ptrdiff_t>(lzss::kFirstWrite) + 1;

    // One string's way down a linked tree, kept apart so that two of them, in different
    // trees, can take turns node by node: each node waits on loads the other's can overlap.
    struct Descent {
        std::size_t r;
        std::size_t bucket;
        std::size_t top;
        std::size_t p;
        std::size_t next;
        std::uint64_t order1;
        std::uint64_t order2;
        std::uint32_t best;
        std::uint8_t key17;
        bool replaced;
    };
    void BeginDescent(Descent& descent, std::size_t r);
    // Compares the string with the node at descent.next, which must not be kNil, and moves
    // on to its child; an equal string takes the node's place and ends the descent.
    void DescendOne(Descent& descent, std::uint32_t depthTag);
    // The best match so far is packed as length, then 4095 - depth, then id: taking the
    // maximum keeps the longest match and, of equally long ones, the first met, without a
    // branch. A path holds fewer than 4096 nodes, so the depth field never runs out. The
    // first tag also counts the first byte, which every string of the tree shares.
    static constexpr std::uint32_t kFirstDepthTag =
        (1u << 26) + (static_cast<std::uint32_t>(kRingMask) << 14);
    static constexpr std::uint32_t kDepthStep = 1u << 14;
    void TakePlace(std::size_t p, std::size_t r, std::size_t top, std::size_t bucket);
    // Hangs the string below the last node met (unless it took a node's place) and returns
    // its match.
    std::uint32_t EndDescent(Descent& descent);
    void DeleteFromLinkedTree(std::size_t p);
    void ReplaceNode(std::size_t p, std::size_t r);
    void SetChildOfParent(std::size_t p, std::size_t q);
    // Left child in the low half, right child in the high half.
    std::uint32_t ChildPair(std::size_t node) const;

    std::uint32_t InsertIntoArray(std::size_t tree, std::size_t r);
    void DeleteFromArray(std::size_t tree, std::size_t p);
    // How many strings of the array are below this head (a string's bytes 1 and 2).
    std::size_t CountBelow(std::size_t tree, std::int16_t head) const;
    // The slot of the string of this id in the array.
    std::size_t SlotOf(std::size_t tree, std::size_t id) const;
    // Where the string of id r belongs among the `equal` slots from `below` that agree with
    // it in the first three bytes: the place of the first string not below it.
    std::size_t PlaceAmongEqualHeads(std::size_t tree, std::size_t r, std::size_t below,
                                     std::size_t equal) const;
    // How many leading bytes the strings of two ids share, up to 18.
    std::size_t SharedLength(std::size_t a, std::size_t b) const;
    void MakeLinked(std::size_t tree);
    // A linked tree's strings of one bucket (first two bytes) sit together in sorted order,
    // so one of them is an ancestor of all the others: the top, the one of lowest rank.
    std::size_t BucketOf(std::size_t id) const;
    // The top of a bucket, looked for from a string above all of the bucket's strings.
    std::size_t TopOfBucketFrom(std::size_t bucket, std::size_t id) const;
    void ForgetTops(std::size_t tree);
    void MakeArray(std::size_t tree);

    // The bytes by id: the even half, its mirror, a gap never read, the odd half, its
    // mirror, and padding for 8-byte loads.
    alignas(64) std::array<std::uint8_t, kOddHalf + lzss::kRingSize + kMirror + 8> m_bytes{};
    // m_child[node][kLeft / kRight] holds ids: indexed by the comparison result so the
    // descent does not branch on the direction.
    alignas(64) std::array<std::array<std::uint16_t, 2>, kNodeCount> m_child{};
    // Nodes, not ids.
    alignas(64) std::array<std::uint16_t, kNodeCount> m_parent{};
    // Arrays: heads (the two bytes after the tree's own, ordered as signed numbers), and
    // ids, in the strings' order. The second half of each is room for moves of a whole array.
    alignas(64) std::array<std::array<std::int16_t, 2 * kArrayCapacity>, 256> m_heads{};
    alignas(64) std::array<std::array<std::uint16_t, 2 * kArrayCapacity>, 256> m_ids{};
    // Tops of the buckets of linked trees, by bucket; kNil otherwise.
    std::array<std::uint16_t, std::size_t{1} << 16> m_top;
    // By node, for the tops of linked trees' buckets: how many strings the bucket holds.
    // Most buckets of sound and other binary data hold one string, and a top that leaves
    // such a bucket empties it without a walk for what is left.
    std::array<std::uint16_t, lzss::kRingSize + 1> m_bucketSize{};
    // Strings per tree, and which trees are linked rather than arrays.
    std::array<std::uint16_t, 256> m_count{};
    std::array<bool, 256> m_linked{};
    // Ranks by node; kNil's stays 0.
    std::array<Rank, lzss::kRingSize + 1> m_rank{};
    std::size_t m_filled = 0;
    // The current chunk's steps for this lane: offset << 2 | kDeleteWork | kInsertWork.
    static constexpr unsigned kDeleteWork = 1;
    static constexpr unsigned kInsertWork = 2;
    std::array<std::uint32_t, kFillAhead> m_steps{};
};

}  // namespace plk
