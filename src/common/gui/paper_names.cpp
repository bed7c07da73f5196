#include "common/gui/paper_names.h"

#include <QString>

namespace tvx::gui {

QPageSize PageSizeByName(const std::string& name) {
    const QString wanted = QString::fromStdString(name).trimmed();
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto pageId = static_cast<QPageSize::PageSizeId>(id);
        if (pageId == QPageSize::Custom) continue;
        if (QPageSize::key(pageId).compare(wanted, Qt::CaseInsensitive) == 0 ||
            QPageSize::name(pageId).compare(wanted, Qt::CaseInsensitive) == 0) {
            return QPageSize(pageId);
        }
    }
    return QPageSize();
}

}  // namespace tvx::gui
