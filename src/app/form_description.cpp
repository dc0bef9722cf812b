#include "app/form_description.h"

namespace routix::app {
namespace {

using enum ControlKind;
using enum ButtonRole;

constexpr ControlDescription kMainControls[] = {
    {"Frame2", kFrame, kDataPathsCaption, "", 90, 90, 7845, 1560},
    {"Label0", kLabel, kServerFolderLabel, "Frame2", 120, 270, 975, 315},
    {"txtSrc", kTextBox, "", "Frame2", 1110, 270, 6195, 315},
    {"cmdBrwSrc", kButton, kBrowseCaption, "Frame2", 7335, 270, 420, 315},
    {"Label1", kLabel, kDestinationLabel, "Frame2", 180, 630, 825, 390},
    {"txtDst", kTextBox, "", "Frame2", 1110, 705, 6195, 315},
    {"cmdBrwDst", kButton, kBrowseCaption, "Frame2", 7335, 705, 420, 315},
    {"chkGeo2Shp", kCheckBox, kGeo2ShpCaption, "Frame2", 360, 1200, 2655, 255},
    {"chkDat2Shp", kCheckBox, kDat2ShpCaption, "Frame2", 3240, 1200, 2655, 255},
    {"fraOperation", kFrame, "", "", 90, 1590, 7845, 615},
    {"cmdGo", kButton, kGoCaption, "fraOperation", 1155, 150, 2745, 405, kDefault},
    {"cmdExit", kButton, kExitCaption, "fraOperation", 3975, 150, 2745, 405, kCancel},
    {"sttBar", kStatusBar, "", "", 0, 2205, 8025, 330},
    {"prbMain", kProgressBar, "", "", 4065, 2250, 3945, 270},
};
constexpr std::string_view kMainTabOrder[] = {"cmdBrwSrc",  "txtSrc",     "cmdBrwDst", "txtDst",
                                              "chkGeo2Shp", "chkDat2Shp", "cmdGo",     "cmdExit"};

constexpr ControlDescription kSelectBoundaryControls[] = {
    {"fraSelectBnd", kFrame, kSelectBoundaryCaption, "", 120, 120, 6615, 4455},
    {"lstBnd", kListView, "", "fraSelectBnd", 120, 240, 6375, 4095},
    {"Frame1", kFrame, kBoundaryTypeCaption, "", 120, 4680, 6615, 615},
    {"optPolyType0", kOptionButton, kPolygonCaption, "Frame1", 1913, 285, 1095, 255},
    {"optPolyType1", kOptionButton, kPolylineCaption, "Frame1", 3593, 285, 1095, 255},
    {"Frame3", kFrame, kOutputTypeCaption, "", 120, 5400, 6615, 615},
    {"optOutType0", kOptionButton, kAllInOneCaption, "Frame3", 480, 285, 2835, 255},
    {"optOutType1", kOptionButton, kEachInOneCaption, "Frame3", 3593, 285, 2655, 255},
    {"cmdOK", kButton, kOkCaption, "", 1920, 6120, 1455, 375, kDefault},
    {"cmdCancel", kButton, kCancelCaption, "", 3495, 6120, 1455, 375, kCancel},
};
constexpr std::string_view kSelectBoundaryTabOrder[] = {
    "lstBnd", "optPolyType0", "optPolyType1", "cmdOK", "optOutType0", "optOutType1", "cmdCancel"};
constexpr ColumnDescription kBoundaryListColumns[] = {
    {kIdColumn, 1000}, {kDescriptionColumn, 4000}, {kNodesColumn, 1000}};

}  // namespace

const FormDescription kMainForm{8025, 2535, kMainControls, kMainTabOrder};
const FormDescription kSelectBoundaryForm{6870, 6540, kSelectBoundaryControls,
                                          kSelectBoundaryTabOrder};
const std::span<const ColumnDescription> kBoundaryColumns = kBoundaryListColumns;

}  // namespace routix::app
