#include "files/SaveFiles.h"

#include <iostream>

#include "files/OutputFiles.h"

namespace drivesim {

void SaveOutputFile(const std::string& what, const std::string& path,
                    const std::function<void(std::ostream&)>& write) {
  // A name chosen in a window names a file: "-" is not standard output.
  const std::string file = path == "-" ? "./-" : path;
  TOutputFiles files(std::cout);
  const std::size_t output = files.Add(what, file);
  files.Prepare();
  write(files.Stream(output));
  files.Commit();
}

void SaveOutputFile(const std::string& what, const std::string& path, const std::string& data) {
  SaveOutputFile(what, path, [&data](std::ostream& stream) {
    stream.write(data.data(), static_cast<std::streamsize>(data.size()));
  });
}

}  // namespace drivesim
