// Wavefront OBJ import: a mesh written by the exporter read back into the grid.
#pragma once

#include <cstdint>
#include <vector>

#include <QByteArrayView>
#include <QString>

#include "model/grid_geometry.h"
#include "model/heap_grid.h"
#include "model/types.h"

namespace orvane {

struct TSculptData;

// Files and lines above these sizes are refused before anything is parsed.
inline constexpr qint64 kMaxObjFileBytes = 32LL * 1024 * 1024;
inline constexpr qsizetype kMaxObjLineBytes = 64 * 1024;
// Table capacities; lines beyond them are ignored.
inline constexpr int kMaxObjFaces = 2048;
inline constexpr int kMaxObjTexCoords = 6144;
// The smallest u that still names a grid size: Round(1/u) is 256 down to here.
inline constexpr double kMinObjU = 1.0 / 256.5;

// The tables an import works from.
struct TObjTables {
  struct TCorner {
    int Vertex = 0;    // 1-based vertex line
    int Texture = -1;  // 1-based texture coordinate line; -1 when the corner names none
  };
  // Corners of the faces with 3 or 4 corners, face after face in file order.
  std::vector<TCorner> Corners;
  // Each texture coordinate line as (Round(u (C-1)), Round(v )), clamped to -1 .. 257.
  std::vector<TIntPoint> TexCoords;
  // Each vertex line's coordinates, in file order.
  std::vector<TDbl3D> Vertices;

  // For each grid position, the first vertex FindVertexByTexCoord returns (or -1);
  // filled by IndexTexCoords.
  std::vector<std::int32_t> FirstVertexAt;
};

// Builds FirstVertexAt from the three tables.
void IndexTexCoords(TObjTables& tables);

// The vertex (0-based) of the first face corner, in file order, that names the first
// texture coordinate, in file order, whose rounded position is (tu, tv) and that any
// corner names; -1 when there is none. Needs IndexTexCoords.
int FindVertexByTexCoord(int tu, int tv, const TObjTables& tables);

// True when a used coordinate is below -1 or not below 1.00787403 (or not a number).
bool HasOutOfRange(const TVertexGrid& vertices, const TGridGeometry& grid);

// The outcome of an import. On failure the model and the geometry are untouched.
struct TObjImport {
  bool Ok = false;
  QString Reason;              // why the file is refused when !Ok
  int Aspect = -1;
  int SculptType = -1;
  bool FromTexCoords = false;  // the grid size came from the texture coordinates, not the vertex count
  int VertexLines = 0;
  int TexCoordLines = 0;
  int FaceLines = 0;
  int Unmatched = 0;           // grid positions no face named; they keep the default shape
  bool Maximized = false;      // the coordinates were out of range and were rescaled
};

// Reads an OBJ file into the model. On success: Aspect, geometry, SculptType and
// Vertices replaced; Selected and Locked cleared; section cursors reset; rescaled
// with Maximize when out of range; stitched, selection recounted, BaseVertices committed.
TObjImport ImportObj(TSculptData& model, TGridGeometry& grid, const QString& name);

// The same from the bytes of a file.
TObjImport ImportObjText(TSculptData& model, TGridGeometry& grid, QByteArrayView text);

}  // namespace orvane
