// frmSelectBnd, "Boundary Setting", is the modal dialog in which the user picks boundaries
// and the form of the output. Run() lists the rows it was given, all ticked, with the options
// at their defaults, and gives back the BoundarySelection: the ticked ordinals and the chosen
// settings on OK; no ordinal and the settings it was given on Cancel or close.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <vector>

#include "boundaries/boundary_list.h"
#include "boundaries/boundary_selection.h"

namespace routix::gui {

class frmSelectBnd : public QDialog {
  Q_OBJECT

 public:
  // previous: the settings kept from earlier runs of the dialog.
  frmSelectBnd(const std::vector<boundaries::ListedBoundary>& rows,
               const boundaries::BoundarySelection& previous, QWidget* parent = nullptr);

  // Shows the dialog modally and gives its result.
  boundaries::BoundarySelection Run();

 private:
  void SetAllTicked(bool ticked);
  void UpdateSelectedCount();
  void cmdOKClick();

  boundaries::BoundarySelection result_;

  QGroupBox* fraSelectBnd = new QGroupBox(this);
  QTreeWidget* lstBnd = new QTreeWidget(fraSelectBnd);
  QGroupBox* Frame1 = new QGroupBox(this);
  QRadioButton* optPolyType0 = new QRadioButton(Frame1);
  QRadioButton* optPolyType1 = new QRadioButton(Frame1);
  QGroupBox* Frame3 = new QGroupBox(this);
  QRadioButton* optOutType0 = new QRadioButton(Frame3);
  QRadioButton* optOutType1 = new QRadioButton(Frame3);
  QPushButton* cmdOK = new QPushButton(this);
  QPushButton* cmdCancel = new QPushButton(this);
};

}  // namespace routix::gui
