// Runs a fuzz target without a fuzzing engine: every file of the seed corpus,
// then a fixed number of deterministic mutations of them (bit flips, boundary
// values written over header fields, truncation, duplication). The same
// inputs are tried on every run.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/little_endian.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

struct Rng {
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    std::uint64_t next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }
};

void run(const std::vector<std::uint8_t>& input)
{
    // A buffer of exactly the input's size, so reads past it are caught.
    std::vector<std::uint8_t> exact(input);
    LLVMFuzzerTestOneInput(exact.data(), exact.size());
}

void mutate(std::vector<std::uint8_t>& b, Rng& rng)
{
    static const std::uint32_t boundary[] = {0, 1, 2, 3, 12, 40, 52, 108, 124, 255, 256, 257, 4096, 0x7FFF, 0x8000,
        0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFF0};
    switch (rng.below(5)) {
    case 0:
        if (!b.empty())
            b[rng.below(b.size())] ^= static_cast<std::uint8_t>(1u << rng.below(8));
        break;
    case 1:
        if (b.size() >= 4) {
            // Header fields sit at 4-byte or 2-byte alignment in the first 70 bytes.
            std::size_t at = std::min(b.size() - 4, 2 * rng.below(35));
            std::uint32_t v = boundary[rng.below(std::size(boundary))];
            lt::store_le32(b.data() + at, v);
        }
        break;
    case 2:
        b.resize(rng.below(b.size() + 1));
        break;
    case 3:
        if (!b.empty()) {
            std::size_t from = rng.below(b.size());
            std::size_t n = rng.below(b.size() - from + 1);
            b.insert(b.begin() + static_cast<std::ptrdiff_t>(rng.below(b.size() + 1)),
                b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(from + n));
        }
        break;
    default:
        if (!b.empty())
            b[rng.below(b.size())] = static_cast<std::uint8_t>(rng.next());
        break;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <corpus folder> [mutations]\n", argv[0]);
        return 2;
    }
    const long mutations = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 5000;
    std::vector<std::vector<std::uint8_t>> seeds;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        std::ifstream f(path, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
        run(seeds.back());
    }
    if (seeds.empty()) {
        std::fprintf(stderr, "no seed files in %s\n", argv[1]);
        return 2;
    }
    Rng rng;
    for (long i = 0; i < mutations; ++i) {
        std::vector<std::uint8_t> input = seeds[rng.below(seeds.size())];
        const std::size_t steps = 1 + rng.below(4);
        for (std::size_t s = 0; s < steps; ++s)
            mutate(input, rng);
        run(input);
    }
    std::printf("%zu seeds and %ld mutations ran\n", seeds.size(), mutations);
    return 0;
}
