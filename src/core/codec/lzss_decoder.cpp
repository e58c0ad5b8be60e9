#include "core/codec/lzss_decoder.h"

#include <algorithm>
#include <cstring>

#include "core/codec/lzss_format.h"

namespace plk {
namespace {

using lzss::kFirstWrite;
using lzss::kGroupItems;
using lzss::kMaxMatch;
using lzss::kMinMatch;
using lzss::kRingMask;
using lzss::kRingSize;

// The output buffer stands in for the ring: output byte o went to ring position
// (4078 + o) mod 4096, so a ring position names the byte `Distance` bytes back. Positions
// that were never written still hold the ring's initial zeros.
std::size_t Distance(std::size_t produced, std::size_t ringPosition) {
    std::size_t distance = (kFirstWrite + produced - ringPosition) & kRingMask;
    return distance == 0 ? kRingSize : distance;
}

struct Match {
    std::size_t distance;
    std::size_t length;
};

Match ReadMatch(const std::uint8_t* item, std::size_t produced) {
    std::size_t position = item[0] | ((static_cast<std::size_t>(item[1]) & 0xF0) << 4);
    return {Distance(produced, position), (item[1] & 0x0Fu) + kMinMatch};
}

// Copies `length` bytes one by one, so a match may repeat the bytes it is producing.
void CopyMatchBytes(std::uint8_t* out, std::size_t produced, Match match) {
    for (std::size_t k = 0; k < match.length; ++k) {
        std::size_t at = produced + k;
        out[at] = at >= match.distance ? out[at - match.distance] : 0;
    }
}

// A match well inside the output. Bytes copied past its end are overwritten by the items
// that follow, or zeroed at the end of decoding.
void CopyMatchFast(std::uint8_t* out, std::size_t produced, Match match) {
    if (match.distance <= produced && match.distance >= kMaxMatch) {
        std::memcpy(out + produced, out + produced - match.distance, kMaxMatch);
    } else {
        CopyMatchBytes(out, produced, match);
    }
}

}  // namespace

std::size_t LzssDecodeInto(std::span<const std::uint8_t> stream, std::span<std::uint8_t> out) {
    const std::uint8_t* in = stream.data();
    const std::uint8_t* const end = in + stream.size();
    std::uint8_t* const dst = out.data();
    const std::size_t limit = out.size();
    std::size_t produced = 0;

    while (produced < limit && in < end) {
        unsigned flags = *in++;
        const bool wholeGroupFits = static_cast<std::size_t>(end - in) >= 2 * kGroupItems &&
                                    limit - produced >= kGroupItems * kMaxMatch;
        if (wholeGroupFits) {
            if (flags == 0xFF) {
                std::memcpy(dst + produced, in, kGroupItems);
                in += kGroupItems;
                produced += kGroupItems;
                continue;
            }
            for (std::size_t item = 0; item < kGroupItems; ++item, flags >>= 1) {
                if (flags & 1u) {
                    dst[produced++] = *in++;
                } else {
                    Match match = ReadMatch(in, produced);
                    in += 2;
                    CopyMatchFast(dst, produced, match);
                    produced += match.length;
                }
            }
            continue;
        }
        // Near either end: check every item.
        for (std::size_t item = 0; item < kGroupItems && produced < limit; ++item, flags >>= 1) {
            if (flags & 1u) {
                if (in == end) {
                    break;
                }
                dst[produced++] = *in++;
            } else {
                if (end - in < 2) {
                    in = end;
                    break;
                }
                Match match = ReadMatch(in, produced);
                in += 2;
                match.length = std::min(match.length, limit - produced);
                CopyMatchBytes(dst, produced, match);
                produced += match.length;
            }
        }
    }
    std::fill(dst + produced, dst + limit, std::uint8_t{0});
    return produced;
}

std::vector<std::uint8_t> LzssDecode(std::span<const std::uint8_t> stream,
                                     std::size_t unpackedSize) {
    std::vector<std::uint8_t> out(unpackedSize);
    LzssDecodeInto(stream, out);
    return out;
}

std::uint64_t LzssDecodedSize(std::span<const std::uint8_t> stream) {
    std::uint64_t total = 0;
    std::size_t at = 0;
    while (at < stream.size()) {
        unsigned flags = stream[at++];
        for (std::size_t item = 0; item < kGroupItems; ++item, flags >>= 1) {
            if (flags & 1u) {
                if (at >= stream.size()) {
                    return total;
                }
                at += 1;
                total += 1;
            } else {
                if (stream.size() - at < 2) {
                    return total;
                }
                total += (stream[at + 1] & 0x0Fu) + kMinMatch;
                at += 2;
            }
        }
    }
    return total;
}

}  // namespace plk
