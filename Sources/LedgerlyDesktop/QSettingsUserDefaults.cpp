#include "LedgerlyDesktop/QSettingsUserDefaults.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QVariant>

namespace ledgerly {
namespace {

QString keyString(std::string_view key) { return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())); }

// QSettings writes "true" and "false"; a hand-edited "True" means the same.
std::optional<bool> parseBoolean(const QString& text) {
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("true")) {
        return true;
    }
    if (word == QLatin1String("false")) {
        return false;
    }
    return std::nullopt;
}

}  // namespace

QSettingsUserDefaults::QSettingsUserDefaults(const QString& filePath)
    : filePath_(filePath), settings_(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

QString QSettingsUserDefaults::defaultFilePath(const QProcessEnvironment& environment) {
    QString configHome = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    // XDG base directories must be absolute: a relative value is invalid and is ignored.
    if (configHome.isEmpty() || QDir::isRelativePath(configHome)) {
        configHome = environment.value(QStringLiteral("HOME"), QDir::homePath()) + QStringLiteral("/.config");
    }
    return configHome + QStringLiteral("/ledgerly/ledgerly.conf");
}

QString QSettingsUserDefaults::filePath() const { return filePath_; }

std::optional<QString> QSettingsUserDefaults::text(std::string_view key) const {
    const QVariant value = settings_->value(keyString(key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    // An unquoted comma in a hand-edited value makes QSettings read a list.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    return value.toString();
}

bool QSettingsUserDefaults::hasValue(std::string_view key) const { return settings_->contains(keyString(key)); }

std::optional<std::string> QSettingsUserDefaults::string(std::string_view key) const {
    const auto value = text(key);
    if (!value) {
        return std::nullopt;
    }
    return value->toStdString();
}

std::optional<std::int64_t> QSettingsUserDefaults::integer(std::string_view key) const {
    const auto value = text(key);
    if (!value) {
        return std::nullopt;
    }
    if (const auto flag = parseBoolean(*value)) {
        return *flag ? 1 : 0;
    }
    bool ok = false;
    const qlonglong number = value->trimmed().toLongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return number;
}

std::optional<bool> QSettingsUserDefaults::boolean(std::string_view key) const {
    const auto value = text(key);
    if (!value) {
        return std::nullopt;
    }
    return parseBoolean(*value);
}

void QSettingsUserDefaults::setString(std::string_view key, std::string_view value) {
    writable().setValue(keyString(key), QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    flush();
}

void QSettingsUserDefaults::setInteger(std::string_view key, std::int64_t value) {
    writable().setValue(keyString(key), QVariant::fromValue(static_cast<qlonglong>(value)));
    flush();
}

void QSettingsUserDefaults::setBoolean(std::string_view key, bool value) {
    writable().setValue(keyString(key), value);
    flush();
}

void QSettingsUserDefaults::remove(std::string_view key) {
    writable().remove(keyString(key));
    flush();
}

QSettings& QSettingsUserDefaults::writable() {
    // QSettings reports an error for ever once it had one; a new one tries the file afresh
    // (and writes what the failed one still holds). Not at the failure itself: while the
    // file cannot be written, even creating one fails.
    if (failedWrite_) {
        settings_ = std::make_unique<QSettings>(filePath_, QSettings::IniFormat);
        failedWrite_ = false;
    }
    return *settings_;
}

void QSettingsUserDefaults::flush() {
    // QSettings creates missing folders itself but reports a failed write only through status().
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        failedWrite_ = true;
        throw UserDefaultsWriteError("Could not write " + filePath_.toStdString());
    }
}

}  // namespace ledgerly
