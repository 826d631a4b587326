// Main of the program scenarios:
//   zelvan_program_tests [GoogleTest flags] [path of zelvan.exe]
// Without a path the scenarios drive the zelvan.exe of their own build.
#include <gtest/gtest.h>

#include "tests/wine/driver/program_driver.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc > 1) SetProgramPath(WindowsPath(argv[1]));
  return RUN_ALL_TESTS();
}
