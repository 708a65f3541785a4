#pragma once

#include <string>
#include <variant>

namespace ledgerly {

// A kind of file that a file panel accepts. The desktop shell turns each into
// a name filter; a type it cannot express is left out.
struct ContentType {
    // The system's plain-text type.
    struct PlainText {
        bool operator==(const PlainText&) const = default;
    };
    // Files named with `extension` (without the dot), conforming to generic data.
    struct FilenameExtension {
        std::string extension;
        bool operator==(const FilenameExtension&) const = default;
    };

    std::variant<PlainText, FilenameExtension> value;

    bool operator==(const ContentType&) const = default;
};

}  // namespace ledgerly
