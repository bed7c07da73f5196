#pragma once
// The per-user settings store both programs share: text values by key under the application
// "Tavolex" and the section "SizeWariate", kept in an INI file.

#include <QString>
#include <memory>

class QSettings;

namespace tvx::gui {

inline constexpr const char* kSettingsApplication = "Tavolex";
inline constexpr const char* kSettingsSection = "SizeWariate";

class SettingsStore {
  public:
    // The user's own store (an INI file in the user's configuration folder).
    SettingsStore();
    // A store in the given INI file (tests, portable installs).
    explicit SettingsStore(const QString& iniPath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The text under `key`, or `fallback` when the key has none.
    QString GetText(const QString& key, const QString& fallback = QString()) const;
    // Stores the text under `key` and writes the file.
    void SaveText(const QString& key, const QString& value);
    // The same in another section of the file (options that are not the main window's own).
    QString GetTextIn(const QString& section, const QString& key,
                      const QString& fallback = QString()) const;
    void SaveTextIn(const QString& section, const QString& key, const QString& value);

    QString fileName() const;

  private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace tvx::gui
