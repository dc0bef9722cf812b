#include "gui/frm_select_bnd.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>

#include "app/messages.h"
#include "boundaries/boundary_files.h"
#include "boundaries/boundary_list.h"
#include "gui/qt_text.h"
#include "gui/twips.h"
#include "gui/window_font.h"
#include "platform/native_separator.h"

namespace routix::gui {
namespace {

constexpr int kIdWidthTwips = 1000;
constexpr int kDescriptionWidthTwips = 4000;
constexpr int kNodesWidthTwips = 1000;

}  // namespace

frmSelectBnd::frmSelectBnd(const std::string& rxy_path,
                           const boundaries::BoundarySelection& previous, QWidget* parent)
    : QDialog(parent), rxy_path_(rxy_path) {
  result_.boundary_shape_type = previous.boundary_shape_type;
  result_.one_file_per_boundary = previous.one_file_per_boundary;

  setObjectName("frmSelectBnd");
  UseWindowFont(this);
  setWindowTitle(QStringLiteral("Boundary Setting"));
  setFixedSize(SizeInTwips(this, 6870, 6540));
  PlaceControls({
      {fraSelectBnd, "fraSelectBnd", "Select Boundary", 120, 120, 6615, 4455},
      {lstBnd, "lstBnd", "", 120, 240, 6375, 4095},
      {Frame1, "Frame1", "Select Boundary type", 120, 4680, 6615, 615},
      {optPolyType0, "optPolyType0", "Polygon", 1913, 285, 1095, 255},
      {optPolyType1, "optPolyType1", "Polyline", 3593, 285, 1095, 255},
      {Frame3, "Frame3", "Select output Shapefile type", 120, 5400, 6615, 615},
      {optOutType0, "optOutType0", "All boundary in one Shapefile", 480, 285, 2835, 255},
      {optOutType1, "optOutType1", "Each boundary in one Shapefile", 3593, 285, 2655, 255},
      {cmdOK, "cmdOK", "OK", 1920, 6120, 1455, 375},
      {cmdCancel, "cmdCancel", "Cancel", 3495, 6120, 1455, 375},
  });

  lstBnd->setColumnCount(3);
  lstBnd->setHeaderLabels(
      {QStringLiteral("ID"), QStringLiteral("Description"), QStringLiteral("Nodes #")});
  lstBnd->setRootIsDecorated(false);
  lstBnd->setSortingEnabled(false);
  lstBnd->header()->setSectionsClickable(false);
  lstBnd->setContextMenuPolicy(Qt::CustomContextMenu);
  int widths[] = {kIdWidthTwips, kDescriptionWidthTwips, kNodesWidthTwips};
  for (int column = 0; column < 3; ++column) {
    lstBnd->setColumnWidth(column, SizeInTwips(this, widths[column], 0).width());
  }

  optPolyType0->setChecked(true);
  optOutType0->setChecked(true);
  cmdOK->setDefault(true);
  QWidget::setTabOrder(lstBnd, optPolyType0);
  QWidget::setTabOrder(optPolyType0, optPolyType1);
  QWidget::setTabOrder(optPolyType1, cmdOK);
  QWidget::setTabOrder(cmdOK, optOutType0);
  QWidget::setTabOrder(optOutType0, optOutType1);
  QWidget::setTabOrder(optOutType1, cmdCancel);

  connect(lstBnd, &QTreeWidget::itemChanged, this, &frmSelectBnd::UpdateSelectedCount);
  connect(lstBnd, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    menu.setObjectName("mnuPopup");
    menu.addAction(QStringLiteral("Select All"), this, [this] { SetAllTicked(true); });
    menu.addAction(QStringLiteral("Deselect All"), this, [this] { SetAllTicked(false); });
    menu.exec(lstBnd->viewport()->mapToGlobal(at));
  });
  connect(cmdOK, &QPushButton::clicked, this, &frmSelectBnd::cmdOKClick);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

boundaries::BoundarySelection frmSelectBnd::Run() {
  if (!FillBoundaryList()) return result_;
  SetAllTicked(true);
  exec();
  return result_;
}

bool frmSelectBnd::FillBoundaryList() {
  std::vector<boundaries::BoundaryListRow> rows = boundaries::ReadBoundaryList(rxy_path_);
  if (boundaries::RequiresExtensionFile(rows) &&
      !QFileInfo::exists(FromLocal(rxy_path_ + platform::kNativeSeparator + "Rxybxt.dat"))) {
    app::Message message = app::RxybxtNotFound(rxy_path_ + platform::kNativeSeparator);
    QMessageBox::critical(this, FromLocal(std::string(app::kApplicationTitle)),
                          FromLocal(message.text));
    return false;
  }
  for (const boundaries::ListedBoundary& boundary : boundaries::ListBoundaries(rows)) {
    auto* item = new QTreeWidgetItem(lstBnd);
    item->setText(0, QString::number(boundary.ordinal));
    item->setText(1, FromCp1252(boundary.description));
    item->setText(2, QString::fromStdString(boundary.node_count));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
  }
  return true;
}

void frmSelectBnd::SetAllTicked(bool ticked) {
  QSignalBlocker quiet(lstBnd);
  for (int i = 0; i < lstBnd->topLevelItemCount(); ++i) {
    lstBnd->topLevelItem(i)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
  }
  quiet.unblock();
  UpdateSelectedCount();
}

void frmSelectBnd::UpdateSelectedCount() {
  int count = 0;
  for (int i = 0; i < lstBnd->topLevelItemCount(); ++i) {
    count += lstBnd->topLevelItem(i)->checkState(0) == Qt::Checked;
  }
  fraSelectBnd->setTitle(
      QStringLiteral("Selected: %1 %2")
          .arg(count)
          .arg(count > 1 ? QStringLiteral("boundaries") : QStringLiteral("boundary")));
}

void frmSelectBnd::cmdOKClick() {
  result_.col_return.clear();
  for (int i = 0; i < lstBnd->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = lstBnd->topLevelItem(i);
    if (item->checkState(0) == Qt::Checked) result_.col_return.push_back(ToLocal(item->text(0)));
  }
  result_.boundary_shape_type = optPolyType0->isChecked() ? 5 : 3;
  result_.one_file_per_boundary = !optOutType0->isChecked();
  accept();
}

}  // namespace routix::gui
