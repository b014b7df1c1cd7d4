// ZEICHNE and the scree picture show a window and hand it the data; MACROEXEC's delay repaints
// what is visible.
#include "desktop_graphics.h"

#include "window_picture.h"

namespace zelvora::gui {

std::string tDesktopGraphics::ShowAnimation(
    tAnimationKind kind, const trealmatrix& coordinates, std::uint32_t seed)
{
    tAnimationWindow& window = kind == tAnimationKind::Cloud ? m_cloud : m_vectors;
    window.show();
    window.raise();
    window.AssignFactors(coordinates, seed);
    return {};
}

std::string tDesktopGraphics::ShowScatterplot(
    const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours)
{
    if (m_scatter.isHidden())
        m_scatter.show();
    return m_scatter.SetData(x, y, colours);
}

std::string tDesktopGraphics::ShowScree(
    const trealmatrix& eigenvalues, const trealmatrix* percentiles)
{
    std::string refusal = m_scree.SetData(eigenvalues, percentiles);
    if (refusal.empty()) {
        m_scree.show();
        m_scree.raise();
    }
    return refusal;
}

std::optional<tPicture> tDesktopGraphics::ScatterplotPicture() const
{
    if (!m_scatter.HasPicture())
        return std::nullopt;
    return PictureOfImage(m_scatter.Image());
}

void tDesktopGraphics::RepaintVisible()
{
    if (m_vectors.isVisible()) {
        m_vectors.Repaint();
        m_vectors.repaint();
    }
    if (m_scatter.isVisible()) {
        m_scatter.Repaint();
        m_scatter.repaint();
    }
}

} // namespace zelvora::gui
