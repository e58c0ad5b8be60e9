// LZSS codec throughput against the plain versions kept with the tests.
//   Encode/*: production encoder; baseline: the reference binary-tree encoder with
//             byte-by-byte comparisons (tests/core/codec/reference_lzss.h).
//   Decode/*: production decoder; baseline: the byte-at-a-time ring decoder.
// Each iteration runs both on the same input, so the ratio comes from one run. "ratio" is
// the median over iterations of baseline time over production time, each pair measured back
// to back: a burst of noise on a shared machine then moves it less than it moves the mean.
// "mean_ratio" is the ratio of the total times; "ratio_min" and "ratio_max" bound the pairs.
// "lanes" is what the encoder picked. Outputs are checked to be identical.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "bench_data.h"
#include "core/codec/lzss_decoder.h"
#include "core/codec/lzss_encoder.h"
#include "core/codec/reference_lzss.h"

namespace plk::bench {
namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Report(benchmark::State& state, std::size_t bytes, double seconds, double baselineSeconds,
            const std::vector<double>& pairRatios) {
    double megabytes = static_cast<double>(bytes) * static_cast<double>(state.iterations()) / 1e6;
    state.counters["MB/s"] = megabytes / seconds;
    state.counters["baseline_MB/s"] = megabytes / baselineSeconds;
    state.counters["ratio"] = Median(pairRatios);
    state.counters["ratio_min"] = *std::min_element(pairRatios.begin(), pairRatios.end());
    state.counters["ratio_max"] = *std::max_element(pairRatios.begin(), pairRatios.end());
    state.counters["mean_ratio"] = baselineSeconds / seconds;
    state.counters["input_KB"] = static_cast<double>(bytes) / 1000.0;
}

// Production and plain encoder on the same input, back to back in every iteration, the
// order swapped every other time so that neither always runs on a warmer machine.
void Encode(benchmark::State& state, const Bytes& input, unsigned lanes,
            LzssEncoder::LaneChoice choice = LzssEncoder::LaneChoice::ByWork) {
    LzssEncoder encoder(lanes, choice);
    reference::LzssEncoder baseline;
    double seconds = 0;
    double baselineSeconds = 0;
    std::vector<double> pairRatios;
    bool fastFirst = true;
    for (auto _ : state) {
        Bytes fast;
        Bytes plain;
        double t = 0;
        double baselineT = 0;
        if (fastFirst) {
            t = Seconds([&] { fast = encoder.Encode(input); });
            baselineT = Seconds([&] { plain = baseline.Encode(input); });
        } else {
            baselineT = Seconds([&] { plain = baseline.Encode(input); });
            t = Seconds([&] { fast = encoder.Encode(input); });
        }
        fastFirst = !fastFirst;
        if (fast != plain) {
            state.SkipWithError("the encoders disagree");
            return;
        }
        seconds += t;
        baselineSeconds += baselineT;
        pairRatios.push_back(baselineT / t);
        state.SetIterationTime(t);
    }
    Report(state, input.size(), seconds, baselineSeconds, pairRatios);
    state.counters["lanes"] = encoder.LastLanes();
}

void Decode(benchmark::State& state, const Bytes& input) {
    Bytes stream = LzssEncoder().Encode(input);
    double seconds = 0;
    double baselineSeconds = 0;
    std::vector<double> pairRatios;
    for (auto _ : state) {
        Bytes fast;
        Bytes plain;
        double t = Seconds([&] { fast = LzssDecode(stream, input.size()); });
        double baselineT = Seconds([&] { plain = reference::Decode(stream, input.size()); });
        if (fast != input || plain != input) {
            state.SkipWithError("a decoder lost the input");
            return;
        }
        seconds += t;
        baselineSeconds += baselineT;
        pairRatios.push_back(baselineT / t);
        state.SetIterationTime(t);
    }
    Report(state, input.size(), seconds, baselineSeconds, pairRatios);
}

const Bytes& Text() {
    static const Bytes text = EnglishText();
    return text;
}
const Bytes& Png() {
    static const Bytes png = PngFile();
    return png;
}
// 16 KB of the input that degenerates the trees into chains.
const Bytes& Chains() {
    static const Bytes chains = testing_inputs::ZeroRunsWithCounter(16 * 1024);
    return chains;
}

// 4 MiB inputs of each kind the export meets: English text, PNG data, random bytes (as in
// compressed files) and 16-bit PCM sound, speech-like and swept.
constexpr std::size_t kLargeInput = std::size_t{4} << 20;
const Bytes& LargeText() {
    static const Bytes text = EnglishText(kLargeInput);
    return text;
}
const Bytes& RandomData() {
    static const Bytes random = testing_inputs::RandomBytes(kLargeInput, 5);
    return random;
}
const Bytes& Speech() {
    static const Bytes wave = PcmWave(95.0, true);
    return wave;
}
const Bytes& Sweep() {
    static const Bytes wave = PcmWave(95.0, false);
    return wave;
}

// As a single file is compressed: the lanes this machine offers, used where they pay; then
// two lanes forced, and one lane, as the export runs one file per core.
void BM_Encode_Text(benchmark::State& state) {
    Encode(state, Text(), LzssEncoder::LanesForThisMachine());
}
void BM_Encode_Png(benchmark::State& state) {
    Encode(state, Png(), LzssEncoder::LanesForThisMachine());
}
void BM_Encode_Text_OneLane(benchmark::State& state) {
    Encode(state, Text(), 1);
}
void BM_Encode_Png_OneLane(benchmark::State& state) {
    Encode(state, Png(), 1);
}
void BM_Encode_ZeroRunsWithCounter(benchmark::State& state) {
    Encode(state, Chains(), 1);
}
void BM_Encode_Text4M(benchmark::State& state) {
    Encode(state, LargeText(), LzssEncoder::LanesForThisMachine());
}
void BM_Encode_Text4M_TwoLanes(benchmark::State& state) {
    Encode(state, LargeText(), 2, LzssEncoder::LaneChoice::Always);
}
void BM_Encode_Text4M_OneLane(benchmark::State& state) {
    Encode(state, LargeText(), 1);
}
void BM_Encode_Random4M(benchmark::State& state) {
    Encode(state, RandomData(), LzssEncoder::LanesForThisMachine());
}
void BM_Encode_Random4M_TwoLanes(benchmark::State& state) {
    Encode(state, RandomData(), 2, LzssEncoder::LaneChoice::Always);
}
void BM_Encode_Speech4M(benchmark::State& state) {
    Encode(state, Speech(), LzssEncoder::LanesForThisMachine());
}
void BM_Encode_Speech4M_TwoLanes(benchmark::State& state) {
    Encode(state, Speech(), 2, LzssEncoder::LaneChoice::Always);
}
void BM_Encode_Speech4M_OneLane(benchmark::State& state) {
    Encode(state, Speech(), 1);
}
void BM_Encode_Sweep4M(benchmark::State& state) {
    Encode(state, Sweep(), LzssEncoder::LanesForThisMachine());
}
void BM_Encode_Sweep4M_TwoLanes(benchmark::State& state) {
    Encode(state, Sweep(), 2, LzssEncoder::LaneChoice::Always);
}
void BM_Decode_Text(benchmark::State& state) {
    Decode(state, Text());
}
void BM_Decode_Png(benchmark::State& state) {
    Decode(state, Png());
}

BENCHMARK(BM_Encode_Text)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Encode_Png)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Encode_Text_OneLane)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Encode_Png_OneLane)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Encode_ZeroRunsWithCounter)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
// At least five pairs each, for a minimum, median and maximum of the ratios.
BENCHMARK(BM_Encode_Text4M)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_Encode_Text4M_TwoLanes)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_Encode_Text4M_OneLane)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_Encode_Random4M)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_Encode_Random4M_TwoLanes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7);
BENCHMARK(BM_Encode_Speech4M)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_Encode_Speech4M_TwoLanes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7);
BENCHMARK(BM_Encode_Speech4M_OneLane)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7);
BENCHMARK(BM_Encode_Sweep4M)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_Encode_Sweep4M_TwoLanes)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_Decode_Text)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);
BENCHMARK(BM_Decode_Png)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);

}  // namespace
}  // namespace plk::bench
