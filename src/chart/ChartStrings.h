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
inline constexpr const char* LegendSymbolWidthError =
    "Legend symbol width must be greater than zero";

// Series and value lists.
inline constexpr const char* CircularSeries = "Circular Series dependences are not allowed";

// Axes.
inline constexpr const char* AxisMinMax = "Axis Minimum Value must be <= Maximum";
inline constexpr const char* AxisMaxMin = "Axis Maximum Value must be >= Minimum";
inline constexpr const char* AxisIncrementNeg = "Axis increment must be >= 0";
inline constexpr const char* AxisLabelSep = "Labels Separation % must be greater than 0";
inline constexpr const char* AxisLogBase = "Axis Logarithmic Base should be >= 2";
inline constexpr const char* AxisLogDateTime = "DateTime Axis cannot be Logarithmic";
inline constexpr const char* AxisLogNotPositive =
    "Logarithmic Axis Min and Max values should be >= 0";
inline constexpr const char* AxisLabelsAngleName = "Axis Labels";
inline constexpr const char* AxisTitleAngleName = "Axis Title";

}  // namespace drivesim::ChartStrings
