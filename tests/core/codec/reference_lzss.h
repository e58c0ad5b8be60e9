#pragma once

// Plain, unoptimised LZSS encoder and decoder, written to follow the algorithm step by step
// with the classic int tables and byte-by-byte comparisons. The production codec must give
// exactly the same bytes; the benchmarks use these as their baselines.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace plk::reference {

class LzssEncoder {
public:
    std::vector<std::uint8_t> Encode(std::span<const std::uint8_t> input) {
        std::vector<std::uint8_t> out;
        std::size_t next = 0;
        for (int i = 0; i < kN + 256 + 1; ++i) {
            m_right[i] = kNil;
        }
        for (int i = 0; i < kN; ++i) {
            m_parent[i] = kNil;
        }
        for (int i = 0; i < kN + kF - 1; ++i) {
            m_ring[i] = 0;
        }
        std::uint8_t group[17];
        int groupLength = 1;
        unsigned mask = 1;
        group[0] = 0;
        int s = 0;
        int r = kN - kF;
        int len = 0;
        while (len < kF && next < input.size()) {
            m_ring[r + len] = input[next++];
            ++len;
        }
        if (len == 0) {
            return out;
        }
        for (int i = 1; i <= kF; ++i) {
            InsertNode(r - i);
        }
        InsertNode(r);
        do {
            if (m_matchLength > len) {
                m_matchLength = len;
            }
            if (m_matchLength <= kThreshold) {
                m_matchLength = 1;
                group[0] |= static_cast<std::uint8_t>(mask);
                group[groupLength++] = m_ring[r];
            } else {
                group[groupLength++] = static_cast<std::uint8_t>(m_matchPosition & 0xFF);
                group[groupLength++] = static_cast<std::uint8_t>(
                    ((m_matchPosition >> 4) & 0xF0) | (m_matchLength - (kThreshold + 1)));
            }
            mask = (mask << 1) & 0xFF;
            if (mask == 0) {
                out.insert(out.end(), group, group + groupLength);
                group[0] = 0;
                groupLength = 1;
                mask = 1;
            }
            int last = m_matchLength;
            int i = 0;
            for (; i < last && next < input.size(); ++i) {
                std::uint8_t c = input[next++];
                DeleteNode(s);
                m_ring[s] = c;
                if (s < kF - 1) {
                    m_ring[s + kN] = c;
                }
                s = (s + 1) % kN;
                r = (r + 1) % kN;
                InsertNode(r);
            }
            while (i++ < last) {
                DeleteNode(s);
                s = (s + 1) % kN;
                r = (r + 1) % kN;
                if (--len) {
                    InsertNode(r);
                }
            }
        } while (len > 0);
        if (groupLength > 1) {
            out.insert(out.end(), group, group + groupLength);
        }
        return out;
    }

private:
    static constexpr int kN = 4096;
    static constexpr int kF = 18;
    static constexpr int kThreshold = 2;
    static constexpr int kNil = kN;

    void InsertNode(int r) {
        int cmp = 1;
        const std::uint8_t* key = &m_ring[r];
        int p = kN + 1 + key[0];
        m_right[r] = m_left[r] = kNil;
        m_matchLength = 0;
        for (;;) {
            if (cmp >= 0) {
                if (m_right[p] != kNil) {
                    p = m_right[p];
                } else {
                    m_right[p] = r;
                    m_parent[r] = p;
                    return;
                }
            } else {
                if (m_left[p] != kNil) {
                    p = m_left[p];
                } else {
                    m_left[p] = r;
                    m_parent[r] = p;
                    return;
                }
            }
            int i;
            for (i = 1; i < kF; ++i) {
                cmp = key[i] - m_ring[p + i];
                if (cmp != 0) {
                    break;
                }
            }
            if (i > m_matchLength) {
                m_matchPosition = p;
                m_matchLength = i;
                if (m_matchLength >= kF) {
                    break;
                }
            }
        }
        m_parent[r] = m_parent[p];
        m_left[r] = m_left[p];
        m_right[r] = m_right[p];
        m_parent[m_left[p]] = r;
        m_parent[m_right[p]] = r;
        if (m_right[m_parent[p]] == p) {
            m_right[m_parent[p]] = r;
        } else {
            m_left[m_parent[p]] = r;
        }
        m_parent[p] = kNil;
    }

    void DeleteNode(int p) {
        int q;
        if (m_parent[p] == kNil) {
            return;
        }
        if (m_right[p] == kNil) {
            q = m_left[p];
        } else if (m_left[p] == kNil) {
            q = m_right[p];
        } else {
            q = m_left[p];
            if (m_right[q] != kNil) {
                do {
                    q = m_right[q];
                } while (m_right[q] != kNil);
                m_right[m_parent[q]] = m_left[q];
                m_parent[m_left[q]] = m_parent[q];
                m_left[q] = m_left[p];
                m_parent[m_left[p]] = q;
            }
            m_right[q] = m_right[p];
            m_parent[m_right[p]] = q;
        }
        m_parent[q] = m_parent[p];
        if (m_right[m_parent[p]] == p) {
            m_right[m_parent[p]] = q;
        } else {
            m_left[m_parent[p]] = q;
        }
        m_parent[p] = kNil;
    }

    std::uint8_t m_ring[kN + kF - 1];
    int m_matchPosition = 0;
    int m_matchLength = 0;
    int m_left[kN + 1];
    int m_right[kN + 257];
    int m_parent[kN + 1];
};

// The byte-at-a-time ring decoder: every byte goes to the output and into the ring.
inline std::vector<std::uint8_t> Decode(std::span<const std::uint8_t> stream,
                                        std::size_t unpackedSize) {
    std::vector<std::uint8_t> out(unpackedSize, 0);
    std::uint8_t ring[4096] = {};
    std::size_t r = 4096 - 18;
    std::size_t produced = 0;
    std::size_t at = 0;
    unsigned flags = 0;
    while (produced < unpackedSize) {
        flags >>= 1;
        if ((flags & 0x100) == 0) {
            if (at >= stream.size()) {
                break;
            }
            flags = stream[at++] | 0xFF00u;
        }
        if (flags & 1) {
            if (at >= stream.size()) {
                break;
            }
            std::uint8_t c = stream[at++];
            out[produced++] = c;
            ring[r] = c;
            r = (r + 1) & 4095;
        } else {
            if (at + 1 >= stream.size()) {
                break;
            }
            std::size_t position = stream[at] | ((stream[at + 1] & 0xF0u) << 4);
            std::size_t length = (stream[at + 1] & 0x0Fu) + 3;
            at += 2;
            for (std::size_t k = 0; k < length && produced < unpackedSize; ++k) {
                std::uint8_t c = ring[(position + k) & 4095];
                out[produced++] = c;
                ring[r] = c;
                r = (r + 1) & 4095;
            }
        }
    }
    return out;
}

}  // namespace plk::reference
