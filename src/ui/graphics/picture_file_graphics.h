// The graphics windows of a front end without windows: each picture is written to files (SVG, and
// PNG painted by the raster canvas) whose names are announced.
#pragma once

#include "ports/graphics_port.h"
#include "ui/graphics/scatterplot.h"
#include "ui/graphics/scree_plot.h"

#include <cstdint>
#include <functional>
#include <string>

namespace zelvora {

struct tPictureFileOptions {
    std::string Directory; // empty: the working directory; created when missing
    std::int32_t Frames = 1; // pictures per animation
    bool Png = true; // a PNG beside each SVG
};

inline constexpr std::int32_t AnimationPictureSide = 400;
inline constexpr std::int32_t ScatterPictureWidth = 480;
inline constexpr std::int32_t ScatterPictureHeight = 360;
// Frames of an animation file series lie this many degrees of turn apart.
inline constexpr std::int32_t DegreesBetweenFrames = 10;

class tPictureFileGraphics : public tGraphicsPort {
public:
    using tAnnounce = std::function<void(const std::string& path)>;
    // Where a picture's bytes go instead of the file at path (a front end that sends pictures on);
    // false when they could not be kept.
    using tWrite = std::function<bool(const std::string& path, const std::string& bytes)>;
    tPictureFileGraphics(tPictureFileOptions options, tAnnounce announce, tWrite write = {});

    // Names: animate-<n>, cloudanimate-<n>, scatterplot-<n>, scree-<n>, counted per kind from 1; a
    // series of frames adds -<frame> with two or more digits.
    std::string ShowAnimation(
        tAnimationKind kind, const trealmatrix& coordinates, std::uint32_t seed) override;
    std::string ShowScatterplot(
        const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours) override;
    std::string ShowScree(const trealmatrix& eigenvalues, const trealmatrix* percentiles) override;
    std::optional<tPicture> ScatterplotPicture() const override;
    // Files are written once per picture; nothing to repaint.
    void RepaintVisible() override { }

private:
    // Writes the SVG and PNG of one picture; a message when a file cannot be written.
    template <typename tDraw> std::string WritePicture(const std::string& stem, const tDraw& draw);

    tPictureFileOptions m_options;
    tAnnounce m_announce;
    tWrite m_write;
    tScatterplot m_scatterplot;
    std::int32_t m_vectorCount = 0;
    std::int32_t m_cloudCount = 0;
    std::int32_t m_scatterCount = 0;
    std::int32_t m_screeCount = 0;
};

// The listing's pictures written as files listing-<n>.png beside the drawings.
class tPictureFileListing : public tListingPicturePort {
public:
    tPictureFileListing(std::string directory, tPictureFileGraphics::tAnnounce announce)
        : m_directory(std::move(directory))
        , m_announce(std::move(announce))
    {
    }
    void addBitmap(const tPicture& picture) override;

private:
    std::string m_directory;
    tPictureFileGraphics::tAnnounce m_announce;
    std::int32_t m_count = 0;
};

} // namespace zelvora
