// The colour of the pieces, the pieces like one, and the colour groups of sorting.
#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <random>
#include <set>

#include "pieces/Cells.h"
#include "pieces/ColourGroups.h"
#include "pieces/PieceColour.h"

namespace tarsio {
namespace {

void expectLab(const Lab& got, const Lab& want, float within, const std::string& what) {
  EXPECT_NEAR(got.L, want.L, within) << what;
  EXPECT_NEAR(got.a, want.a, within) << what;
  EXPECT_NEAR(got.b, want.b, within) << what;
}

// Scattered colours around a few centres, far apart, and which centre each came from.
std::vector<PieceColour> scattered(const std::vector<Lab>& centres, int each, std::vector<int>* from) {
  std::mt19937 engine(7);
  std::uniform_real_distribution<float> jitter(-0.02f, 0.02f);
  std::vector<PieceColour> colours;
  for (int k = 0; k < each; ++k)
    for (int c = 0; c < int(centres.size()); ++c) {
      colours.push_back(
          {{centres[c].L + jitter(engine), centres[c].a + jitter(engine), centres[c].b + jitter(engine)}, 0});
      from->push_back(c);
    }
  return colours;
}

TEST(PieceColour, EachCellHasTheMeanAndSpreadOfItsOwnPixelsInOKLab) {
  expectLab(oklab(255, 255, 255), {1, 0, 0}, 1e-3f, "white");
  expectLab(oklab(255, 0, 0), {0.62796f, 0.22486f, 0.12585f}, 1e-3f, "red");
  expectLab(oklab(0, 0, 255), {0.45201f, -0.03246f, -0.31153f}, 1e-3f, "blue");
  // 7 x 5 pixels cut 2 x 3: the cells are uneven, and the top-left one is half black, half white by
  // rows, its spread half the lightness between them.
  QImage image(7, 5, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    for (int k = 0; k < 6; ++k)
      painter.fillRect(uprightCellRect(k, 2, 3, image.size()), QColor::fromHsv(k * 60, 200, 230));
    painter.fillRect(0, 0, 2, 1, Qt::white);
    painter.fillRect(0, 1, 2, 1, Qt::black);
  }
  const std::vector<PieceColour> colours = cellColours(image, 2, 3);
  ASSERT_EQ(colours.size(), 6u);
  expectLab(colours[0].mean, {0.5f, 0, 0}, 1e-3f, "cell 0");
  EXPECT_NEAR(colours[0].spread, 0.5f, 1e-3f);
  for (int k = 1; k < 6; ++k) {
    const QColor c = QColor::fromHsv(k * 60, 200, 230);
    expectLab(colours[k].mean, oklab(c.red(), c.green(), c.blue()), 1e-4f, "cell " + std::to_string(k));
    EXPECT_NEAR(colours[k].spread, 0, 1e-3f) << k;
  }
}

TEST(PieceColour, TheReducedCopyIsTheSmallestWithEightPixelsACellAndAPixelARow) {
  const auto half = [](QSize s) { return QSize((s.width() + 1) / 2, (s.height() + 1) / 2); };
  const auto enough = [](QSize s, int rows, int columns) {
    return s.width() >= columns && s.height() >= rows &&
           qint64(s.width()) * s.height() >= 8LL * rows * columns;
  };
  for (const auto& [size, rows, columns] : {std::tuple{QSize(6000, 4000), 25, 40},
                                            {QSize(6000, 4000), 80, 125},
                                            {QSize(12000, 8000), 127, 258},
                                            {QSize(300, 20), 2, 150},
                                            {QSize(40, 30), 10, 10}}) {
    const int level = colourLevel(size, rows, columns);
    QSize at = size;
    for (int k = 0; k < level; ++k) at = half(at);
    const std::string what = std::to_string(size.width()) + " wide, " + std::to_string(rows * columns);
    EXPECT_TRUE(level == 0 || enough(at, rows, columns)) << what;
    EXPECT_FALSE(enough(half(at), rows, columns)) << what;
  }
}

TEST(PieceColour, SoloISimiliWidensMonotonicallyFromTheClosestFivePercent) {
  std::mt19937 engine(3);
  std::uniform_real_distribution<float> any(-0.3f, 0.3f);
  std::vector<PieceColour> colours(1000);
  for (PieceColour& c : colours) c.mean = {0.5f + any(engine), any(engine), any(engine)};
  std::vector<int> loose;
  for (int i = 0; i < 1000; i += 3) loose.push_back(i);  // 334 loose pieces
  const Lab reference = colours[42].mean;
  std::size_t before = 0;
  for (int step = 1; step <= LikeSteps; ++step) {
    const float limit = likeLimit(colours, loose, reference, step);
    const auto like = std::size_t(std::count_if(
        loose.begin(), loose.end(), [&](int i) { return labDistance(colours[i].mean, reference) <= limit; }));
    const std::size_t share[] = {17, 34, 67, 134};  // 5, 10, 20, 40 % of 334, rounded up
    EXPECT_EQ(like, share[step - 1]) << "step " << step;
    EXPECT_GT(like, before) << "step " << step;
    before = like;
  }
}

TEST(ColourGroups, ClearlyDifferentColoursNeverShareAGroupAndTheSamePiecesSortAlike) {
  const std::vector<Lab> centres{oklab(200, 30, 30),  oklab(30, 40, 200), oklab(40, 170, 40),
                                 oklab(240, 230, 60), oklab(20, 20, 20),  oklab(235, 235, 235)};
  std::vector<int> from;
  const std::vector<PieceColour> colours = scattered(centres, 40, &from);
  std::vector<int> pieces(colours.size());
  std::iota(pieces.begin(), pieces.end(), 0);
  const std::vector<ColourGroup> groups = colourGroups(colours, pieces);
  ASSERT_GE(groups.size(), 4u);
  ASSERT_LE(groups.size(), 12u);
  std::set<int> seen;
  std::set<QString> names;
  for (const ColourGroup& group : groups) {
    ASSERT_FALSE(group.pieces.empty());
    EXPECT_TRUE(names.insert(group.name).second) << group.name.toStdString();
    for (std::size_t k = 0; k < group.pieces.size(); ++k) {
      EXPECT_TRUE(seen.insert(group.pieces[k]).second) << group.pieces[k] << " in two groups";
      EXPECT_EQ(from[group.pieces[k]], from[group.pieces[0]]) << group.name.toStdString();
      if (k > 0) EXPECT_LE(colours[group.pieces[k - 1]].mean.L, colours[group.pieces[k]].mean.L);
    }
  }
  EXPECT_EQ(seen.size(), colours.size());
  const std::vector<ColourGroup> again = colourGroups(colours, pieces);
  ASSERT_EQ(again.size(), groups.size());
  for (std::size_t g = 0; g < groups.size(); ++g) {
    EXPECT_EQ(again[g].pieces, groups[g].pieces);
    EXPECT_EQ(again[g].name, groups[g].name);
  }
  const std::pair<Lab, const char*> named[] = {
      {oklab(200, 30, 30), "Rossi"},    {oklab(30, 40, 200), "Blu"},
      {oklab(40, 170, 40), "Verdi"},    {oklab(240, 230, 60), "Gialli"},
      {oklab(20, 20, 20), "Neri"},      {oklab(200, 200, 200), "Grigi chiari"},
      {oklab(120, 70, 30), "Marroni"},  {oklab(10, 40, 110), "Blu scuri"},
      {oklab(120, 200, 240), "Azzurri"}};
  for (const auto& [colour, name] : named) EXPECT_EQ(colourName(colour).toStdString(), name);
}

}  // namespace
}  // namespace tarsio
