#pragma once

#include <string>

namespace ledgerly {

// Opens links; held as this interface so tests and tools can put another opener in place.
class URLOpening {
public:
    URLOpening() = default;
    URLOpening(const URLOpening&) = delete;
    URLOpening& operator=(const URLOpening&) = delete;
    virtual ~URLOpening() = default;

    // Opens `urlString`; a string that is no URL leads to nothing, silently.
    virtual void open(const std::string& urlString) = 0;
};

}  // namespace ledgerly
