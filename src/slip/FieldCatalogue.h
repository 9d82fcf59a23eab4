#pragma once

#include <span>

// How a box's font is chosen; the window maps these to installed faces.
enum class BoxFont {
    Window,  // the window's font, 11 px
    Serif,   // 11 px serif face (district and declarant)
    Song,    // 13 px Song face (personnel category)
};

// One box of the slip: its place on the picture in design pixels, its texts
// and its rules.
struct FieldSpec {
    int number;             // 1..58, the box EditN
    const char *label;      // the label printed beside the cell (UTF-8)
    int left, top, width, height;
    const char *defaultText;  // at start-up (UTF-8)
    const char *clearText;    // after Clear (UTF-8)
    bool readOnly;
    bool numericFilter;     // typed keys pass the numeric key filter
    bool printed;
    BoxFont font;
};

// The marker of a capital-digit box that holds no digit.
inline constexpr const char *EmptyCapital = "\u2588";

// All 58 boxes, ordered by number (element i is box i + 1).
std::span<const FieldSpec> fieldCatalogue();
const FieldSpec &fieldSpec(int number);
