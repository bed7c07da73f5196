#include "common/gui/help_viewer.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

#include "common/gui/shipped_files.h"

namespace tvx::gui {

HelpViewer& HelpViewer::Instance() {
    static HelpViewer viewer;
    return viewer;
}

QString HelpViewer::Folder() const {
    if (!folder_.isEmpty()) return folder_;
    const QString beside = ShippedFolder() + "/help";
    if (QFileInfo(beside).isDir()) return beside;
#ifdef TVX_HELP_SOURCE_DIR
    return QStringLiteral(TVX_HELP_SOURCE_DIR);
#else
    return beside;
#endif
}

QString HelpViewer::PagePath(int context) const {
    return QDir(Folder()).filePath(QString("%1-%2.html").arg(kHelpBaseName).arg(context));
}

QTextBrowser* HelpViewer::ShowTopic(int context) {
    QPointer<QTextBrowser>& window = windows_[context];
    if (!window) {
        window = new QTextBrowser;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setOpenLinks(true);
        window->setOpenExternalLinks(false);
        window->resize(560, 480);
        const QString path = PagePath(context);
        if (QFileInfo::exists(path)) {
            window->setSearchPaths({Folder()});
            window->setSource(QUrl::fromLocalFile(path));
        } else {
            window->setPlainText(QString("ヘルプのページが見つかりません。（%1）")
                                     .arg(QDir::toNativeSeparators(path)));
        }
        window->setWindowTitle(window->documentTitle().isEmpty() ? QString("ヘルプ")
                                                                 : window->documentTitle());
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void HelpViewer::CloseAll() {
    for (auto& [context, window] : windows_) {
        if (window) window->close();
    }
    windows_.clear();
}

int HelpViewer::OpenCount() const {
    int count = 0;
    for (const auto& [context, window] : windows_) {
        if (window && window->isVisible()) ++count;
    }
    return count;
}

}  // namespace tvx::gui
