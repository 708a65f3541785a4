#include "LedgerlyDesktop/System/QSettingsUserDefaults.h"

#include "LedgerlyDesktop/LogCategories.h"
#include "LedgerlyDesktop/System/XdgFolders.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QVariant>

#include <cstdio>
#include <utility>

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

QString statusText(QSettings::Status status) {
    return status == QSettings::AccessError ? QStringLiteral("no permission, or the folder cannot be made")
                                            : QStringLiteral("it cannot be read as settings");
}

}  // namespace

QSettingsUserDefaults::QSettingsUserDefaults(const QString& filePath)
    : filePath_(filePath), settings_(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {
    setAsideIfDamaged();
}

QString QSettingsUserDefaults::defaultFilePath(const QProcessEnvironment& environment) {
    return xdg::configHome(environment) + QStringLiteral("/ledgerly/ledgerly.conf");
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
    const QString text = QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
    write(key, [&text](QSettings& settings, const QString& name) { settings.setValue(name, text); });
}

void QSettingsUserDefaults::setInteger(std::string_view key, std::int64_t value) {
    write(key, [value](QSettings& settings, const QString& name) {
        settings.setValue(name, QVariant::fromValue(static_cast<qlonglong>(value)));
    });
}

void QSettingsUserDefaults::setBoolean(std::string_view key, bool value) {
    write(key, [value](QSettings& settings, const QString& name) { settings.setValue(name, value); });
}

void QSettingsUserDefaults::remove(std::string_view key) {
    write(key, [](QSettings& settings, const QString& name) { settings.remove(name); });
}

void QSettingsUserDefaults::setAsideIfDamaged() {
    // A parse error would otherwise stay in status() for good and make every later write look failed.
    if (settings_->status() != QSettings::FormatError) {
        return;
    }
    QList<std::pair<QString, QVariant>> readable;
    for (const QString& key : settings_->allKeys()) {
        if (!key.isEmpty()) {
            readable.append({key, settings_->value(key)});
        }
    }
    settings_.reset();
    const QString damagedPath = filePath_ + QStringLiteral(".damaged");
    // Replaces an older damaged copy in one step.
    if (std::rename(QFile::encodeName(filePath_).constData(), QFile::encodeName(damagedPath).constData()) != 0) {
        qCWarning(lcSettings) << "The settings file" << filePath_
                              << "cannot be read as settings and could not be set aside; changes will not be saved";
        settings_ = std::make_unique<QSettings>(filePath_, QSettings::IniFormat);
        return;
    }
    settings_ = std::make_unique<QSettings>(filePath_, QSettings::IniFormat);
    for (const auto& [key, value] : readable) {
        settings_->setValue(key, value);
    }
    settings_->sync();
    // With nothing readable QSettings writes nothing; the clean file is there all the same.
    if (!QFileInfo::exists(filePath_)) {
        QFile clean(filePath_);
        if (clean.open(QIODevice::WriteOnly)) {
            clean.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        }
    }
    qCWarning(lcSettings) << "The settings file" << filePath_ << "could not be read as settings: it was set aside as"
                          << damagedPath << "and a clean one written with the" << readable.size()
                          << "values that could be read";
}

void QSettingsUserDefaults::write(std::string_view key, const std::function<void(QSettings&, const QString&)>& change) {
    // QSettings reports an error for ever once it had one; a new one tries the file afresh.
    // Not at the failure itself: while the file cannot be written, even creating one fails.
    if (failedWrite_) {
        settings_ = std::make_unique<QSettings>(filePath_, QSettings::IniFormat);
        failedWrite_ = false;
    }
    const QString name = keyString(key);
    const QVariant previous = settings_->value(name);
    change(*settings_, name);
    // QSettings creates missing folders itself but reports a failed write only through status().
    settings_->sync();
    const QSettings::Status status = settings_->status();
    if (status == QSettings::NoError) {
        return;
    }
    // QSettings keeps an unsaved change in memory and would read it back: take it back,
    // so that what is read stays what the file holds.
    if (previous.isValid()) {
        settings_->setValue(name, previous);
    } else {
        settings_->remove(name);
    }
    failedWrite_ = true;
    qCWarning(lcSettings).noquote() << QStringLiteral(
                                           "Could not write the settings file %1 (%2); %3 keeps its old value")
                                           .arg(filePath_, statusText(status), name);
    throw UserDefaultsWriteError("Could not write " + filePath_.toStdString());
}

}  // namespace ledgerly
