#include "platform/qt_settings_store.h"

#include <QByteArray>
#include <QVariant>

#include "platform/qt_text.h"

namespace platform {

QtSettingsStore::QtSettingsStore()
    : QtSettingsStore(
          std::make_unique<QSettings>(QStringLiteral("Marionet"), QStringLiteral("Marionet"))) {}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings)
    : settings_(std::move(settings)) {}

QtSettingsStore::~QtSettingsStore() {
    settings_->sync();
}

QString QtSettingsStore::KeyPath(std::string_view section, std::string_view key) {
    QString path = ToQt(section);
    path.replace('\\', '/');
    while (path.startsWith('/')) {
        path.remove(0, 1);
    }
    while (path.endsWith('/')) {
        path.chop(1);
    }
    const QString name = ToQt(key);
    return path.isEmpty() ? name : path + '/' + name;
}

bool QtSettingsStore::HasEntry(std::string_view section, std::string_view key) const {
    return settings_->contains(KeyPath(section, key));
}

int QtSettingsStore::GetInt(std::string_view section, std::string_view key,
                            int defaultValue) const {
    const QVariant value = settings_->value(KeyPath(section, key));
    if (!value.isValid() || value.typeId() == QMetaType::QByteArray) {
        return defaultValue;
    }
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

bool QtSettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
    settings_->setValue(KeyPath(section, key), value);
    return settings_->status() == QSettings::NoError;
}

std::string QtSettingsStore::GetString(std::string_view section, std::string_view key,
                                       std::string_view defaultValue) const {
    const QVariant value = settings_->value(KeyPath(section, key));
    if (!value.isValid() || !value.canConvert<QString>() ||
        value.typeId() == QMetaType::QByteArray) {
        return std::string(defaultValue);
    }
    return value.toString().toStdString();
}

bool QtSettingsStore::WriteString(std::string_view section, std::string_view key,
                                  std::string_view value) {
    settings_->setValue(KeyPath(section, key), ToQt(value));
    return settings_->status() == QSettings::NoError;
}

std::optional<std::vector<std::uint8_t>> QtSettingsStore::GetBinary(std::string_view section,
                                                                    std::string_view key) const {
    const QVariant value = settings_->value(KeyPath(section, key));
    // A text or number where a block belongs is not a block.
    if (!value.isValid() || value.typeId() != QMetaType::QByteArray) {
        return std::nullopt;
    }
    const QByteArray bytes = value.toByteArray();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool QtSettingsStore::WriteBinary(std::string_view section, std::string_view key,
                                  std::span<const std::uint8_t> bytes) {
    const QByteArray block(reinterpret_cast<const char*>(bytes.data()),
                           static_cast<qsizetype>(bytes.size()));
    settings_->setValue(KeyPath(section, key), block);
    return settings_->status() == QSettings::NoError;
}

bool QtSettingsStore::Sync() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

}  // namespace platform
