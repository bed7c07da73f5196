#include "common/gui/click_menu.h"

#include <QWidget>

namespace tvx::gui {

void SuppressContextMenu(QWidget* box) {
    if (box) box->setContextMenuPolicy(Qt::PreventContextMenu);
}

void RestoreContextMenu(QWidget* box) {
    if (box) box->setContextMenuPolicy(Qt::DefaultContextMenu);
}

}  // namespace tvx::gui
