// libFuzzer target: any bytes given to the WAVE reader either fail cleanly or
// give a data chunk that lies wholly inside them.
//
// Build with libFuzzer: cmake -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
//   -DQUILLMERE_LIBFUZZER=ON -DQUILLMERE_SANITIZE=ON, then run
//   fuzz/fuzz_WaveFuzz -max_len=4096 corpus/ (any WAVE files make a good corpus).
#include "audio/WaveReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void readAll(const std::uint8_t* data, std::size_t size) {
    WaveReader reader;
    if (!reader.open(data, size))
        return;
    if (reader.size() > size)
        std::abort();
    std::vector<std::uint8_t> sink(reader.size() + 1);
    if (reader.read(sink.data(), sink.size()) != reader.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    readAll(data, size);
    // The same bytes as the chunks of a well-formed RIFF form, so that random
    // input reaches the chunk walk and the format checks too.
    std::vector<std::uint8_t> form = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    std::uint32_t formSize = static_cast<std::uint32_t>(size + 4);
    for (int i = 0; i < 4; ++i)
        form[4 + i] = static_cast<std::uint8_t>(formSize >> (8 * i));
    form.insert(form.end(), data, data + size);
    readAll(form.data(), form.size());
    return 0;
}
