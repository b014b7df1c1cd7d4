// A canvas for tests that keeps each primitive as one line of text, e.g. "line 0,5 10,5 #000000".
#pragma once

#include "ports/picture_canvas_port.h"

#include <cstdio>
#include <string>
#include <vector>

namespace zelvora::testing {

inline std::string ColourName(tRgb c)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.Red, c.Green, c.Blue);
    return buffer;
}

class tRecordingCanvas : public tPictureCanvasPort {
public:
    void Begin(std::int32_t width, std::int32_t height, tRgb background) override
    {
        Calls = { "begin " + Pair(width, height) + " " + ColourName(background) };
    }
    void Line(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, tRgb pen) override
    {
        Calls.push_back("line " + Pair(x0, y0) + " " + Pair(x1, y1) + " " + ColourName(pen));
    }
    void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
        tRgb fill) override
    {
        Calls.push_back(
            "rect " + Pair(left, top) + " " + Pair(right, bottom) + " " + ColourName(fill));
    }
    void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
        tRgb pen, tRgb fill) override
    {
        Calls.push_back("ellipse " + Pair(left, top) + " " + Pair(right, bottom) + " "
            + ColourName(pen) + " " + ColourName(fill));
    }
    void Text(std::int32_t x, std::int32_t y, std::string_view text, tRgb colour,
        tRgb background) override
    {
        Calls.push_back("text " + Pair(x, y) + " " + std::string(text) + " " + ColourName(colour)
            + " " + ColourName(background));
    }
    // The calls whose text begins with kind ("line", "rect", ...).
    std::vector<std::string> Of(std::string_view kind) const
    {
        std::vector<std::string> found;
        for (const std::string& call : Calls) {
            if (call.starts_with(kind))
                found.push_back(call);
        }
        return found;
    }
    std::vector<std::string> Calls;

private:
    static std::string Pair(std::int32_t a, std::int32_t b)
    {
        return std::to_string(a) + "," + std::to_string(b);
    }
};

} // namespace zelvora::testing
