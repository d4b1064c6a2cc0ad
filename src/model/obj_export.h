// Wavefront OBJ export: the grid as a mesh, its material file and its texture picture.
#pragma once

#include <string>

#include <QByteArray>
#include <QString>

#include "model/grid_geometry.h"
#include "model/image_files.h"
#include "model/settings.h"

namespace orvane {

struct TSculptData;
struct TTextureSet;

// Formats a number as "%1.8f" does in the C locale ("." whatever the user's locale);
// a value that is not finite is written as 0.
std::string FormatObjNumber(double value);

// Counts of one export (the faces as triangles, as the comment line states them).
struct TObjCounts {
  int Vertices = 0;
  int TexCoords = 0;
  int Triangles = 0;
};
TObjCounts ObjCounts(int sculptType, const TGridGeometry& grid);

// 1-based index of the vertex line and of the texture coordinate line of grid row j,
// column i for a sculpt type (the exporter's numbering). For SPHERE, row 0 gives
// the first pole and row R-1 the second pole as the vertex.
int ObjVertexIndex(int sculptType, const TGridGeometry& grid, int j, int i);
int ObjTexCoordIndex(int sculptType, const TGridGeometry& grid, int j, int i);

// The mesh file's text, lines ended by CR LF; materialFileName goes on the "mtllib" line.
QByteArray ObjMeshText(const TSculptData& model, const TGridGeometry& grid, bool triangles,
                       const QString& materialFileName);
// The material file's text naming the texture picture.
QByteArray ObjMaterialText(const QString& textureFileName);

// The files one export wrote, with their folders.
struct TObjFileNames {
  QString Texture;
  QString Material;
  QString Mesh;
};

// Writes the texture picture (the painted pair, PNG), then the material and the mesh,
// each atomically. The picture and the mesh follow the "Auto Rename" rule; the material
// is named after the mesh as written. name comes back as the mesh's name as written.
// On failure returns false with the reason; files this export created are removed
// again and name is unchanged.
bool ExportObj(const TSculptData& model, const TGridGeometry& grid, const TTextureSet& textures, QString& name,
               bool triangles, const TAppSettings& settings, const TWarnFunction& warn, QString* reason = nullptr,
               TObjFileNames* written = nullptr);

}  // namespace orvane
