#include "chart/core/TKorCanvas3D.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TView3DOptions.h"

#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TBitmapGraphic.h"
#include "platform/TBrush.h"
#include "platform/TCanvas.h"
#include "platform/TPen.h"
#include "platform/TPngImage.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <string>
#include <vector>

namespace {

using PixelProbe::InkBox;
using PixelProbe::SamePixels;

constexpr double Pi = std::numbers::pi;

struct TDrawnPolygon {
  std::vector<TPoint> Points;
  TColor BrushColor;
  TColor BackColor;
  TPenStyle PenStyle;
};

// The real surface, remembering the polygons, polylines and pen moves it
// was asked to draw.
class TRecordingSurface : public TKorCanvas3D {
 public:
  using TKorCanvas3D::Polyline;

  void Polygon(const TPoint* Points, int HighIndex) override {
    Polygons.push_back({std::vector<TPoint>(Points, Points + HighIndex + 1), GetBrush().GetColor(),
                        GetBackColor(), GetPen().GetStyle()});
    TKorCanvas3D::Polygon(Points, HighIndex);
  }
  void Polyline(const TPoint* Points, int HighIndex) override {
    Polylines.emplace_back(Points, Points + HighIndex + 1);
    TKorCanvas3D::Polyline(Points, HighIndex);
  }
  void MoveTo(int X, int Y) override {
    Moves.push_back("M" + std::to_string(X) + "," + std::to_string(Y));
    TKorCanvas3D::MoveTo(X, Y);
  }
  void LineTo(int X, int Y) override {
    Moves.push_back("L" + std::to_string(X) + "," + std::to_string(Y));
    TKorCanvas3D::LineTo(X, Y);
  }

  std::vector<TDrawnPolygon> Polygons;
  std::vector<std::vector<TPoint>> Polylines;
  std::vector<std::string> Moves;
};

struct TVec3 {
  double X, Y, Z;
};
TVec3 operator-(const TVec3& A, const TVec3& B) {
  return {A.X - B.X, A.Y - B.Y, A.Z - B.Z};
}
double Dot(const TVec3& A, const TVec3& B) {
  return A.X * B.X + A.Y * B.Y + A.Z * B.Z;
}

// A planar face of a convex solid in chart coordinates (depths whole).
struct TFace3D {
  std::string Name;
  std::vector<TVec3> Corners;
};

bool Has(const std::vector<TPoint>& Points, const TPoint& P) {
  return std::find(Points.begin(), Points.end(), P) != Points.end();
}

std::set<std::pair<int, int>> PointSet(const std::vector<TPoint>& Points) {
  std::set<std::pair<int, int>> Set;
  for (const TPoint& P : Points) Set.insert({P.X, P.Y});
  return Set;
}

std::vector<TFace3D> CubeFaces(double L, double R, double T, double B, double Z0, double Z1) {
  return {{"front", {{L, T, Z0}, {R, T, Z0}, {R, B, Z0}, {L, B, Z0}}},
          {"back", {{L, T, Z1}, {R, T, Z1}, {R, B, Z1}, {L, B, Z1}}},
          {"left", {{L, T, Z0}, {L, T, Z1}, {L, B, Z1}, {L, B, Z0}}},
          {"right", {{R, T, Z0}, {R, T, Z1}, {R, B, Z1}, {R, B, Z0}}},
          {"top", {{L, T, Z0}, {R, T, Z0}, {R, T, Z1}, {L, T, Z1}}},
          {"bottom", {{L, B, Z0}, {L, B, Z1}, {R, B, Z1}, {R, B, Z0}}}};
}

// Frames of a 600 x 400 chart whose projection centre is (300, 200, 50);
// in the default orthogonal view a point (x, y, z) lands on (x + z, y - z).
class TKorCanvas3DSolidsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TBitmap& B = Picture.Bitmap();
    B.SetSize(2, 2);
    B.GetCanvas().SetPixel(0, 0, clRed);
    B.GetCanvas().SetPixel(1, 0, clLime);
    B.GetCanvas().SetPixel(0, 1, clBlue);
    B.GetCanvas().SetPixel(1, 1, clYellow);
  }
  void TearDown() override {
    KorNumCylinderSides = 16;
    KorDefaultConePercent = 0;
  }

  void Frame(bool Is3D) {
    const TRect R(0, 0, 600, 400);
    Surface.InitWindow(Destination.GetCanvas(), &Options, clWhite, Is3D, R);
    Surface.Projection(100, R, R);
    // The buffer keeps its pixels while its size stays the same.
    Surface.GetBrush().SetStyle(bsSolid);
    Surface.GetBrush().SetColor(clWhite);
    Surface.FillRect(R);
    Surface.GetPen().SetColor(clBlack);
    Surface.GetPen().SetStyle(psSolid);
    Surface.GetBrush().SetColor(BaseColor);
    Surface.Polygons.clear();
    Surface.Polylines.clear();
    Surface.Moves.clear();
  }
  void View(double Elevation, double Rotation, int Tilt = 0) {
    Options.SetOrthogonal(false);
    Options.SetElevationDouble(Elevation);
    Options.SetRotationDouble(Rotation);
    Options.SetTilt(Tilt);
    Options.SetPerspective(0);
  }
  void Ortho(int Angle) {
    Options.SetOrthogonal(true);
    Options.SetOrthoAngle(Angle);
  }
  const TBitmap& Drawn() const { return *Surface.GetBitmap(); }
  TPoint P(double X, double Y, int Z) const { return Surface.Calculate3DPositionFloat(X, Y, Z); }

  // The direction in chart coordinates that runs away from the viewer,
  // from the view settings alone: along it all points project alike.
  TVec3 AwayFromViewer() const {
    if (Options.GetOrthogonal()) {
      const int Angle = Options.GetOrthoAngle();
      const double A = (Angle > 90 ? 180 - Angle : Angle) * Pi / 180;
      return {Angle > 90 ? 1.0 : -1.0, std::tan(A), 1.0};
    }
    const double E = -Options.GetElevationDouble() * Pi / 180;
    const double R = -Options.GetRotationDouble() * Pi / 180;
    return {-std::cos(E) * std::sin(R), std::sin(E), std::cos(E) * std::cos(R)};
  }
  // 1 when the face's outward normal (away from Inside) leans toward the
  // viewer, -1 when away, 0 when nearly edge-on (either answer is fine).
  int Facing(const TFace3D& Face, const TVec3& Inside) const {
    const TVec3 A = Face.Corners[0];
    TVec3 N{0, 0, 0};
    for (std::size_t I = 1; I + 1 < Face.Corners.size() && Dot(N, N) == 0; ++I) {
      const TVec3 U = Face.Corners[I] - A;
      const TVec3 V = Face.Corners[I + 1] - A;
      N = {U.Y * V.Z - U.Z * V.Y, U.Z * V.X - U.X * V.Z, U.X * V.Y - U.Y * V.X};
    }
    if (Dot(N, A - Inside) < 0) N = {-N.X, -N.Y, -N.Z};
    const TVec3 Away = AwayFromViewer();
    const double Cos = Dot(N, Away) / std::sqrt(Dot(N, N) * Dot(Away, Away));
    return std::fabs(Cos) < 0.05 ? 0 : Cos < 0 ? 1 : -1;
  }
  std::set<std::pair<int, int>> Projected(const TFace3D& Face) const {
    std::vector<TPoint> Points;
    for (const TVec3& C : Face.Corners) Points.push_back(P(C.X, C.Y, Round(C.Z)));
    return PointSet(Points);
  }
  // The names of the faces the recorded polygons cover, in drawing order.
  std::vector<std::string> DrawnFaces(const std::vector<TFace3D>& Faces) const {
    std::vector<std::string> Names;
    for (const TDrawnPolygon& Drawn : Surface.Polygons) {
      std::string Name = "?";
      for (const TFace3D& Face : Faces)
        if (Projected(Face) == PointSet(Drawn.Points)) Name = Face.Name;
      Names.push_back(Name);
    }
    return Names;
  }
  // Faces that project onto the same points as another face (two sides of
  // a round body at its outline) cannot be told apart and are skipped.
  void ExpectDrawnAsSeen(const std::vector<TFace3D>& Faces, const TVec3& Inside,
                         const std::string& What) const {
    const std::vector<std::string> Drawn = DrawnFaces(Faces);
    for (const TFace3D& Face : Faces) {
      const auto Same = [&](const TFace3D& Other) { return Projected(Other) == Projected(Face); };
      if (std::count_if(Faces.begin(), Faces.end(), Same) > 1) continue;
      const int Expected = Facing(Face, Inside);
      const bool IsDrawn = std::count(Drawn.begin(), Drawn.end(), Face.Name) > 0;
      EXPECT_TRUE(Expected == 0 || IsDrawn == (Expected > 0)) << What << ": " << Face.Name;
    }
  }

  const TColor BaseColor = RGB(200, 160, 120);
  TBitmap Destination{600, 400};
  TView3DOptions Options;
  TRecordingSurface Surface;
  TBitmapGraphic Picture;  // 2 x 2: red, lime / blue, yellow
};

// ------------------------------------------------------------------ cube

TEST_F(TKorCanvas3DSolidsTest, CubeInTheDefaultViewShadesEachFaceFromTheBase) {
  Frame(true);
  Surface.Cube(100, 200, 150, 300, 0, 40, true);
  EXPECT_EQ(DrawnFaces(CubeFaces(100, 200, 150, 300, 0, 40)),
            (std::vector<std::string>{"front", "right", "top"}));
  ASSERT_EQ(Surface.Polygons.size(), 3u);
  EXPECT_EQ(Surface.Polygons[0].BrushColor, BaseColor);
  EXPECT_EQ(Surface.Polygons[1].BrushColor, RGB(72, 32, 0));  // 128 darker, stopping at 0
  EXPECT_EQ(Surface.Polygons[2].BrushColor, RGB(136, 96, 56));
  EXPECT_EQ(Surface.GetBrush().GetColor(), RGB(136, 96, 56));  // the last face's colour stays

  // Hatched brushes shade the background between their lines.
  Frame(true);
  Surface.GetBrush().SetStyle(bsBDiagonal);
  Surface.SetBackColor(RGB(100, 200, 250));
  Surface.Cube(100, 200, 150, 300, 0, 40, true);
  ASSERT_EQ(Surface.Polygons.size(), 3u);
  EXPECT_EQ(Surface.Polygons[1].BackColor, RGB(0, 72, 122));
  EXPECT_EQ(Surface.Polygons[2].BackColor, RGB(36, 136, 186));
  EXPECT_EQ(Surface.Polygons[2].BrushColor, BaseColor);

  // Without dark sides every face is plain; a clear brush draws all six.
  Frame(true);
  Surface.Cube(100, 200, 150, 300, 0, 40, false);
  for (const TDrawnPolygon& Face : Surface.Polygons) EXPECT_EQ(Face.BrushColor, BaseColor);
  Frame(true);
  Surface.GetBrush().SetStyle(bsClear);
  Surface.Cube(100, 200, 150, 300, 0, 40, true);
  const std::vector<std::string> All = DrawnFaces(CubeFaces(100, 200, 150, 300, 0, 40));
  EXPECT_EQ(All.size(), 6u);
  EXPECT_EQ(std::set<std::string>(All.begin(), All.end()).size(), 6u);
  EXPECT_EQ(std::count(All.begin(), All.end(), "?"), 0);
}

TEST_F(TKorCanvas3DSolidsTest, CubeDrawsTheFacesTurnedToTheViewerInEveryView) {
  struct TCase {
    int OrthoAngle;  // 0: rotated view
    double Elevation, Rotation;
    int Tilt;
  };
  const TCase Cases[] = {{45, 0, 0, 0},    {135, 0, 0, 0},  {0, 345, 345, 0},  {0, 20, 200, 0},
                         {0, 340, 30, 15}, {0, 60, 120, 0}, {0, 300, 250, 40}, {0, 10, 10, 0}};
  const std::vector<TFace3D> Faces = CubeFaces(250, 350, 150, 260, 20, 80);
  for (const TCase& C : Cases) {
    if (C.OrthoAngle != 0)
      Ortho(C.OrthoAngle);
    else
      View(C.Elevation, C.Rotation, C.Tilt);
    Frame(true);
    Surface.Cube(250, 350, 150, 260, 20, 80, true);
    const std::string What = std::to_string(C.OrthoAngle) + " " + std::to_string(C.Elevation) +
                             "/" + std::to_string(C.Rotation);
    ExpectDrawnAsSeen(Faces, {300, 205, 50}, What);
    const std::vector<std::string> Names = DrawnFaces(Faces);
    for (std::size_t I = 0; I < Names.size(); ++I) {
      const std::string& N = Names[I];
      const int Dark = N == "left" || N == "right" ? 128 : N == "top" || N == "bottom" ? 64 : 0;
      EXPECT_EQ(Surface.Polygons[I].BrushColor, ApplyDark(BaseColor, Dark)) << What << " " << N;
    }
  }
}

// The same faces drawn with plain polygons on a bitmap (corners by hand
// for the default view): a pixel or a colour step off shows.
TEST_F(TKorCanvas3DSolidsTest, CubePixelsMatchItsFacesDrawnWithPlainPolygons) {
  TBitmap Expected(600, 400);
  auto Face = [&Expected](TColor Color, std::vector<TPoint> Corners) {
    Expected.GetCanvas().GetBrush().SetColor(Color);
    Expected.GetCanvas().Polygon(Corners.data(), 4);
  };
  Frame(true);
  Surface.Cube(100, 200, 150, 300, 0, 40, true);
  Face(BaseColor, {{100, 150}, {200, 150}, {200, 300}, {100, 300}});
  Face(ApplyDark(BaseColor, 128), {{200, 150}, {240, 110}, {240, 260}, {200, 300}});
  Face(ApplyDark(BaseColor, 64), {{100, 150}, {200, 150}, {240, 110}, {140, 110}});
  EXPECT_TRUE(SamePixels(Drawn(), Expected));

  // Looking down from the left, tilted: front, left and top show.
  View(330, 40, 10);
  Frame(true);
  Surface.Cube(250, 350, 150, 260, 20, 80, true);
  Expected.GetCanvas().GetBrush().SetColor(clWhite);
  Expected.GetCanvas().FillRect(TRect(0, 0, 600, 400));
  Face(BaseColor, {P(250, 150, 20), P(350, 150, 20), P(350, 260, 20), P(250, 260, 20)});
  Face(ApplyDark(BaseColor, 128),
       {P(250, 150, 20), P(250, 150, 80), P(250, 260, 80), P(250, 260, 20)});
  Face(ApplyDark(BaseColor, 64),
       {P(250, 150, 20), P(350, 150, 20), P(350, 150, 80), P(250, 150, 80)});
  EXPECT_TRUE(SamePixels(Drawn(), Expected));
}

// ------------------------------------------------------- cylinder and cone

// Point I of a ring lies at angle I * 2 pi / N, from +x (vertical bodies)
// or +y (horizontal ones) toward +z; the top ring is Percent of the base.
TVec3 RingPoint(bool Vertical, const TRect& B, int Z0, int Z1, int N, int I, bool Top,
                int Percent) {
  const double A = I * 2 * Pi / N;
  const double S = Top ? Percent / 100.0 : 1.0;
  const double Z = Round((Z0 + Z1) / 2.0 + (Z1 - Z0) / 2.0 * S * std::sin(A));
  if (Vertical) {
    const double X = (B.Left + B.Right) / 2.0 + (B.Right - B.Left) / 2.0 * S * std::cos(A);
    return {X, double(Top ? B.Top : B.Bottom), Z};
  }
  const double Y = (B.Top + B.Bottom) / 2.0 + (B.Bottom - B.Top) / 2.0 * S * std::cos(A);
  return {double(Top ? B.Right : B.Left), Y, Z};
}

std::vector<TFace3D> CylinderSides(bool Vertical, const TRect& B, int Z0, int Z1, int N,
                                   int Percent = 100) {
  std::vector<TFace3D> Sides;
  for (int K = 0; K < N; ++K) {
    std::vector<TVec3> Corners;
    for (int J : {K, (K + 1) % N}) {
      Corners.push_back(RingPoint(Vertical, B, Z0, Z1, N, J, false, Percent));
      Corners.push_back(RingPoint(Vertical, B, Z0, Z1, N, J, true, Percent));
    }
    Sides.push_back({std::to_string(K), Corners});
  }
  return Sides;
}

// The sides and the two end rings ("top": the ring of the percent).
std::vector<TFace3D> ConeFaces(bool Vertical, const TRect& B, int Z0, int Z1, int N, int Percent) {
  std::vector<TFace3D> Faces = CylinderSides(Vertical, B, Z0, Z1, N, Percent);
  for (bool Top : {true, false}) {
    TFace3D Ring{Top ? "top" : "base", {}};
    for (int I = 0; I < N; ++I)
      Ring.Corners.push_back(RingPoint(Vertical, B, Z0, Z1, N, I, Top, Percent));
    Faces.push_back(Ring);
  }
  return Faces;
}

// Seen from the front and from behind, so that every side shows once.
TEST_F(TKorCanvas3DSolidsTest, CylinderSidesDarkenStepByStepAroundTheBody) {
  const TRect Box(100, 100, 200, 300);
  std::set<std::string> Seen;
  for (bool FromBehind : {false, true}) {
    if (FromBehind) View(345, 165);
    Frame(true);
    Surface.Cylinder(true, Box.Left, Box.Top, Box.Right, Box.Bottom, 0, 60, true);
    const std::vector<std::string> Names = DrawnFaces(CylinderSides(true, Box, 0, 60, 16));
    ASSERT_GE(Names.size(), 2u);
    EXPECT_EQ(Surface.Polygons.back().Points.size(), 16u);  // the top ring
    EXPECT_EQ(Surface.Polygons.back().BrushColor, ApplyDark(BaseColor, 64));
    // Side K is 8 K darker; the closing side keeps its neighbour's colour.
    for (std::size_t I = 0; I + 1 < Names.size(); ++I) {
      ASSERT_NE(Names[I], "?");
      const int K = std::stoi(Names[I]);
      EXPECT_EQ(Surface.Polygons[I].BrushColor,
                K < 15 ? ApplyDark(BaseColor, 8 * K) : Surface.Polygons[I - 1].BrushColor)
          << K;
      Seen.insert(Names[I]);
    }
    // Side 12 (about -90 degrees) faces the front, side 4 the back.
    EXPECT_EQ(std::count(Names.begin(), Names.end(), FromBehind ? "4" : "12"), 1);
    EXPECT_EQ(std::count(Names.begin(), Names.end(), FromBehind ? "12" : "4"), 0);
  }
  EXPECT_EQ(Seen.size(), 16u);  // every side showed in one view or the other
}

TEST_F(TKorCanvas3DSolidsTest, CylinderSidesDrawnAreTheOnesTurnedToTheViewer) {
  struct TCase {
    bool Vertical;
    TRect Box;  // a top below the bottom or a left right of the right mirrors the body
    double Elevation, Rotation;
  };
  const TCase Cases[] = {
      {true, {200, 100, 300, 300}, 345, 345},  {true, {200, 300, 300, 100}, 345, 345},
      {true, {200, 100, 300, 300}, 20, 150},   {false, {150, 150, 400, 250}, 340, 30},
      {false, {400, 150, 150, 250}, 340, 200}, {false, {150, 150, 400, 250}, 30, 100}};
  for (const TCase& C : Cases) {
    View(C.Elevation, C.Rotation);
    Frame(true);
    const TRect& B = C.Box;
    Surface.Cylinder(C.Vertical, B.Left, B.Top, B.Right, B.Bottom, 20, 80, false);
    ExpectDrawnAsSeen(CylinderSides(C.Vertical, B, 20, 80, 16),
                      {(B.Left + B.Right) / 2.0, (B.Top + B.Bottom) / 2.0, 50},
                      std::to_string(C.Elevation) + "/" + std::to_string(C.Rotation));
  }
}

TEST_F(TKorCanvas3DSolidsTest, ConeCapIsTheRingAtTheVisibleEnd) {
  Frame(true);
  Surface.Cone(true, 100, 100, 200, 300, 0, 60, false, 50);  // the half-size ring on top
  EXPECT_EQ(Surface.Polygons.back().Points[0], P(175, 100, 30));
  Frame(true);
  Surface.Cone(true, 100, 300, 200, 100, 0, 60, false, 50);  // pointing down: the full ring
  EXPECT_EQ(Surface.Polygons.back().Points[0], P(200, 100, 30));
  // Horizontal: this view shows right ends, an ortho angle over 90 left ones.
  Frame(true);
  Surface.Cylinder(false, 100, 100, 300, 200, 0, 60, false);
  EXPECT_EQ(Surface.Polygons.back().Points[0], P(300, 200, 30));
  Ortho(135);
  Frame(true);
  Surface.Cylinder(false, 100, 100, 300, 200, 0, 60, false);
  EXPECT_EQ(Surface.Polygons.back().Points[0], P(100, 200, 30));
  // Zero percent takes the default top: a point, which is no face; seen
  // from below, the base shows.
  Ortho(45);
  Frame(true);
  Surface.Cone(true, 100, 100, 200, 300, 0, 60, true, 0);
  for (const TDrawnPolygon& Q : Surface.Polygons) EXPECT_LE(Q.Points.size(), 4u);
  View(35, 0);
  Frame(true);
  Surface.Cone(true, 100, 100, 200, 300, 0, 60, true, 0);
  ASSERT_EQ(Surface.Polygons.back().Points.size(), 16u);
  EXPECT_EQ(Surface.Polygons.back().Points[0], P(200, 300, 30));
  EXPECT_EQ(Surface.Polygons.back().BrushColor, ApplyDark(BaseColor, 64));
  KorDefaultConePercent = 100;
  Ortho(45);
  Frame(true);
  Surface.Cone(true, 100, 100, 200, 300, 0, 60, false, 0);
  EXPECT_EQ(Surface.Polygons.back().Points[0], P(200, 100, 30));
}

TEST_F(TKorCanvas3DSolidsTest, CylinderWithTooFewSidesSetUsesThree) {
  for (int Sides : {0, -4, 2}) {
    KorNumCylinderSides = Sides;
    Frame(true);
    Surface.Cylinder(true, 100, 100, 200, 300, 0, 60, true);
    Surface.Cone(false, 100, 100, 300, 200, 0, 60, true, 30);
    ASSERT_FALSE(Surface.Polygons.empty()) << Sides;
    EXPECT_EQ(Surface.Polygons.back().Points.size(), 3u) << Sides;
    for (const TDrawnPolygon& Q : Surface.Polygons)
      for (const TPoint& Corner : Q.Points) EXPECT_TRUE(PointInRect(TRect(0, 0, 600, 400), Corner));
  }
}

// ------------------------------------------------------- seen from every side

std::vector<TFace3D> PyramidFaces(double L, double R, double T, double B, double Z0, double Z1) {
  const TVec3 Apex{std::floor((L + R) / 2), T, std::floor((Z0 + Z1) / 2)};
  return {{"front", {{L, B, Z0}, Apex, {R, B, Z0}}},
          {"back", {Apex, {L, B, Z1}, {R, B, Z1}}},
          {"left", {{L, B, Z0}, Apex, {L, B, Z1}}},
          {"right", {{R, B, Z0}, Apex, {R, B, Z1}}},
          {"base", {{L, B, Z0}, {R, B, Z0}, {R, B, Z1}, {L, B, Z1}}}};
}

// A pyramid lying on its base at x = From with its apex at x = To.
std::vector<TFace3D> SidewaysPyramidFaces(double From, double To, double T, double B, double Z0,
                                          double Z1) {
  const TVec3 Apex{To, std::floor((T + B) / 2), std::floor((Z0 + Z1) / 2)};
  return {{"front", {{From, T, Z0}, Apex, {From, B, Z0}}},
          {"back", {{From, T, Z1}, Apex, {From, B, Z1}}},
          {"top", {{From, T, Z0}, Apex, {From, T, Z1}}},
          {"bottom", {{From, B, Z1}, Apex, {From, B, Z0}}},
          {"base", {{From, T, Z0}, {From, T, Z1}, {From, B, Z1}, {From, B, Z0}}}};
}

std::vector<TFace3D> TruncatedPyramidFaces(const TRect& Box, int StartZ, int EndZ, int TruncX,
                                           int TruncZ) {
  const double L = Box.Left, R = Box.Right, T = Box.Top, B = Box.Bottom;
  const double S = StartZ, E = EndZ;
  const double XC = (Box.Left + Box.Right) / 2, ZC = (StartZ + EndZ) / 2;
  const double TL = XC - TruncX, TR = XC + TruncX, ZF = ZC - TruncZ, ZB = ZC + TruncZ;
  return {{"base", {{L, B, S}, {R, B, S}, {R, B, E}, {L, B, E}}},
          {"top", {{TL, T, ZF}, {TR, T, ZF}, {TR, T, ZB}, {TL, T, ZB}}},
          {"front", {{TL, T, ZF}, {TR, T, ZF}, {R, B, S}, {L, B, S}}},
          {"back", {{TL, T, ZB}, {TR, T, ZB}, {R, B, E}, {L, B, E}}},
          {"left", {{TL, T, ZF}, {TL, T, ZB}, {L, B, E}, {L, B, S}}},
          {"right", {{TR, T, ZF}, {TR, T, ZB}, {R, B, E}, {R, B, S}}}};
}

// Seen from above, below, the left, the right (and in the default
// orthogonal view and from behind) each solid draws the faces turned to
// the viewer and no other: ends, bases and top planes included.
TEST_F(TKorCanvas3DSolidsTest, SolidsSeenFromEverySideDrawTheFacesTurnedToTheViewer) {
  struct TSideView {
    const char* Name;
    double Elevation, Rotation;  // 0/0: the default orthogonal view
  };
  const TSideView Views[] = {{"above", 325, 0},         {"below", 35, 0},
                             {"left", 0, 35},           {"right", 0, 325},
                             {"ortho", 0, 0},           {"behind", 340, 160},
                             {"below left", 30, 30},    {"above right", 320, 330},
                             {"below behind", 30, 200}, {"steep above", 290, 20}};
  const TRect Box(250, 120, 350, 280);
  const TVec3 Middle{300, 200, 50};
  for (const TSideView& V : Views) {
    SCOPED_TRACE(V.Name);
    if (V.Elevation == 0 && V.Rotation == 0)
      Ortho(45);
    else
      View(V.Elevation, V.Rotation);
    auto Check = [&](const std::vector<TFace3D>& Faces, const TVec3& Inside, const char* What) {
      ExpectDrawnAsSeen(Faces, Inside, What);
      const std::vector<std::string> Names = DrawnFaces(Faces);
      EXPECT_EQ(std::count(Names.begin(), Names.end(), "?"), 0) << What;
    };
    Frame(true);
    Surface.Cube(Box.Left, Box.Right, Box.Top, Box.Bottom, 20, 80, true);
    Check(CubeFaces(Box.Left, Box.Right, Box.Top, Box.Bottom, 20, 80), Middle, "cube");
    for (int Percent : {100, 40, 0}) {
      for (bool Vertical : {true, false}) {
        Frame(true);
        Surface.Cone(Vertical, Box.Left, Box.Top, Box.Right, Box.Bottom, 20, 80, true, Percent);
        Check(ConeFaces(Vertical, Box, 20, 80, 16, Percent), Middle,
              Vertical ? "vertical cone" : "horizontal cone");
      }
    }
    Frame(true);
    Surface.PyramidTrunc(Box, 20, 80, 20, 10);
    Check(TruncatedPyramidFaces(Box, 20, 80, 20, 10), Middle, "truncated pyramid");
    Frame(true);
    Surface.Pyramid(true, Box.Left, Box.Top, Box.Right, Box.Bottom, 20, 80, true);
    Check(PyramidFaces(Box.Left, Box.Right, Box.Top, Box.Bottom, 20, 80), {300, 240, 50},
          "pyramid");
    Frame(true);
    Surface.Pyramid(true, Box.Left, Box.Bottom, Box.Right, Box.Top, 20, 80, true);
    Check(PyramidFaces(Box.Left, Box.Right, Box.Bottom, Box.Top, 20, 80), {300, 160, 50},
          "pyramid down");
    for (bool ToRight : {true, false}) {
      Frame(true);
      const int From = ToRight ? Box.Left : Box.Right;
      const int To = ToRight ? Box.Right : Box.Left;
      Surface.Pyramid(false, From, Box.Top, To, Box.Bottom, 20, 80, true);
      Check(SidewaysPyramidFaces(From, To, Box.Top, Box.Bottom, 20, 80),
            {(3.0 * From + To) / 4, 200, 50}, ToRight ? "pyramid right" : "pyramid left");
    }
  }
}

// The same on the pixels: a cylinder's end cap shows in its shade at the
// end turned to the viewer only, and a 0 % cone seen from below has a base.
TEST_F(TKorCanvas3DSolidsTest, CylinderEndCapShowsAtTheEndTurnedToTheViewer) {
  const TColor Cap = ApplyDark(BaseColor, 64);
  auto At = [this](const TPoint& Q) { return Drawn().GetPixel(Q.X, Q.Y); };
  View(325, 0);  // above
  Frame(true);
  Surface.Cylinder(true, 250, 120, 350, 280, 20, 80, true);
  EXPECT_EQ(At(P(300, 120, 50)), Cap);
  EXPECT_NE(At(P(300, 280, 50)), Cap);
  View(35, 0);  // below
  Frame(true);
  Surface.Cylinder(true, 250, 120, 350, 280, 20, 80, true);
  EXPECT_NE(At(P(300, 120, 50)), Cap);
  EXPECT_EQ(At(P(300, 280, 50)), Cap);
  Frame(true);
  Surface.Cone(true, 250, 120, 350, 280, 20, 80, true, 0);
  EXPECT_EQ(At(P(300, 280, 50)), Cap);
  View(0, 35);  // from the left: a horizontal body shows its left end
  Frame(true);
  Surface.Cylinder(false, 220, 150, 380, 250, 20, 80, true);
  EXPECT_EQ(At(P(220, 200, 50)), Cap);
  EXPECT_NE(At(P(380, 200, 50)), Cap);
  View(0, 325);  // from the right
  Frame(true);
  Surface.Cylinder(false, 220, 150, 380, 250, 20, 80, true);
  EXPECT_NE(At(P(220, 200, 50)), Cap);
  EXPECT_EQ(At(P(380, 200, 50)), Cap);
}

// ---------------------------------------------------------------- pyramids

TEST_F(TKorCanvas3DSolidsTest, PyramidFacesInTheDefaultView) {
  auto Drawn = [this](std::size_t I) { return Surface.Polygons.at(I).Points; };
  auto Colour = [this](std::size_t I) { return Surface.Polygons.at(I).BrushColor; };
  Frame(true);
  Surface.Pyramid(true, 100, 100, 200, 300, 0, 40, true);  // apex up: front and right
  ASSERT_EQ(Surface.Polygons.size(), 2u);
  EXPECT_EQ(Drawn(0), (std::vector<TPoint>{P(100, 300, 0), P(150, 100, 20), P(200, 300, 0)}));
  EXPECT_EQ(Colour(0), BaseColor);
  EXPECT_EQ(Drawn(1), (std::vector<TPoint>{P(200, 300, 0), P(150, 100, 20), P(200, 300, 40)}));
  EXPECT_EQ(Colour(1), ApplyDark(BaseColor, 128));

  Frame(true);
  Surface.Pyramid(true, 100, 300, 200, 150, 0, 40, true);  // apex down: the base shows on top
  ASSERT_EQ(Surface.Polygons.size(), 3u);
  EXPECT_EQ(Drawn(1), (std::vector<TPoint>{P(200, 150, 0), P(150, 300, 20), P(200, 150, 40)}));
  EXPECT_EQ(Drawn(2), (std::vector<TPoint>{P(100, 150, 0), P(200, 150, 0), P(200, 150, 40),
                                           P(100, 150, 40)}));
  EXPECT_EQ(Colour(2), ApplyDark(BaseColor, 64));

  Frame(true);
  Surface.Pyramid(false, 100, 100, 200, 200, 0, 40, true);  // to the right: front and top
  ASSERT_EQ(Surface.Polygons.size(), 2u);
  EXPECT_EQ(Drawn(1), (std::vector<TPoint>{P(100, 100, 0), P(200, 150, 20), P(100, 100, 40)}));
  EXPECT_EQ(Colour(1), ApplyDark(BaseColor, 64));

  Frame(true);
  Surface.Pyramid(false, 200, 100, 100, 200, 0, 40, true);  // to the left: the base shows right
  ASSERT_EQ(Surface.Polygons.size(), 3u);
  EXPECT_EQ(Drawn(2), (std::vector<TPoint>{P(200, 100, 0), P(200, 100, 40), P(200, 200, 40),
                                           P(200, 200, 0)}));
  EXPECT_EQ(Colour(2), ApplyDark(BaseColor, 128));

  Frame(true);
  Surface.Pyramid(true, 100, 200, 200, 200, 0, 40, false);  // flat: nothing but the base
  ASSERT_EQ(Surface.Polygons.size(), 1u);
  EXPECT_EQ(Drawn(0).size(), 4u);
}

TEST_F(TKorCanvas3DSolidsTest, TruncatedPyramidDrawsThePlanesAndTheSlantedFacesTurnedToTheViewer) {
  struct TCase {
    double Elevation, Rotation;  // 0/0: the default orthogonal view
    TRect R;
    int StartZ, EndZ;
  };
  const TCase Cases[] = {
      {0, 0, {200, 100, 300, 300}, 10, 90},     {0, 0, {200, 300, 300, 100}, 10, 90},
      {345, 345, {200, 100, 300, 300}, 10, 90}, {30, 160, {200, 100, 300, 300}, 10, 90},
      {340, 60, {200, 100, 300, 300}, 90, 10},  {20, 300, {200, 300, 300, 100}, 90, 10},
      {30, 0, {200, 100, 300, 300}, 10, 90},    {30, 20, {200, 300, 300, 100}, 10, 90}};
  for (const TCase& C : Cases) {
    if (C.Elevation == 0)
      Ortho(45);
    else
      View(C.Elevation, C.Rotation);
    Frame(true);
    Surface.PyramidTrunc(C.R, C.StartZ, C.EndZ, 20, 10);
    const std::vector<TFace3D> Faces = TruncatedPyramidFaces(C.R, C.StartZ, C.EndZ, 20, 10);
    const std::vector<std::string> Names = DrawnFaces(Faces);
    ASSERT_GE(Names.size(), 2u);
    EXPECT_EQ(std::count(Names.begin(), Names.end(), "?"), 0);
    ExpectDrawnAsSeen(
        Faces,
        {(C.R.Left + C.R.Right) / 2.0, (C.R.Top + C.R.Bottom) / 2.0, (C.StartZ + C.EndZ) / 2.0},
        std::to_string(C.Elevation) + "/" + std::to_string(C.Rotation));
  }
  // No top and no depth: the base, then the back face alone.
  Ortho(45);
  Frame(true);
  Surface.PyramidTrunc(TRect(100, 100, 200, 300), 40, 40, 0, 0);
  ASSERT_EQ(Surface.Polygons.size(), 2u);
  EXPECT_EQ(PointSet(Surface.Polygons[1].Points),
            PointSet({P(150, 100, 40), P(100, 300, 40), P(200, 300, 40)}));
}

// --------------------------------------------------------------------- pie

TEST_F(TKorCanvas3DSolidsTest, PieArcsHaveOnePointEveryTwoDegreesWithinTwoAndNinetySix) {
  EXPECT_EQ(TKorCanvas3D::PieArcPointCount(0, 2 * Pi), 96);
  EXPECT_EQ(TKorCanvas3D::PieArcPointCount(0, Pi / 180), 2);  // round(0.5) is 0
  EXPECT_EQ(TKorCanvas3D::PieArcPointCount(0, 5.4 * Pi / 180), 5);
  EXPECT_EQ(TKorCanvas3D::PieArcPointCount(Pi, 0), 92);
  Frame(true);
  const TPoint Centre = P(300, 200, 30);  // the face lies at Z1
  for (auto [End, Points] : {std::pair{2 * Pi, 96}, std::pair{Pi / 180, 2}}) {
    Surface.Polygons.clear();
    Surface.Pie3D(300, 200, 100, 60, 0, 30, 0, End, false, false, 0, nullptr);
    const auto Face = std::find_if(Surface.Polygons.begin(), Surface.Polygons.end(),
                                   [&](const TDrawnPolygon& Q) { return Q.Points[0] == Centre; });
    ASSERT_NE(Face, Surface.Polygons.end());
    EXPECT_EQ(Face->Points.size(), std::size_t(Points + 1));
    EXPECT_EQ(Face->Points[1], P(400, 200, 30));
  }
}

// The points of a slice's arc at one depth, as the surface computes them.
std::vector<TPoint> PieArc(TKorCanvas3D& Surface, double Start, double End, int Z) {
  const int N = TKorCanvas3D::PieArcPointCount(Start, End);
  std::vector<TPoint> Arc;
  for (int K = 0; K < N; ++K) {
    const double A = Start + K * (End - Start) / (N - 1);
    Arc.push_back(
        Surface.Calculate3DPositionFloat(300 + 100 * std::cos(A), 200 - 60 * std::sin(A), Z));
  }
  return Arc;
}

// A pie reads as a disc seen from above: the face at Z1 on top, the rim
// hanging below it where the arc runs to the right of the screen, drawn
// after the face; nothing of the rim shows above the face.
TEST_F(TKorCanvas3DSolidsTest, PieFaceLiesAtTheFarDepthWithTheRimBelowIt) {
  View(315, 0);
  Frame(true);
  // Starting a little past 0, no two arc points lie symmetric about the
  // leftmost or rightmost point.
  Surface.Pie3D(300, 200, 100, 60, 0, 30, 0.1, 0.1 + 2 * Pi, true, false, 0, nullptr);
  const std::vector<TPoint> Face = PieArc(Surface, 0.1, 0.1 + 2 * Pi, 30);
  ASSERT_EQ(Surface.Polygons.size(), 2u);
  EXPECT_EQ(Surface.Polygons[0].Points[0], P(300, 200, 30));
  EXPECT_EQ(Surface.Polygons[0].BrushColor, BaseColor);
  const TDrawnPolygon& Rim = Surface.Polygons[1];
  EXPECT_EQ(Rim.BrushColor, ApplyDark(BaseColor, 32));
  // From half a turn (x smallest, point 46) to the whole turn (point 93):
  // the lower half.
  EXPECT_EQ(Rim.Points.front(), Face[46]);
  EXPECT_EQ(Rim.Points[93 - 46], Face[93]);
  EXPECT_EQ(Rim.Points.size(), 2u * (93 - 46 + 1));
  const TPoint Top = P(300, 140, 30);
  const TPoint Bottom = P(300, 260, 30);
  EXPECT_EQ(Drawn().GetPixel(Top.X, Top.Y - 4), clWhite);
  EXPECT_EQ(Drawn().GetPixel(Bottom.X, Bottom.Y + 4), ApplyDark(BaseColor, 32));
  EXPECT_EQ(Drawn().GetPixel(P(300, 180, 30).X, P(300, 180, 30).Y), BaseColor);
  EXPECT_EQ(Surface.GetBrush().GetColor(), BaseColor);
}

// The cut sides show on the screen's far halves: the end side of a slice
// ending left of the centre, the start side of one starting right of it.
// A rim turning back gets a second run toward the arc's end.
TEST_F(TKorCanvas3DSolidsTest, PieCutSidesAndRimRunsFollowTheScreen) {
  View(315, 0);
  auto Sides = [this](double Start, double End) {
    Frame(true);
    Surface.Pie3D(300, 200, 100, 60, 0, 30, Start, End, true, true, 0, nullptr);
    std::string Found;
    for (const TDrawnPolygon& Q : Surface.Polygons) {
      if (Q.Points.size() != 4 || !Has(Q.Points, P(300, 200, 30))) continue;
      Found += Has(Q.Points, PieArc(Surface, Start, End, 30).front()) ? "start " : "end ";
    }
    return Found;
  };
  EXPECT_EQ(Sides(Pi / 4, 3 * Pi / 4), "end start ");
  EXPECT_EQ(Sides(5 * Pi / 4, 7 * Pi / 4), "");
  EXPECT_EQ(Sides(3 * Pi / 4, 5 * Pi / 4), "end ");

  Frame(true);
  Surface.Pie3D(300, 200, 100, 60, 0, 30, 7 * Pi / 4, 13 * Pi / 4, false, false, 0, nullptr);
  const std::vector<TPoint> Face = PieArc(Surface, 7 * Pi / 4, 13 * Pi / 4, 30);
  ASSERT_EQ(Surface.Polygons.size(), 3u);  // the face and two runs of rim
  EXPECT_EQ(Surface.Polygons[1].Points.front(), Face.front());
  EXPECT_EQ(Surface.Polygons[2].Points[Surface.Polygons[2].Points.size() / 2 - 1], Face.back());
}

TEST_F(TKorCanvas3DSolidsTest, DonutSliceHasAFaceWithAHoleAndItsInnerWallComesFirst) {
  Frame(true);
  Surface.Pie3D(300, 200, 100, 60, 0, 30, 0, Pi, true, false, 50, nullptr);
  const std::size_t N = TKorCanvas3D::PieArcPointCount(0, Pi);
  const auto Face =
      std::find_if(Surface.Polygons.begin(), Surface.Polygons.end(), [&](const TDrawnPolygon& Q) {
        return Q.Points.size() == 2 * N && Q.BrushColor == BaseColor;
      });
  ASSERT_NE(Face, Surface.Polygons.end());
  EXPECT_EQ(Face->BrushColor, BaseColor);
  // The outer arc at the face, then the inner arc back from the end.
  EXPECT_EQ(Face->Points[0], P(400, 200, 30));
  EXPECT_EQ(Face->Points[N], P(250, 200, 30));
  // Before it the inner wall: the inner arc from the end back at Z1, then
  // forward at Z0.
  ASSERT_EQ(Face, Surface.Polygons.begin() + 1);
  const TDrawnPolygon& Wall = Surface.Polygons[0];
  EXPECT_EQ(Wall.BrushColor, ApplyDark(BaseColor, 32));
  EXPECT_EQ(Wall.Points.front(), P(250, 200, 30));
  EXPECT_EQ(Wall.Points[N - 1], P(350, 200, 30));
  EXPECT_EQ(Wall.Points[N], P(350, 200, 0));
}

TEST_F(TKorCanvas3DSolidsTest, PieGradientFillsTheFaceThroughAClipAndIsOutlined) {
  Frame(true);
  Surface.GetPen().SetColor(clBlue);
  TKorGradient Gradient;
  Gradient.SetVisible(true);
  Gradient.SetStartColor(clRed);
  Gradient.SetEndColor(clRed);
  Surface.Pie3D(300, 200, 100, 60, 0, 30, 0, Pi / 2, false, false, 0, &Gradient);
  // The face lies at Z1.
  auto At = [this](int X, int Y) { return Drawn().GetPixel(P(X, Y, 30).X, P(X, Y, 30).Y); };
  EXPECT_EQ(At(340, 180), clRed);    // in the quarter
  EXPECT_EQ(At(260, 180), clWhite);  // in the next quarter: the clip held
  EXPECT_EQ(At(300, 170), clBlue);   // on the radius at 90 degrees
  EXPECT_EQ(Surface.GetBrush().GetStyle(), bsSolid);
}

// ------------------------------------------------------ ellipses and sphere

TEST_F(TKorCanvas3DSolidsTest, EllipseWithZBoxInFlatOrthogonalAndRotatedViews) {
  Frame(false);
  Surface.EllipseWithZ(100, 50, 160, 90, 25);
  TBitmap Expected(600, 400);
  Expected.GetCanvas().GetBrush().SetColor(BaseColor);
  Expected.GetCanvas().Ellipse(100, 50, 161, 91);  // right and bottom pixels included
  EXPECT_TRUE(SamePixels(Drawn(), Expected));

  Frame(true);  // orthogonal: the projected corners are the box
  Surface.EllipseWithZ(100, 50, 160, 90, 10);
  EXPECT_EQ(InkBox(Drawn()), TRect(110, 40, 170, 80));

  // A rotated view that is a pure translation: the 64-point outline lands
  // on the flat chart's box.
  View(0, 0);
  Frame(true);
  Surface.EllipseWithZ(100, 50, 160, 90, 10);
  EXPECT_EQ(InkBox(Drawn()), TRect(100, 50, 161, 91));
  ASSERT_EQ(Surface.Polylines.size(), 1u);
  EXPECT_EQ(Surface.Polylines[0].size(), 64u);
  EXPECT_EQ(Surface.Polygons.size(), 63u);
  for (const TDrawnPolygon& Q : Surface.Polygons) EXPECT_EQ(Q.PenStyle, psClear);
  EXPECT_EQ(Surface.GetPen().GetStyle(), psSolid);
  EXPECT_EQ(Drawn().GetPixel(130, 70), BaseColor);

  // No fill with a clear brush, no outline with a clear pen.
  Frame(true);
  Surface.GetBrush().SetStyle(bsClear);
  Surface.EllipseWithZ(100, 50, 160, 90, 10);
  EXPECT_TRUE(Surface.Polygons.empty());
  Frame(true);
  Surface.GetPen().SetStyle(psClear);
  Surface.EllipseWithZ(100, 50, 160, 90, 10);
  EXPECT_TRUE(Surface.Polylines.empty());
}

TEST_F(TKorCanvas3DSolidsTest, SphereAndRotatedEllipseBoxes) {
  Frame(false);
  Surface.Sphere(200, 100, 0, 10.5);  // half-side round(10.5) = 10
  EXPECT_EQ(InkBox(Drawn()), TRect(190, 90, 211, 111));
  Frame(false);
  Surface.Sphere(200, 100, 0, 11.5);  // round(11.5) = 12
  EXPECT_EQ(InkBox(Drawn()), TRect(188, 88, 213, 113));

  Frame(false);
  Surface.RotatedEllipse(100, 50, 160, 90, 0, 0);
  EXPECT_EQ(InkBox(Drawn()), TRect(100, 50, 161, 91));
  Frame(false);
  Surface.RotatedEllipse(100, 50, 160, 90, 0, 90);  // turned about the centre (130, 70)
  EXPECT_EQ(InkBox(Drawn()), TRect(110, 40, 151, 101));
  EXPECT_EQ(Drawn().GetPixel(130, 70), BaseColor);
  EXPECT_EQ(Surface.GetPen().GetStyle(), psSolid);
  Frame(true);
  Surface.RotatedEllipse(100, 50, 160, 90, 10, 90);  // at depth 10: moved by (10, -10)
  EXPECT_EQ(InkBox(Drawn()), TRect(120, 30, 161, 91));
}

TEST_F(TKorCanvas3DSolidsTest, HardEllipseShadowDrawsThroughEllipseWithZ) {
  TKorShadow Shadow;
  Shadow.SetSmooth(false);
  Shadow.SetColor(clRed);
  Shadow.SetHorizSize(5);
  Shadow.SetVertSize(4);
  Frame(false);
  Shadow.DrawEllipse(Surface, TRect(100, 50, 160, 90), 0);
  TBitmap Expected(600, 400);
  Expected.GetCanvas().GetPen().SetStyle(psClear);
  Expected.GetCanvas().GetBrush().SetColor(clRed);
  Expected.GetCanvas().Ellipse(105, 54, 166, 95);
  EXPECT_TRUE(SamePixels(Drawn(), Expected));
  EXPECT_GT(PixelProbe::Count(Drawn(), clRed), 1500);

  View(340, 20);
  Frame(true);
  Shadow.DrawEllipse(Surface, TRect(100, 50, 160, 90), 30);
  EXPECT_EQ(Surface.Polygons.size(), 63u);  // the fan at the shadow's depth
  EXPECT_EQ(Drawn().GetPixel(P(135, 74, 30).X, P(135, 74, 30).Y), clRed);
}

// ---------------------------------------------------------------- arrows

TEST_F(TKorCanvas3DSolidsTest, FilledArrowIsASevenPointOutlineWithItsHeadCutToTheLength) {
  Frame(false);
  Surface.Arrow(true, TPoint(100, 300), TPoint(100, 100), 40, 50, 0, 50);
  ASSERT_EQ(Surface.Polygons.size(), 1u);
  EXPECT_EQ(Surface.Polygons[0].Points,
            (std::vector<TPoint>{
                {110, 300}, {90, 300}, {90, 150}, {80, 150}, {100, 100}, {120, 150}, {110, 150}}));
  Frame(true);  // in the default view every point moves by (z, -z)
  Surface.Arrow(true, TPoint(100, 300), TPoint(100, 100), 40, 50, 10);
  ASSERT_EQ(Surface.Polygons.size(), 1u);
  EXPECT_EQ(Surface.Polygons[0].Points,
            (std::vector<TPoint>{
                {120, 290}, {100, 290}, {100, 140}, {90, 140}, {110, 90}, {130, 140}, {120, 140}}));
  // A head longer than the arrow reaches back exactly to the tail.
  Frame(false);
  Surface.Arrow(true, TPoint(100, 300), TPoint(100, 100), 40, 500, 0, 50);
  EXPECT_EQ(Surface.Polygons[0].Points[3], TPoint(80, 300));
  EXPECT_EQ(Surface.Polygons[0].Points[5], TPoint(120, 300));
  Frame(false);
  Surface.Arrow(true, TPoint(0, 0), TPoint(30, 40), 10, 1000, 0, 0);
  EXPECT_EQ(Surface.Polygons[0].Points[1], TPoint(0, 0));
  EXPECT_EQ(Surface.Polygons[0].Points[3], TPoint(4, -3));
  EXPECT_EQ(Surface.Polygons[0].Points[5], TPoint(-4, 3));
}

TEST_F(TKorCanvas3DSolidsTest, OpenArrowIsTheLineAndTwoHeadStrokes) {
  Frame(false);
  Surface.Arrow(false, TPoint(10, 50), TPoint(60, 50), 10, 20, 0);
  EXPECT_TRUE(Surface.Polygons.empty());
  EXPECT_EQ(Surface.Moves,
            (std::vector<std::string>{"M10,50", "L60,50", "L40,55", "M60,50", "L40,45"}));
  EXPECT_EQ(Drawn().GetPixel(30, 50), clBlack);
  Surface.Moves.clear();
  Surface.Arrow(false, TPoint(10, 50), TPoint(10, 50), 10, 20, 0);  // no length: nothing
  EXPECT_TRUE(Surface.Moves.empty());
}

// ------------------------------------------------------- picture at a depth

TEST_F(TKorCanvas3DSolidsTest, PictureAtDepthMatchesThePlainStretchInFlatAndOrthogonalViews) {
  TBitmap Expected(600, 400);
  Expected.GetCanvas().StretchDraw(TRect(10, 10, 30, 30), Picture.Bitmap());
  Frame(false);
  Surface.StretchDraw(TRect(10, 10, 30, 30), &Picture, 5);
  EXPECT_TRUE(SamePixels(Drawn(), Expected));
  EXPECT_EQ(Surface.Polygons.size(), 4u);
  Frame(true);
  Surface.StretchDraw(TRect(5, 15, 25, 35), &Picture, 5);  // (z, -z) moves it onto the same place
  EXPECT_TRUE(SamePixels(Drawn(), Expected));
  EXPECT_EQ(Surface.GetPen().GetStyle(), psSolid);  // pen and brush as they were
  EXPECT_EQ(Surface.GetBrush().GetColor(), BaseColor);
  // Pictures of other kinds are converted first.
  TPngImage Png;
  Png.Assign(Picture);
  Frame(false);
  Surface.StretchDraw(TRect(10, 10, 30, 30), &Png, 0);
  EXPECT_TRUE(SamePixels(Drawn(), Expected));
}

TEST_F(TKorCanvas3DSolidsTest, PictureAtDepthFollowsARotatedViewWithoutGaps) {
  View(330, 30, 10);
  Frame(true);
  Surface.StretchDraw(TRect(200, 100, 400, 300), &Picture, 40);
  auto At = [this](int X, int Y) { return Drawn().GetPixel(P(X, Y, 40).X, P(X, Y, 40).Y); };
  EXPECT_EQ(At(250, 150), clRed);
  EXPECT_EQ(At(350, 150), clLime);
  EXPECT_EQ(At(250, 250), clBlue);
  EXPECT_EQ(At(350, 250), clYellow);
  // Neighbouring pixels share their projected corners: no background
  // shows where four of them meet.
  EXPECT_NE(At(300, 200), clWhite);
}

TEST_F(TKorCanvas3DSolidsTest, PictureAtDepthAbsentOrEmptyDrawsNothing) {
  Frame(true);
  Surface.StretchDraw(TRect(10, 10, 30, 30), nullptr, 5);
  TBitmapGraphic Empty;
  Surface.StretchDraw(TRect(10, 10, 30, 30), &Empty, 5);
  EXPECT_TRUE(Surface.Polygons.empty());
  EXPECT_EQ(InkBox(Drawn()), TRect());
}

}  // namespace
