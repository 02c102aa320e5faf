// velorin-chart --batch: charts per second for 1,000,000 random births, read
// from a stream that makes them as it goes and written to one that discards
// them (memory stays bounded), on one thread and on two.
#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cstring>
#include <random>
#include <streambuf>
#include <string>
#include <string_view>

#include "velorin-chart/Batch.h"

namespace {

// An input stream of `count` random birth lines, made one line at a time.
class RandomBirths : public std::streambuf {
public:
    explicit RandomBirths(std::size_t count) : left_(count) {}

protected:
    int_type underflow() override {
        if (left_ == 0) return traits_type::eof();
        --left_;
        // Made in place, number by number: the births' own making should
        // cost little beside the charts they are for.
        const auto pick = [this](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); };
        char* at = line_.data();
        const auto put = [&at](std::string_view text) {
            std::memcpy(at, text.data(), text.size());
            at += text.size();
        };
        const auto number = [&at](int value) { at = std::to_chars(at, at + 12, value).ptr; };
        // Each number drawn from its range, after the text before it.
        struct Piece {
            std::string_view before;
            int low, high;
        };
        static constexpr Piece pieces[] = {
            {"{\"name\": \"P\", \"date\": \"", 1901, 2050}, {"-0", 1, 9}, {"-1", 0, 9}, {"\", \"time\": \"", 0, 23},
            {":", 10, 59}, {"\", \"zone\": ", 0, 70}, {", \"lat\": \"", 0, 60}, {":30N\", \"lon\": \"", 0, 179},
        };
        for (const Piece& piece : pieces) {
            put(piece.before);
            number(pick(piece.low, piece.high));
        }
        put(":15E\", \"city\": \"C\", \"state\": \"S\", \"country\": \"K\"}\n");
        setg(line_.data(), line_.data(), at);
        return traits_type::to_int_type(line_[0]);
    }

private:
    std::size_t left_;
    std::mt19937 random_{7};
    std::array<char, 256> line_;
};

class Discard : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};

void BatchOfAMillionBirths(benchmark::State& state) {
    constexpr std::size_t births = 1000000;
    const auto jobs = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        RandomBirths input(births);
        Discard output;
        std::istream in(&input);
        std::ostream out(&output);
        velorin_chart::BatchSettings settings;
        settings.jobs = jobs;
        benchmark::DoNotOptimize(velorin_chart::RunBatch(in, out, settings));
    }
    state.counters["charts/s"] = benchmark::Counter(static_cast<double>(births), benchmark::Counter::kIsRate);
    state.counters["s/chart"] = benchmark::Counter(static_cast<double>(births),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BatchOfAMillionBirths)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
