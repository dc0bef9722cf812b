// ConversionUi is all the conversion driver knows of the main window: the two check boxes,
// the two path fields, message boxes, the input focus, the busy pointer and the destination
// browse. The window implements it with its widgets; tests with a scripted fake.
#pragma once

#include <string>

#include "app/messages.h"

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
};

}  // namespace routix::app
