#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "core/codec/lzss_format.h"
#include "core/codec/packed_item.h"

namespace plk {

// The LZSS compressor of the game export. Its output is fixed byte for byte: matches are
// found with one binary search tree per first byte over the ring positions, and of equally
// long matches the one met first on the search path wins. Any change to the order in which
// strings enter and leave the trees changes the stream.
//
// One encoder is reused for many items; each Encode starts from a fresh ring and trees.
// Not thread-safe: use one encoder per thread.
class LzssEncoder {
public:
    LzssEncoder();

    // Compresses `input` and appends the stream to `out`; returns the stream's length.
    // The stream is at most lzss::MaxStreamSize(input.size()) bytes; an empty input gives
    // an empty stream.
    std::size_t Encode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& out);
    std::vector<std::uint8_t> Encode(std::span<const std::uint8_t> input);

    // The whole file at `path`, compressed and named `resourceName`. An empty name gives an
    // empty item without touching the file system. Throws FileError (BadFormat for a file
    // of 4 GiB or more, which the 32-bit sizes cannot describe).
    PackedItem CompressFile(const std::filesystem::path& path, std::string_view resourceName);
    // `bytes` compressed, with an empty name. The caller keeps the input.
    PackedItem CompressMemory(std::span<const std::uint8_t> bytes);

private:
    static constexpr std::uint16_t kNil = static_cast<std::uint16_t>(lzss::kRingSize);
    // Node indices: ring positions 0..4095, kNil, then the 256 tree roots (one per first
    // byte), which only ever use their right child.
    static constexpr std::size_t kRootBase = lzss::kRingSize + 1;
    static constexpr std::size_t kNodeCount = kRootBase + 256;
    static constexpr int kLeft = 0;
    static constexpr int kRight = 1;

    void Reset();
    // An insertion under way: the key's words and the state of the walk down its tree.
    struct Descent {
        std::uint64_t key1;
        std::uint64_t key2;
        std::uint64_t order1;
        std::uint64_t order2;
        std::size_t r;
        std::size_t p;
        std::uint32_t next;
        std::uint32_t best;
        std::uint32_t depthTag;
        std::uint8_t key17;
        bool goRight;
        bool replaced;
    };

    // A match as the tree search leaves it: length in the top byte, the ring position in the
    // low 12 bits.
    static std::size_t MatchLength(std::uint32_t match) { return match >> 24; }
    static std::size_t MatchPosition(std::uint32_t match) { return match & 0xFFF; }
    static constexpr std::size_t kResultWindow = 64;  // more than the steps run ahead

    [[gnu::always_inline]] inline void AdvanceTo(std::size_t target,
                                                 std::span<const std::uint8_t> input);
    [[gnu::always_inline]] inline std::uint32_t InsertNode(std::size_t r);
    [[gnu::always_inline]] inline void InsertPair(std::size_t r1, std::size_t r2,
                                                  std::uint32_t& match1, std::uint32_t& match2);
    [[gnu::always_inline]] inline bool BeginDescent(Descent& d, std::size_t r);
    [[gnu::always_inline]] inline bool StepDown(Descent& d);
    [[gnu::always_inline]] inline std::uint32_t FinishDescent(const Descent& d);
    void PutByte(std::size_t s, std::uint8_t c) {
        m_ring[s] = c;
        if (s < lzss::kMaxMatch - 1) {
            m_ring[s + lzss::kRingSize] = c;  // the mirror
        }
    }
    [[gnu::always_inline]] inline void DeleteNode(std::size_t p);
    void ReplaceNode(std::size_t p, std::size_t r);
    void SetChildOfParent(std::size_t p, std::size_t q);

    // The ring plus 17 bytes mirroring positions 0..16, so that the 18 bytes starting at
    // any position can be compared without wrapping; padded so that 8-byte loads stay
    // inside the array.
    alignas(64) std::array<std::uint8_t, lzss::kRingSize + lzss::kMaxMatch - 1 + 8> m_ring{};
    // m_child[node][kLeft / kRight]: indexing by the comparison result keeps the descent
    // free of a branch on the direction.
    alignas(64) std::array<std::array<std::uint16_t, 2>, kNodeCount> m_child{};
    alignas(64) std::array<std::uint16_t, kNodeCount> m_parent{};
    // Matches of the latest steps, by input position modulo kResultWindow.
    std::array<std::uint32_t, kResultWindow> m_results{};
    std::size_t m_stepsDone = 0;
};

}  // namespace plk
