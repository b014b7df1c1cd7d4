// Picture files of the console: the animations, the scatterplot and the scree picture drawn off
// screen.
#include "ui/graphics/picture_file_graphics.h"

#include "text/text_encoding.h"
#include "ui/graphics/png_writer.h"
#include "ui/graphics/raster_canvas.h"
#include "ui/graphics/svg_canvas.h"
#include "ui/graphics/vector_animation.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace zelvora {
namespace {

// directory/name, or name alone for the working directory; the directory is made when missing.
std::string PicturePath(const std::string& directory, const std::string& name)
{
    if (directory.empty())
        return name;
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    return (std::filesystem::path(directory) / name).string();
}

bool WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    return static_cast<bool>(file.flush());
}

std::string FrameSuffix(std::int32_t frame, std::int32_t frames)
{
    if (frames <= 1)
        return {};
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "-%02d", frame);
    return buffer;
}

} // namespace

tPictureFileGraphics::tPictureFileGraphics(
    tPictureFileOptions options, tAnnounce announce, tWrite write)
    : m_options(std::move(options))
    , m_announce(std::move(announce))
    , m_write(std::move(write))
{
    m_options.Frames = std::max(m_options.Frames, 1);
}

template <typename tDraw>
std::string tPictureFileGraphics::WritePicture(const std::string& stem, const tDraw& draw)
{
    const auto pathOf
        = [&](const char* extension) { return PicturePath(m_options.Directory, stem + extension); };
    tSvgCanvas svg;
    draw(svg);
    std::vector<std::pair<std::string, std::string>> files { { pathOf(".svg"), svg.Document() } };
    if (m_options.Png) {
        tRasterCanvas raster;
        draw(raster);
        files.emplace_back(pathOf(".png"), EncodePng(raster.Picture()));
    }
    for (const auto& [path, bytes] : files) {
        if (!(m_write ? m_write(path, bytes) : WriteFile(path, bytes)))
            return "Die Zeichnung kann nicht in die Datei " + Utf8ToCp1252(path)
                + " geschrieben werden";
        if (m_announce)
            m_announce(path);
    }
    return {};
}

std::string tPictureFileGraphics::ShowAnimation(
    tAnimationKind kind, const trealmatrix& coordinates, std::uint32_t seed)
{
    const bool cloud = kind == tAnimationKind::Cloud;
    const std::string stem = std::string(cloud ? "cloudanimate-" : "animate-")
        + std::to_string(cloud ? ++m_cloudCount : ++m_vectorCount);
    tZeichnen animation(kind);
    animation.SetSeed(seed);
    animation.AssignFactors(coordinates, AnimationPictureSide, AnimationPictureSide);
    animation.RequestStart();
    for (std::int32_t frame = 1; frame <= m_options.Frames; ++frame) {
        if (frame > 1) {
            animation.Advance(DegreesBetweenFrames * animation.Fineness());
        }
        std::string refusal = WritePicture(stem + FrameSuffix(frame, m_options.Frames),
            [&](tPictureCanvasPort& canvas) { animation.DrawFrame(canvas); });
        if (!refusal.empty())
            return refusal;
    }
    return {};
}

std::string tPictureFileGraphics::ShowScatterplot(
    const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours)
{
    std::string refusal = m_scatterplot.SetData(x, y, colours);
    if (!refusal.empty())
        return refusal;
    return WritePicture(
        "scatterplot-" + std::to_string(++m_scatterCount), [&](tPictureCanvasPort& canvas) {
            m_scatterplot.Draw(canvas, ScatterPictureWidth, ScatterPictureHeight);
        });
}

std::string tPictureFileGraphics::ShowScree(
    const trealmatrix& eigenvalues, const trealmatrix* percentiles)
{
    tScreePlot plot;
    std::string refusal = plot.SetData(eigenvalues, percentiles);
    if (!refusal.empty())
        return refusal;
    return WritePicture("scree-" + std::to_string(++m_screeCount), [&](tPictureCanvasPort& canvas) {
        plot.Draw(canvas, ScreePictureWidth, ScreePictureHeight);
    });
}

std::optional<tPicture> tPictureFileGraphics::ScatterplotPicture() const
{
    if (!m_scatterplot.HasData())
        return std::nullopt;
    tRasterCanvas raster;
    m_scatterplot.Draw(raster, ScatterPictureWidth, ScatterPictureHeight);
    return raster.Picture();
}

void tPictureFileListing::addBitmap(const tPicture& picture)
{
    const std::string png = EncodePng(picture);
    if (png.empty())
        return; // a window that has no picture adds none
    const std::string path
        = PicturePath(m_directory, "listing-" + std::to_string(++m_count) + ".png");
    if (WriteFile(path, png) && m_announce)
        m_announce(path);
}

} // namespace zelvora
