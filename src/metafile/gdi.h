#pragma once
// The numbers a Windows metafile is written in: record functions and the GDI
// values their parameters carry. The reader, the player and the writer all
// speak in these, so a page we write is read back through the same names.
#include <QtGlobal>

namespace metafile::gdi {

// The first four bytes of a placeable metafile, ahead of the standard header.
inline constexpr quint32 PlaceableKey = 0x9AC6CDD7;

// Three carry a "Record" suffix: their bare names are macros under <windows.h>.
namespace record {
inline constexpr quint16 Eof = 0x0000;
inline constexpr quint16 SaveDC = 0x001E;
inline constexpr quint16 CreatePalette = 0x00F7;
inline constexpr quint16 SetBkMode = 0x0102;
inline constexpr quint16 SetMapMode = 0x0103;
inline constexpr quint16 SetPolyFillMode = 0x0106;
inline constexpr quint16 RestoreDC = 0x0127;
inline constexpr quint16 SelectObject = 0x012D;
inline constexpr quint16 SetTextAlign = 0x012E;
inline constexpr quint16 DibCreatePatternBrush = 0x0142;
inline constexpr quint16 DeleteObject = 0x01F0;
inline constexpr quint16 CreatePatternBrush = 0x01F9;
inline constexpr quint16 SetBkColor = 0x0201;
inline constexpr quint16 SetTextColor = 0x0209;
inline constexpr quint16 SetWindowOrg = 0x020B;
inline constexpr quint16 SetWindowExt = 0x020C;
inline constexpr quint16 SetViewportOrg = 0x020D;
inline constexpr quint16 SetViewportExt = 0x020E;
inline constexpr quint16 LineTo = 0x0213;
inline constexpr quint16 MoveTo = 0x0214;
inline constexpr quint16 CreatePenIndirect = 0x02FA;
inline constexpr quint16 CreateFontRecord = 0x02FB;
inline constexpr quint16 CreateBrushIndirect = 0x02FC;
inline constexpr quint16 Polygon = 0x0324;
inline constexpr quint16 Polyline = 0x0325;
inline constexpr quint16 ExcludeClipRect = 0x0415;
inline constexpr quint16 IntersectClipRect = 0x0416;
inline constexpr quint16 Ellipse = 0x0418;
inline constexpr quint16 Rectangle = 0x041B;
inline constexpr quint16 TextOutRecord = 0x0521;
inline constexpr quint16 PolyPolygon = 0x0538;
inline constexpr quint16 RoundRect = 0x061C;
inline constexpr quint16 CreateRegion = 0x06FF;
inline constexpr quint16 Arc = 0x0817;
inline constexpr quint16 Pie = 0x081A;
inline constexpr quint16 Chord = 0x0830;
inline constexpr quint16 DibBitBlt = 0x0940;
inline constexpr quint16 ExtTextOutRecord = 0x0A32;
inline constexpr quint16 DibStretchBlt = 0x0B41;
inline constexpr quint16 StretchDib = 0x0F43;
} // namespace record

// Kept in namespaces of their own rather than under their Windows spellings
// (PS_SOLID, TRANSPARENT, ...), which are macros wherever <windows.h> is seen.
namespace pen {
inline constexpr int Solid = 0;
inline constexpr int Dash = 1;
inline constexpr int Dot = 2;
inline constexpr int DashDot = 3;
inline constexpr int DashDotDot = 4;
inline constexpr int Null = 5;
inline constexpr int InsideFrame = 6;
inline constexpr int StyleMask = 0x000F;
// The high byte carries end caps and joins; round is the zero default.
inline constexpr int EndCapSquare = 0x0100;
inline constexpr int EndCapFlat = 0x0200;
inline constexpr int EndCapMask = 0x0F00;
inline constexpr int JoinBevel = 0x1000;
inline constexpr int JoinMiter = 0x2000;
inline constexpr int JoinMask = 0xF000;
} // namespace pen

namespace brush {
inline constexpr int Solid = 0;
inline constexpr int Null = 1;
inline constexpr int Hatched = 2;
inline constexpr int Pattern = 3;
inline constexpr int DibPattern = 5;
inline constexpr int DibPatternPt = 6;
} // namespace brush

namespace hatch {
inline constexpr int Horizontal = 0;
inline constexpr int Vertical = 1;
inline constexpr int FDiagonal = 2;
inline constexpr int BDiagonal = 3;
inline constexpr int Cross = 4;
inline constexpr int DiagCross = 5;
} // namespace hatch

namespace bk {
inline constexpr int Transparent = 1;
inline constexpr int Opaque = 2;
} // namespace bk

namespace fill {
inline constexpr int Alternate = 1;
inline constexpr int Winding = 2;
} // namespace fill

namespace align {
inline constexpr int UpdateCP = 0x0001;
inline constexpr int Left = 0x0000;
inline constexpr int Right = 0x0002;
inline constexpr int Center = 0x0006;
inline constexpr int HorizontalMask = 0x0006;
inline constexpr int Top = 0x0000;
inline constexpr int Bottom = 0x0008;
inline constexpr int Baseline = 0x0018;
inline constexpr int VerticalMask = 0x0018;
} // namespace align

namespace eto {
inline constexpr int Opaque = 0x0002;
inline constexpr int Clipped = 0x0004;
inline constexpr int Pdy = 0x2000;
} // namespace eto

namespace map {
inline constexpr int Text = 1;
inline constexpr int LoMetric = 2;
inline constexpr int HiMetric = 3;
inline constexpr int LoEnglish = 4;
inline constexpr int HiEnglish = 5;
inline constexpr int Twips = 6;
inline constexpr int Isotropic = 7;
inline constexpr int Anisotropic = 8;
} // namespace map

namespace weight {
inline constexpr int Normal = 400;
inline constexpr int Bold = 700;
} // namespace weight

inline constexpr quint32 SrcCopy = 0x00CC0020;
inline constexpr int DibRgbColours = 0;
inline constexpr int DibPalColours = 1;

namespace compression {
inline constexpr quint32 Rgb = 0;
inline constexpr quint32 Rle8 = 1;
inline constexpr quint32 Rle4 = 2;
inline constexpr quint32 BitFields = 3;
} // namespace compression

} // namespace metafile::gdi
