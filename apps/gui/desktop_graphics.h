// The graphics port of the desktop: the two animation windows and the scatterplot window.
#pragma once

#include "animation_window.h"
#include "ports/graphics_port.h"
#include "scatterplot_window.h"

namespace zelvora::gui {

class tDesktopGraphics : public tGraphicsPort {
public:
    tDesktopGraphics(
        tAnimationWindow& vectors, tAnimationWindow& cloud, tScatterplotWindow& scatter)
        : m_vectors(vectors)
        , m_cloud(cloud)
        , m_scatter(scatter)
    {
    }
    std::string ShowAnimation(
        tAnimationKind kind, const trealmatrix& coordinates, std::uint32_t seed) override;
    std::string ShowScatterplot(
        const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours) override;
    std::optional<tPicture> ScatterplotPicture() const override;
    void RepaintVisible() override;

private:
    tAnimationWindow& m_vectors;
    tAnimationWindow& m_cloud;
    tScatterplotWindow& m_scatter;
};

} // namespace zelvora::gui
