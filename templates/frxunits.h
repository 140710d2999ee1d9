#pragma once

// Units of the template files: positions and sizes of objects are in the report engine's
// units of 1/96 inch (one screen pixel of the designer), paper and margins in millimetres.
namespace frx {

inline constexpr double kUnitsPerInch = 96.0;
inline constexpr double kMmPerInch = 25.4;

constexpr double mmToUnits(double mm) { return mm * kUnitsPerInch / kMmPerInch; }
constexpr double unitsToMm(double units) { return units * kMmPerInch / kUnitsPerInch; }
// Device units (dots) for a length in engine units at dpi dots per inch.
constexpr double unitsToDots(double units, double dpi) { return units * dpi / kUnitsPerInch; }
constexpr double mmToDots(double mm, double dpi) { return mm * dpi / kMmPerInch; }

// Font heights as the files write them: a negative Font.Height is the character height in
// pixels at 96 dots per inch, so 12 pixels are 9 points.
constexpr double heightToPoints(double height) { return (height < 0 ? -height : height) * 72.0 / kUnitsPerInch; }
constexpr double pointsToHeight(double points) { return -(points * kUnitsPerInch / 72.0); }

} // namespace frx
