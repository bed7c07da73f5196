#pragma once
// Where a stock catalogue lives and how it is read and written, the same for both programs'
// dialogs: the user's copy in the user's data folder (".../Tavolex/<name>"), a copy shipped
// next to the program read while the user has none, atomic writes, and a catalogue that
// exists but could not be read is never replaced by the shorter list in memory.

#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/catalogue_text.h"

namespace tvx::gui {

inline constexpr const char* kCatalogueNotReadMessage =
    "カタログファイルを読めなかったため、カタログは変更できません。";
inline constexpr const char* kCatalogueNotWrittenMessage =
    "カタログファイルを保存できませんでした。";

class CatalogueStore {
  public:
    using Parser = std::function<CatalogueText(std::string_view bytes)>;

    // Empty paths use UserPath(fileName) and ShippedPath(fileName).
    CatalogueStore(const char* fileName, Parser parse, const QString& userPath = QString(),
                   const QString& shippedPath = QString());

    static QString UserPath(const char* fileName);
    static QString ShippedPath(const char* fileName);

    // Reads the user's catalogue, or the shipped one when the user has none (a missing or
    // unreadable shipped file gives an empty list). Lines of an earlier layout are converted
    // and the whole list written back. A user catalogue that exists but cannot be read leaves
    // the list empty and the store read-only.
    void Load();
    // Writes all lines; false with the message to show when the store is read-only or the
    // file could not be written.
    bool Write(const char** message = nullptr);

    std::vector<std::string>& lines() { return lines_; }
    const std::vector<std::string>& lines() const { return lines_; }
    bool writable() const { return writable_; }
    const QString& userPath() const { return userPath_; }

  private:
    Parser parse_;
    QString userPath_;
    QString shippedPath_;
    std::vector<std::string> lines_;
    bool writable_ = true;
};

}  // namespace tvx::gui
