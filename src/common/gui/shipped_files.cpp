#include "common/gui/shipped_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tvx::gui {

QString ShippedFolderFor(const QString& programDir, const QString& program) {
    const QString installed = QDir::cleanPath(programDir + QStringLiteral("/../share/") + program);
    if (!program.isEmpty() && QFileInfo(installed).isDir()) return installed;
    return programDir;
}

QString ShippedFolder() {
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return ShippedFolderFor(QCoreApplication::applicationDirPath(), program);
}

}  // namespace tvx::gui
