// Test entry point: an offscreen QApplication on a fixed 1280 x 1024 screen at 96 dpi and a device
// pixel ratio of 1, whatever the environment asks for, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  // The tests measure the board in twips and pixels of a known screen, so the screen and its scaling
  // never come from the machine the tests run on.
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TARSIO_TEST_SCREEN);
  for (const char* scaling : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
                              "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_FONT_DPI",
                              "QT_USE_PHYSICAL_DPI", "QT_STYLE_OVERRIDE"})
    qunsetenv(scaling);
  // Boards keep their games in progress and their choices in folders of their own, never in the
  // player's.
  QTemporaryDir state, config;
  qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
