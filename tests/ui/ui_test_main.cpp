// Runs the window tests inside one QApplication, as the host's own.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // ctest sets the offscreen platform; test discovery at build time runs the
  // program without that environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
