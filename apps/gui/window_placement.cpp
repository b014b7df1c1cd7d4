#include "window_placement.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace zelvora::gui {

namespace {

constexpr int SmallestSide = 50;
constexpr int SmallestVisiblePart = 100;

} // namespace

QRect ReadWindowPlace(const tIniFile& ini, std::string_view key, const QRect& fallback)
{
    const QString text = QString::fromStdString(ini.ReadString(WindowPlaceSection, key, ""));
    const QStringList parts = text.split(',');
    if (parts.size() != 4)
        return fallback;
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return fallback;
    }
    if (values[2] < SmallestSide || values[3] < SmallestSide)
        return fallback;
    return QRect(values[0], values[1], values[2], values[3]);
}

void WriteWindowPlace(tIniFile& ini, std::string_view key, const QRect& place)
{
    const QString text = QStringLiteral("%1,%2,%3,%4")
                             .arg(place.left())
                             .arg(place.top())
                             .arg(place.width())
                             .arg(place.height());
    ini.WriteString(WindowPlaceSection, key, text.toStdString());
}

QRect FittedOnScreen(const QRect& place, const QRect& fallback, const QRect& screen)
{
    const QRect shown = place.intersected(screen);
    if (shown.width() < std::min(SmallestVisiblePart, place.width())
        || shown.height() < std::min(SmallestVisiblePart, place.height()))
        return fallback;
    return QRect(place.topLeft(), place.size().boundedTo(screen.size()));
}

QRect WithinScreen(const QRect& place, const QSize& least, const QRect& screen)
{
    QRect fitted(place.topLeft(), place.size().expandedTo(least).boundedTo(screen.size()));
    if (fitted.right() > screen.right())
        fitted.moveRight(screen.right());
    if (fitted.bottom() > screen.bottom())
        fitted.moveBottom(screen.bottom());
    fitted.moveLeft(std::max(fitted.left(), screen.left()));
    fitted.moveTop(std::max(fitted.top(), screen.top()));
    return fitted;
}

QRect BelowControls(const QRect& place, int top, const QRect& screen)
{
    QRect moved = place;
    moved.moveTop(std::max(place.top(), top));
    if (moved.bottom() > screen.bottom())
        moved.moveTop(std::max(top, screen.bottom() - moved.height() + 1));
    moved.setBottom(std::min(moved.bottom(), screen.bottom()));
    return moved;
}

QRect ScreenShare(const QRect& screen, double left, double top, double width, double height)
{
    auto share = [](int size, double percent) {
        return static_cast<int>(std::lround(size * percent / 100.0));
    };
    return QRect(screen.left() + share(screen.width(), left),
        screen.top() + share(screen.height(), top), share(screen.width(), width),
        share(screen.height(), height));
}

} // namespace zelvora::gui
