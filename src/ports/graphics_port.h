// The graphics windows as ZEICHNE, LIST GRAPH, MACROEXEC and the scree picture of a factor
// analysis reach them: the vector and cloud animations, the scatterplot and the scree picture.
#pragma once

#include "numerics/matrix_types.h"
#include "ports/picture_port.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zelvora {

enum class tAnimationKind : std::int32_t { Vectors = 1, Cloud = 3 };

class tGraphicsPort {
public:
    virtual ~tGraphicsPort() = default;
    // Shows the animation window and hands it the coordinate matrix (one row per point); seed
    // starts the generator of the random rotation planes. Returns an empty text, or a message
    // (German) why the picture could not be made.
    virtual std::string ShowAnimation(
        tAnimationKind kind, const trealmatrix& coordinates, std::uint32_t seed)
        = 0;
    // Shows the scatterplot window (if hidden) and draws y against x, coloured by the optional
    // table of red, green, blue rows. Returns an empty text, or a message why the data cannot be
    // drawn; then the window keeps its former picture.
    virtual std::string ShowScatterplot(
        const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours)
        = 0;
    // Shows the scree picture: the eigenvalues (a row or column) against their number, with the
    // optional percentiles of the random data as a second line. Returns an empty text, or a
    // message why they cannot be drawn; then the window keeps its former picture.
    virtual std::string ShowScree(const trealmatrix& eigenvalues, const trealmatrix* percentiles)
        = 0;
    // The scatterplot window's current picture; nothing when it has never drawn.
    virtual std::optional<tPicture> ScatterplotPicture() const = 0;
    // Repaints the animation and scatterplot windows that are visible.
    virtual void RepaintVisible() = 0;
};

} // namespace zelvora
