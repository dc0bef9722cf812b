#include "street_export.h"

#include <string>
#include <system_error>

#include "base/conversion_error.h"
#include "base/output_file.h"
#include "base/text_stream.h"
#include "platform/file_path.h"
#include "platform/native_file_system.h"
#include "sample_data/street_data.h"

namespace routix::db2asc {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kWorkFile = "db2asc.taf";
constexpr std::string_view kUnfinishedSuffix = ".part";

void Convert(base::FileSystem& files, const fs::path& data, const fs::path& target) {
  base::TextReader in(files, platform::PathText(data));
  base::TextWriter out(base::OutputFile(files, platform::PathText(target)));
  std::string line;
  while (!in.AtEndOfStream()) {
    in.ReadLine(line);
    out.WriteLine(line);
  }
  out.Close();
}

}  // namespace

void WriteStreetExports(const fs::path& geo, const fs::path& dyn) {
  for (const sample::StreetDataFile& file : sample::kStreetDataFiles) {
    std::error_code error;
    if (!fs::is_regular_file(geo / file.data_name, error)) {
      throw base::FileError("find", platform::PathText(geo / file.data_name),
                            "there is no street data");
    }
  }
  platform::NativeFileSystem files;
  base::OutputFile work(files, platform::PathText(geo / kWorkFile));
  work.Close();

  for (const sample::StreetDataFile& file : sample::kStreetDataFiles) {
    fs::path target = dyn / file.export_name;
    fs::path unfinished = target;
    unfinished += kUnfinishedSuffix;
    Convert(files, geo / file.data_name, unfinished);
    std::error_code error;
    fs::rename(unfinished, target, error);
    if (error) throw base::FileError("rename", platform::PathText(unfinished), error.message());
  }
}

}  // namespace routix::db2asc
