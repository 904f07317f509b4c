#pragma once
// The chart engine's message and label texts.

namespace drivesim::ChartStrings {

inline constexpr const char* DefaultFontName = "Arial";
inline constexpr int DefaultFontSize = 8;
inline constexpr const char* DefaultValueFormat = "#,##0.###";
inline constexpr const char* DefaultPercentFormat = "##0.## %";
inline constexpr const char* XValuesName = "X";
inline constexpr const char* YValuesName = "Y";

inline constexpr const char* InvalidAngle = "%s Angle must be between 0 and 359 degrees";
inline constexpr const char* Invalid3DPercent = "3D effect percent must be between %d and %d";
inline constexpr const char* PointerSizeError = "Pointer size must be greater than zero";
inline constexpr const char* MaxPointsPerPageError = "MaxPointsPerPage must be >= 0";

}  // namespace drivesim::ChartStrings
