// The Esterel programs of the repository, for tests that hold a property on every one of them.
#ifndef MORVAC_TESTS_ESTEREL_PROGRAM_FILES_H
#define MORVAC_TESTS_ESTEREL_PROGRAM_FILES_H

#include <filesystem>
#include <string>
#include <vector>

// Returns the bytes of the file at path.
[[nodiscard]] std::string read_program(const std::filesystem::path& path);

// Returns the .strl files under the folders of dirs (separated by '|'), sorted.
[[nodiscard]] std::vector<std::filesystem::path> programs_in(const std::string& dirs);

#endif  // MORVAC_TESTS_ESTEREL_PROGRAM_FILES_H
