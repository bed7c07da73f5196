#include "common/gui/settings_store.h"

#include <QSettings>

namespace tvx::gui {

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            kSettingsApplication, kSettingsApplication)) {}

SettingsStore::SettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::GetText(const QString& key, const QString& fallback) const {
    return GetTextIn(QString::fromLatin1(kSettingsSection), key, fallback);
}

void SettingsStore::SaveText(const QString& key, const QString& value) {
    SaveTextIn(QString::fromLatin1(kSettingsSection), key, value);
}

QString SettingsStore::GetTextIn(const QString& section, const QString& key,
                                 const QString& fallback) const {
    const QVariant value = settings_->value(section + '/' + key);
    return value.isValid() ? value.toString() : fallback;
}

void SettingsStore::SaveTextIn(const QString& section, const QString& key, const QString& value) {
    settings_->setValue(section + '/' + key, value);
    settings_->sync();
}

QString SettingsStore::fileName() const {
    return settings_->fileName();
}

}  // namespace tvx::gui
