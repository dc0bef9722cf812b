// Writes the three street exports Mapfil.asc, Nodfil.asc and Second.asc into DYN from the
// street data in GEO, each line ended by CR LF, and leaves a *.taf work file in GEO as the
// real export program does. Mapfil.asc appears only once the other two are complete, under
// a temporary name until then; missing street data throws ConversionError before anything
// is written.
#pragma once

#include <filesystem>

namespace routix::db2asc {

void WriteStreetExports(const std::filesystem::path& geo, const std::filesystem::path& dyn);

}  // namespace routix::db2asc
