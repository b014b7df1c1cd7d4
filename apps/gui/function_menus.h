// Menus of the catalogue's help tree: a heading with children becomes a submenu, any other node an
// item "syntax<tab>description" that inserts its syntax at the caret.
#pragma once

#include <QString>
#include <functional>
#include <vector>

class QMenu;

namespace zelvora {
struct tFunctionMenuEntry;
}

namespace zelvora::gui {

using tInsertText = std::function<void(const QString& text)>;

// Adds the nodes of the list (and their children, as submenus) to the menu.
void AddHelpTreeItems(
    QMenu& menu, const std::vector<tFunctionMenuEntry>& entries, const tInsertText& insert);

} // namespace zelvora::gui
