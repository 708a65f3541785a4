#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Shared by every fuzz target: the libFuzzer entry point's signature, a
// check that stops the run with a message, and a reader that takes typed
// values from the front of the input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace ledgerly::fuzz {

// abort() rather than an exception, so that libFuzzer and the replay tool
// both report the input as a crash.
inline void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
        std::abort();
    }
}

// Takes values from the front of the input; reads past the end give zeros
// and empty text, so every input is usable.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t byte() {
        if (rest_.empty()) {
            return 0;
        }
        const auto value = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return value;
    }

    template <typename Integer>
    Integer integer() {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < sizeof(Integer); ++i) {
            value = (value << 8) | byte();
        }
        return static_cast<Integer>(value);
    }

    // Up to `maximum` bytes, the length taken from the input first.
    std::string text(std::size_t maximum = 255) {
        const std::size_t length = std::min<std::size_t>(byte(), std::min(maximum, rest_.size()));
        std::string value(rest_.substr(0, length));
        rest_.remove_prefix(length);
        return value;
    }

    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

}  // namespace ledgerly::fuzz
