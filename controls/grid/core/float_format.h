#pragma once
#include <QString>

#include <optional>

namespace grid {

// One number formatted as the grid's float formats are written ("%.2f",
// "%d", "%8.3e", "%-6n", "Total: %.1f %%"): "%" [-] [width] [.precision]
// conversion, with d, u, x for integers and e, f, g, n, m for fractions, the
// current decimal separator and, for n and m, the thousand separator. A
// format that does not fit its one argument (an integer conversion for a
// fraction or the other way round, a second or missing argument, an unknown
// conversion) gives nothing.
std::optional<QString> FormatNumber(const QString& format, double value);
std::optional<QString> FormatInteger(const QString& format, qint64 value);

} // namespace grid
