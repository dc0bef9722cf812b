// ConversionUi is all the driver knows of a front end: the two check boxes, the two path
// fields, message boxes, the input focus, the busy pointer, the destination browse and the
// boundary selection dialog. The windows implement it with their controls, the command line
// with its arguments, the tests with a scripted fake; none of them decides anything.
#pragma once

#include <string>
#include <vector>

#include "app/messages.h"
#include "boundaries/boundary_list.h"
#include "boundaries/boundary_selection.h"

namespace routix::app {

enum class CheckBox { kGeo2Shp, kDat2Shp };

class ConversionUi {
 public:
  virtual ~ConversionUi() = default;

  virtual bool IsTicked(CheckBox box) const = 0;
  // Unticks the box; the window's click handler for an unticked box does nothing.
  virtual void Untick(CheckBox box) = 0;
  virtual std::string ServerFolderText() const = 0;  // txtSrc, as it stands
  virtual std::string DestinationText() const = 0;   // txtDst, as it stands
  // Shows a modal message box and gives the button pressed.
  virtual Answer ShowMessage(const Message& message) = 0;
  virtual void FocusGeocodeBox() = 0;
  virtual void SetBusyPointer(bool busy) = 0;
  // The destination browse action: the save dialog, whose result replaces txtDst.
  virtual void BrowseDestination() = 0;
  // The selection dialog on rows, every one ticked at first and the options at their
  // defaults: the ticked ordinals and the chosen settings on OK; on Cancel or close no
  // ordinal and the settings of current.
  virtual boundaries::BoundarySelection PickBoundaries(
      const std::vector<boundaries::ListedBoundary>& rows,
      const boundaries::BoundarySelection& current) = 0;
};

}  // namespace routix::app
