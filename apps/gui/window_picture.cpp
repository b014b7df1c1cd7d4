#include "window_picture.h"

#include <QPainter>

namespace zelvora::gui {

namespace {

constexpr int TitleStripHeight = 14;

} // namespace

tPicture PictureOfImage(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    tPicture picture;
    picture.Width = rgb.width();
    picture.Height = rgb.height();
    const auto rowBytes = static_cast<std::size_t>(rgb.width()) * 3;
    picture.Rgb.resize(rowBytes * static_cast<std::size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* line = rgb.constScanLine(y);
        std::copy(
            line, line + rowBytes, picture.Rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes) * y);
    }
    return picture;
}

QImage ImageOfPicture(const tPicture& picture)
{
    const auto rowBytes = static_cast<std::size_t>(std::max(picture.Width, 0)) * 3;
    if (picture.Width <= 0 || picture.Height <= 0
        || picture.Rgb.size() < rowBytes * static_cast<std::size_t>(picture.Height))
        return {};
    QImage image(picture.Width, picture.Height, QImage::Format_RGB888);
    for (int y = 0; y < picture.Height; ++y) {
        const auto* source = picture.Rgb.data() + rowBytes * static_cast<std::size_t>(y);
        std::copy(source, source + rowBytes, image.scanLine(y));
    }
    return image;
}

QImage TitledWindowImage(const QImage& window, const QString& name)
{
    QImage picture(window.width(), window.height() + TitleStripHeight, QImage::Format_RGB888);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, TitleStripHeight, window);
    painter.fillRect(0, 0, picture.width(), TitleStripHeight, QColor(0, 0, 128));

    QFont title(QStringLiteral("Tahoma"));
    title.setStyleHint(QFont::SansSerif);
    title.setBold(true);
    title.setPixelSize(11);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(24, 0, std::max(picture.width() - 24, 0), TitleStripHeight),
        Qt::AlignLeft | Qt::AlignVCenter, name);

    const QRect box(QPoint(1, 1), QPoint(16, 13));
    painter.fillRect(box, QColor(0, 128, 128));
    QFont small(title);
    small.setBold(false);
    small.setPointSize(7);
    painter.setFont(small);
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("{ }"));
    return picture;
}

} // namespace zelvora::gui
