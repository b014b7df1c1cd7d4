// Window pictures: Qt images to and from the port's RGB bitmaps, and the titled picture of a whole
// matrix window that Ctrl+C and "--> bitmap (Form)" copy.
#pragma once

#include "ports/picture_port.h"

#include <QImage>

namespace zelvora::gui {

tPicture PictureOfImage(const QImage& image);
QImage ImageOfPicture(const tPicture& picture);

// The window's image placed 14 pixels down in a picture 14 pixels higher: the top strip dark blue
// with the name in white bold type from x = 24, and a dark cyan box at (1, 1)-(16, 13) with "{ }".
QImage TitledWindowImage(const QImage& window, const QString& name);

} // namespace zelvora::gui
