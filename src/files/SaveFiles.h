#pragma once
// Saving what the windows show through the batch tool's output-file rules:
// the file is checked before anything is written, a regular file is replaced
// at once by a complete temporary, and a file that cannot be written raises
// with nothing half-written and the old file as it was.

#include <functional>
#include <ostream>
#include <string>

namespace drivesim {

// Writes data to path; what names the data in messages ("The table").
// Raises EOutputError when the file cannot be written.
void SaveOutputFile(const std::string& what, const std::string& path, const std::string& data);
// The same with the data written by write into the file's stream, for data
// too large to be gathered first.
void SaveOutputFile(const std::string& what, const std::string& path,
                    const std::function<void(std::ostream& stream)>& write);

}  // namespace drivesim
