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

void AddHelpTreeItems(QMenu& menu, const tTokenNodelist& list, const tInsertText& insert)
{
    for (const tTokenNode& node : list.Nodes()) {
        if (node.Text.empty())
            continue;
        if (node.Children && node.Children->Count() > 0) {
            QMenu* submenu = menu.addMenu(MenuText(node.Text));
            AddHelpTreeItems(*submenu, *node.Children, insert);
            continue;
        }
        const std::vector<std::string> fields = SplitNodeFields(node.Text);
        const std::string syntax = fields.empty() ? node.Text : fields[0];
        const std::string description = fields.size() > 1 ? fields[1] : std::string();
        const QString inserted = ToQString(syntax);
        menu.addAction(MenuText(syntax) + '\t' + MenuText(description), &menu,
            [insert, inserted] { insert(inserted); });
    }
}

} // namespace zelvora::gui
