#pragma once
// Keeps edit boxes from showing their own right-click menu, so that a right click can open
// the program's menu instead.

class QWidget;

namespace tvx::gui {

// The box shows no context menu of its own, and the request is not passed to its parent.
void SuppressContextMenu(QWidget* box);
// Gives the box its default context menu back.
void RestoreContextMenu(QWidget* box);

}  // namespace tvx::gui
