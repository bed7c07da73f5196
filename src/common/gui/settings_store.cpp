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
    const QString path = QString::fromLatin1(kSettingsSection) + '/' + key;
    const QVariant value = settings_->value(path);
    return value.isValid() ? value.toString() : fallback;
}

void SettingsStore::SaveText(const QString& key, const QString& value) {
    settings_->setValue(QString::fromLatin1(kSettingsSection) + '/' + key, value);
    settings_->sync();
}

QString SettingsStore::fileName() const {
    return settings_->fileName();
}

}  // namespace tvx::gui
