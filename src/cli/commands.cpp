#include "cli/commands.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/driver_paths.h"
#include "app/field_tidy.h"
#include "app/messages.h"
#include "app/street_paths.h"
#include "base/conversion_error.h"
#include "base/cp1252.h"
#include "base/path_utils.h"
#include "boundaries/boundary_conversion.h"
#include "boundaries/boundary_files.h"
#include "boundaries/boundary_list.h"
#include "platform/file_path.h"
#include "streets/export_run.h"
#include "streets/server_folder.h"
#include "streets/street_conversion.h"

namespace routix::cli {
namespace {

using Clock = std::chrono::steady_clock;

// A refused input: its message goes to standard error and the command ends with status 1.
struct Refusal {
  std::string text;
};

// Prints a message on standard error, its CR LF line breaks as the terminal's line feeds.
void PrintError(const std::string& text) {
  std::string lines;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lines += text[i];
  }
  std::fprintf(stderr, "%s\n", lines.c_str());
}

std::string Absolute(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(platform::FilePath(path), error);
  return error ? path : platform::PathText(absolute);
}

std::string AlreadyExists(const std::string& path) {
  return path + " already exists. Use --overwrite to replace it.";
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs body, turning a refusal or a failure into its message and status 1.
template <typename Body>
int Guarded(Body body) {
  try {
    return body();
  } catch (const Refusal& refusal) {
    PrintError(refusal.text);
  } catch (const std::exception& error) {
    PrintError(error.what());
  }
  return kExitFailed;
}

}  // namespace

int RunStreets(const CliOptions& options, const base::ProgramServices& services) {
  return Guarded([&] {
    const auto start = Clock::now();
    const std::string server_folder = Absolute(options.server_folder);
    const std::string destination = Absolute(app::TidyDestination(options.destination));
    switch (app::CheckStreetPaths(server_folder, destination, services.file_system_service)) {
      case app::StreetPathCheck::kReady:
        break;
      case app::StreetPathCheck::kServerFolderMissing:
        throw Refusal{app::ServerPathIncorrect(server_folder).text};
      case app::StreetPathCheck::kGeoFolderMissing:
        throw Refusal{app::GeoFolderNotFound(server_folder).text};
      case app::StreetPathCheck::kDestinationExists:
        if (!options.overwrite) throw Refusal{AlreadyExists(destination)};
        break;
      case app::StreetPathCheck::kDestinationFolderMissing:
        throw Refusal{app::DestinationPathIncorrect(destination).text};
    }
    bool exported = false;
    if (options.no_export) {
      exported = services.file_system_service.FileExists(app::ExportMarker(server_folder));
    } else {
      streets::PrepareServerFolder(server_folder, services);
      exported = streets::RunExportTool(server_folder, services);
    }
    if (!exported) throw Refusal{app::IncompatibleDictionary().text};
    int32_t records = streets::ConvertStreetNetwork(server_folder, destination, services);
    if (!options.quiet) {
      std::printf("Wrote %d street segments to %s in %.2f s.\n", records, destination.c_str(),
                  SecondsSince(start));
    }
    return kExitDone;
  });
}

int RunBoundaries(const CliOptions& options, const base::ProgramServices& services) {
  return Guarded([&] {
    const auto start = Clock::now();
    const base::FileSystemService& files = services.file_system_service;
    const std::string server_folder = Absolute(options.server_folder);
    const std::string destination = Absolute(app::TidyDestination(options.destination));
    if (!files.FileExists(app::BoundaryDataFile(server_folder))) {
      throw Refusal{app::RxybndNotFound(app::DynFolderForMessage(server_folder)).text};
    }
    if (!files.FileExists(app::BoundaryExtensionFile(server_folder))) {
      throw Refusal{app::RxybxtNotFound(app::DynFolderForMessage(server_folder)).text};
    }
    std::vector<boundaries::BoundaryListRow> rows = boundaries::ReadBoundaryList(
        base::NormalizePath(server_folder + base::NativeSeparators("\\DYN")));

    boundaries::BoundarySelection selection;
    selection.boundary_shape_type = options.polyline ? 3 : 5;
    selection.one_file_per_boundary = options.per_boundary;
    if (options.select) {
      for (int ordinal : *options.select) {
        if (ordinal > static_cast<int>(rows.size())) {
          PrintError("--select: boundary " + std::to_string(ordinal) + " is not in " +
                     app::BoundaryDataFile(server_folder) + ", which holds " +
                     std::to_string(rows.size()) + ".");
          return kExitUsage;
        }
        selection.col_return.push_back(std::to_string(ordinal));
      }
    } else {
      for (const boundaries::ListedBoundary& listed : boundaries::ListBoundaries(rows)) {
        selection.col_return.push_back(std::to_string(listed.ordinal));
      }
    }
    if (selection.col_return.empty()) {
      PrintError("No boundary selected.");
      return kExitDone;
    }
    if (!options.per_boundary && files.FileExists(app::CombinedOutput(destination))) {
      if (!options.overwrite) throw Refusal{AlreadyExists(app::CombinedOutput(destination))};
      files.DeleteMatches(app::CombinedOutputPattern(destination));
    }
    boundaries::BoundaryConversionResult result = boundaries::ConvertBoundaries(
        app::DynFolderForConversion(server_folder), destination, selection, services);
    if (!options.quiet) {
      std::string where = options.per_boundary ? std::to_string(result.sets) + " sets in " +
                                                     base::FolderOfPath(destination)
                                               : app::CombinedOutput(destination);
      std::printf("Wrote %d boundaries to %s in %.2f s.\n", result.records, where.c_str(),
                  SecondsSince(start));
    }
    return kExitDone;
  });
}

int RunList(const CliOptions& options, const base::ProgramServices& services) {
  return Guarded([&] {
    const std::string server_folder = Absolute(options.server_folder);
    if (!services.file_system_service.FileExists(app::BoundaryDataFile(server_folder))) {
      throw Refusal{app::RxybndNotFound(app::DynFolderForMessage(server_folder)).text};
    }
    std::vector<boundaries::BoundaryListRow> rows = boundaries::ReadBoundaryList(
        base::NormalizePath(server_folder + base::NativeSeparators("\\DYN")));
    if (boundaries::RequiresExtensionFile(rows) &&
        !services.file_system_service.FileExists(app::BoundaryExtensionFile(server_folder))) {
      throw Refusal{app::RxybxtNotFound(app::DynFolderForMessage(server_folder)).text};
    }
    for (const boundaries::ListedBoundary& listed : boundaries::ListBoundaries(rows)) {
      std::printf("%d\t%s\t%s\n", listed.ordinal, listed.node_count.c_str(),
                  base::Cp1252ToUtf8(listed.description).c_str());
    }
    return kExitDone;
  });
}

}  // namespace routix::cli
