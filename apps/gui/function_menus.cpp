#include "function_menus.h"

#include "program_text.h"
#include "ui/function_catalogue.h"

#include <QMenu>

namespace zelvora::gui {
namespace {

// '&' would mark a menu's accelerator key.
QString MenuText(const std::string& text)
{
    return ToQString(text).replace('&', "&&");
}

} // namespace

void AddHelpTreeItems(
    QMenu& menu, const std::vector<tFunctionMenuEntry>& entries, const tInsertText& insert)
{
    for (const tFunctionMenuEntry& entry : entries) {
        if (entry.Heading) {
            QMenu* submenu = menu.addMenu(MenuText(entry.Text));
            AddHelpTreeItems(*submenu, entry.Entries, insert);
            continue;
        }
        const QString inserted = ToQString(entry.Text);
        menu.addAction(MenuText(entry.Text) + '\t' + MenuText(entry.Description), &menu,
            [insert, inserted] { insert(inserted); });
    }
}

} // namespace zelvora::gui
