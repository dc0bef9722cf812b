// The form's controls widened where their captions do not fit the font the form is shown
// in, as a desktop's fonts may be wider than the one the twips layout was drawn for. A
// control that lacks room grows by what it lacks; the controls in its container to the right
// of it move by as much and those that reach across its right edge grow with it; the
// container grows and makes the same room in its own container, up to the form, which grows
// too. A container that grows because it reaches across the room made beside it makes that
// room at its middle. Controls whose captions fit keep their twips places; nothing moves
// up or down.
#pragma once

#include <QWidget>
#include <initializer_list>

#include "gui/twips.h"

namespace routix::gui {

void FitCaptions(QWidget* form, std::initializer_list<FormWidget> widgets);

}  // namespace routix::gui
