#pragma once
// The solid's files, made in memory: the program that saves them writes
// the bytes through its careful file saving, and a file is either wholly
// replaced or untouched. The mesh's points are written as they are (the
// maximum at radius 1; a printer's or viewer's scale makes it any size).
//
//   PLY, binary little-endian: per vertex x y z, the unit normal nx ny nz,
//        the level's colour (red green blue, bytes) and level (F/Fmax);
//        the triangles as lists of three vertex numbers.
//   OBJ: v and vn lines (one normal per vertex, and one more facing down
//        for the ground disc, so the rim's crease stays sharp), f lines
//        "a//a b//b c//c" counted from 1.
//   STL, binary: an 80-byte header (never beginning with "solid", which
//        would pass it off as a text file), the triangle count and per
//        triangle its unit normal, three corners and a zero attribute word:
//        84 + 50 bytes a triangle.
// Every form keeps the triangles counterclockwise seen from outside.
#include "SolidMesh.h"

#include <optional>
#include <string>
#include <string_view>

enum class SolidFormat { Ply, Obj, Stl };

// The format a file name asks for by its extension (.ply, .obj, .stl, in
// any letter case), or none.
std::optional<SolidFormat> SolidFormatOfName(std::string_view fileName);

// The reason a file name is refused, to follow the option's name, or empty.
std::string SolidFormatError(std::string_view fileName);

// The file's bytes; title goes into the file's comment or header (line
// breaks become spaces; STL keeps what fits in its header).
std::string SolidFileBytes(const SolidMesh &mesh, SolidFormat format, std::string_view title);

std::string PlyBytes(const SolidMesh &mesh, std::string_view title);
std::string ObjBytes(const SolidMesh &mesh, std::string_view title);
std::string StlBytes(const SolidMesh &mesh, std::string_view title);
