#include "qt_clipboard.h"

#include "program_text.h"
#include "window_picture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace zelvora::gui {

bool tQtClipboard::SetText(std::string_view text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(ToQString(text));
    return true;
}

bool tQtClipboard::SetPicture(const tPicture& picture)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QImage image = ImageOfPicture(picture);
    if (!clipboard || image.isNull())
        return false;
    clipboard->setImage(image);
    return true;
}

std::optional<std::string> tQtClipboard::Text() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasText())
        return std::nullopt;
    return ToProgramText(data->text());
}

} // namespace zelvora::gui
