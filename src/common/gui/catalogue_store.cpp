#include "common/gui/catalogue_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <utility>

#include "common/gui/shipped_files.h"
#include "common/text_file.h"

namespace tvx::gui {

CatalogueStore::CatalogueStore(const char* fileName, Parser parse, const QString& userPath,
                               const QString& shippedPath)
    : parse_(std::move(parse)),
      userPath_(userPath.isEmpty() ? UserPath(fileName) : userPath),
      shippedPath_(shippedPath.isEmpty() ? ShippedPath(fileName) : shippedPath) {}

QString CatalogueStore::UserPath(const char* fileName) {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(QString("Tavolex/") + fileName);
}

QString CatalogueStore::ShippedPath(const char* fileName) {
    return QDir(ShippedFolder()).filePath(fileName);
}

void CatalogueStore::Load() {
    lines_.clear();
    writable_ = true;
    std::string bytes;
    const QFileInfo user(userPath_);
    bool read = false;
    if (user.exists()) {
        if (!user.isFile() || !ReadFileBytes(userPath_.toStdString(), bytes)) {
            writable_ = false;
            return;
        }
        read = true;
    } else if (QFileInfo::exists(shippedPath_)) {
        read = ReadFileBytes(shippedPath_.toStdString(), bytes);
    }
    if (!read) return;
    CatalogueText text = parse_(bytes);
    lines_ = std::move(text.lines);
    if (text.converted) Write();
}

bool CatalogueStore::Write(const char** message) {
    if (!writable_) {
        if (message) *message = kCatalogueNotReadMessage;
        return false;
    }
    QDir().mkpath(QFileInfo(userPath_).absolutePath());
    if (!WriteFileAtomically(userPath_.toStdString(), CatalogueFileBytes(lines_))) {
        if (message) *message = kCatalogueNotWrittenMessage;
        return false;
    }
    return true;
}

}  // namespace tvx::gui
