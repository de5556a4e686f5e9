// The editor's data: the figure, the file image, the undo and change-detection
// copies, the selection mask and the editor globals. One instance lives in the
// main window for the whole run; the computations take the parts they need.
#pragma once

#include <array>
#include <cstdint>

namespace lp {

inline constexpr int kPointCount = 256;
inline constexpr int kFileImageSize = 2048;
inline constexpr int kPictureBufferSize = 4096;
inline constexpr int kYBlockOffset = 1024;

inline constexpr int32_t kNoHoverPoint = 1000;
inline constexpr int32_t kNoCurrentPoint = 500;

using Coords = std::array<uint8_t, kPointCount>;
using PictureBytes = std::array<uint8_t, kPictureBufferSize>;

// Template selected by the shape buttons.
enum MakeModes : int32_t {
    MakeNone = 0,
    MakeCircle = 1,
    MakePolygon = 2,
    MakeLines = 3,
    MakeStar = 4,
    MakeLinesVert = 5,
    MakeCentre = 6,
    MakeFrame = 7,
};

struct EditorState {
    int32_t DragMode = 0;  // 0 idle, 1 left button dragging, 2 right button stretching the area
    int32_t HoverPoint = kNoHoverPoint;
    int32_t CurrentPoint = kNoCurrentPoint;
    int32_t MakeMode = MakeNone;
    bool LinesFlag = false;
    bool AreaMode = false;
    int32_t AreaX1 = 127;
    int32_t AreaY1 = 127;
    int32_t AreaX2 = 127;
    int32_t AreaY2 = 127;
    int32_t DragStartX = 127;
    int32_t DragStartY = 127;
};

struct FigureData {
    Coords FigureX{};
    Coords FigureY{};
    PictureBytes PictureBuffer{};
    Coords LastX{};
    Coords LastY{};
    Coords UndoX{};
    Coords UndoY{};
    Coords SelectMask{};
    EditorState State;
};

// A signed offset from the centre as a coordinate: 127 + d for d >= 0, 128 + d below.
constexpr uint8_t OffsetToCoord(int d) {
    return static_cast<uint8_t>(d >= 0 ? 127 + d : 128 + d);
}

// Mirror image of a coordinate about the centre.
constexpr uint8_t Mirror(uint8_t v) {
    return static_cast<uint8_t>(255 - v);
}

}  // namespace lp
