#pragma once

#include "LedgerlyCore/Platform/UserDefaults.h"

#include <QProcessEnvironment>
#include <QSettings>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

namespace ledgerly {

// Thrown when a changed preference could not be written to its file.
class UserDefaultsWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// User defaults in an INI file that a person may edit while Ledgerly is
// stopped. Keys sit at the top level; INI keeps no types, so a value is read
// as whatever type the caller asks for when its text allows it. What is read
// is always what the file holds: a write that fails is taken back.
class QSettingsUserDefaults final : public UserDefaults {
public:
    // A file that cannot be parsed is set aside as "<file>.damaged" (and
    // logged), and a clean one holding whatever could be read takes its place.
    explicit QSettingsUserDefaults(const QString& filePath);

    // $XDG_CONFIG_HOME/ledgerly/ledgerly.conf, or ~/.config/ledgerly/ledgerly.conf when unset.
    static QString defaultFilePath(const QProcessEnvironment& environment);

    bool hasValue(std::string_view key) const override;
    std::optional<std::string> string(std::string_view key) const override;
    std::optional<std::int64_t> integer(std::string_view key) const override;
    std::optional<bool> boolean(std::string_view key) const override;

    // Each write is flushed at once; a failed flush takes the change back and
    // throws UserDefaultsWriteError, and the next write tries the file again.
    void setString(std::string_view key, std::string_view value) override;
    void setInteger(std::string_view key, std::int64_t value) override;
    void setBoolean(std::string_view key, bool value) override;
    void remove(std::string_view key) override;

    QString filePath() const;

private:
    std::optional<QString> text(std::string_view key) const;
    void setAsideIfDamaged();
    void write(std::string_view key, const std::function<void(QSettings&, const QString&)>& change);

    QString filePath_;
    std::unique_ptr<QSettings> settings_;
    bool failedWrite_ = false;
};

}  // namespace ledgerly
