// The graphics port of the desktop: the two animation windows, the scatterplot and the scree
// window.
#pragma once

#include "animation_window.h"
#include "ports/graphics_port.h"
#include "scatterplot_window.h"
#include "scree_window.h"

namespace zelvora::gui {

class tDesktopGraphics : public tGraphicsPort {
public:
    tDesktopGraphics(tAnimationWindow& vectors, tAnimationWindow& cloud,
        tScatterplotWindow& scatter, tScreeWindow& scree)
        : m_vectors(vectors)
        , m_cloud(cloud)
        , m_scatter(scatter)
        , m_scree(scree)
    {
    }
    std::string ShowAnimation(
        tAnimationKind kind, const trealmatrix& coordinates, std::uint32_t seed) override;
    std::string ShowScatterplot(
        const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours) override;
    std::string ShowScree(const trealmatrix& eigenvalues, const trealmatrix* percentiles) override;
    std::optional<tPicture> ScatterplotPicture() const override;
    void RepaintVisible() override;

private:
    tAnimationWindow& m_vectors;
    tAnimationWindow& m_cloud;
    tScatterplotWindow& m_scatter;
    tScreeWindow& m_scree;
};

} // namespace zelvora::gui
