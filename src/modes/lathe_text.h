// LATHE text data: the profile of column 0 as radius and height values in map levels.
#pragma once

#include <QByteArrayView>
#include <QString>

#include "model/grid_geometry.h"
#include "model/heap_grid.h"
#include "model/image_files.h"
#include "model/settings.h"

namespace orvane {

inline constexpr char kLatheTextStart[] = "--LATHE DATA V3";
inline constexpr char kLatheTextEnd[] = "--END OF LATHE DATA V3";

// Reader statuses; a status of 0 or more is the file line index of a data line with
// fewer than two fields.
inline constexpr int kLatheTextOk = -1;
inline constexpr int kLatheTextNoEnd = -3;       // the end marker is missing
inline constexpr int kLatheTextBadFrame = -4;    // no start marker, or not RowCount data lines
inline constexpr int kLatheTextUnreadable = -5;  // the file cannot be read (or is far too large)

// Writes the LATHE text of column 0, rows R-1 down to 0, through a temporary file. Only a
// 33 x 33 grid is written. The "Auto Rename" rule applies to name, which comes back as
// written. Returns false with the reason; the file on disk is then untouched.
bool SaveLatheText(const TVertexGrid& vertices, const TGridGeometry& grid, QString& name,
                   const TAppSettings& settings, const TWarnFunction& warn, QString* reason = nullptr);

// The text SaveLatheText writes, CR LF line ends.
QByteArray LatheText(const TVertexGrid& vertices, const TGridGeometry& grid);

// Reads LATHE text into column 0 (x = radius, y = 0, z = height). Column 0 is written only
// when the status is kLatheTextOk; otherwise vertices are untouched and *reason says why.
int ReadLatheText(QByteArrayView text, TVertexGrid& vertices, const TGridGeometry& grid, QString* reason = nullptr);
int LoadLatheText(const QString& name, TVertexGrid& vertices, const TGridGeometry& grid, QString* reason = nullptr);

// Gives every column the radius and height of column 0, row by row, each keeping its own
// direction around the axis (a column on the axis stays on it).
void SpreadColumnZero(TVertexGrid& vertices, const TGridGeometry& grid);

}  // namespace orvane
