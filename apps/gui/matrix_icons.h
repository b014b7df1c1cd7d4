// The four matrix window icons: 0 vector, 1 matrix, 2 plain matrix, 3 range list.
#pragma once

#include <QIcon>

namespace zelvora::gui {

// Picture k of the matrix icons; another k gives the matrix icon.
QIcon MatrixIcon(int picture);

} // namespace zelvora::gui
