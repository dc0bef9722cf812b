// frmSelectBnd, "Boundary Setting", is the modal dialog in which the user picks boundaries
// and the form of the output. Run() lists every boundary of the DYN folder with a node count
// above 0, all ticked, and gives back the BoundarySelection: the ticked ordinals and the
// chosen settings on OK; no ordinal and the settings it was given on Cancel or close. A
// boundary of more than 191 nodes without Rxybxt.dat beside it refuses the listing.
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <string>

#include "boundaries/boundary_selection.h"

namespace routix::gui {

class frmSelectBnd : public QDialog {
  Q_OBJECT

 public:
  // rxy_path: the DYN folder without a trailing separator (szRxyPath); previous: the settings
  // kept from earlier runs of the dialog.
  frmSelectBnd(const std::string& rxy_path, const boundaries::BoundarySelection& previous,
               QWidget* parent = nullptr);

  // Loads the list (Form_Load), shows the dialog modally and gives its result.
  boundaries::BoundarySelection Run();

 private:
  bool FillBoundaryList();
  void SetAllTicked(bool ticked);
  void UpdateSelectedCount();
  void cmdOKClick();

  std::string rxy_path_;
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
