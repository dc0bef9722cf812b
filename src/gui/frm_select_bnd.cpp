#include "gui/frm_select_bnd.h"

#include <QHeaderView>
#include <QMenu>
#include <string>

#include "app/form_description.h"
#include "app/messages.h"
#include "gui/qt_text.h"
#include "gui/twips.h"
#include "gui/window_font.h"

namespace routix::gui {
frmSelectBnd::frmSelectBnd(const std::vector<boundaries::ListedBoundary>& rows,
                           const boundaries::BoundarySelection& previous, QWidget* parent)
    : QDialog(parent) {
  result_.boundary_shape_type = previous.boundary_shape_type;
  result_.one_file_per_boundary = previous.one_file_per_boundary;

  setObjectName("frmSelectBnd");
  UseWindowFont(this);
  setWindowTitle(FromLocal(app::kBoundarySettingTitle));
  BuildForm(this, app::kSelectBoundaryForm,
            {{fraSelectBnd, "fraSelectBnd"},
             {lstBnd, "lstBnd"},
             {Frame1, "Frame1"},
             {optPolyType0, "optPolyType0"},
             {optPolyType1, "optPolyType1"},
             {Frame3, "Frame3"},
             {optOutType0, "optOutType0"},
             {optOutType1, "optOutType1"},
             {cmdOK, "cmdOK"},
             {cmdCancel, "cmdCancel"}});

  QStringList headers;
  for (const app::ColumnDescription& column : app::kBoundaryColumns) {
    headers << FromLocal(column.caption);
  }
  lstBnd->setHeaderLabels(headers);
  for (int i = 0; i < lstBnd->columnCount(); ++i) {
    lstBnd->setColumnWidth(
        i, SizeInTwips(this, app::kBoundaryColumns[static_cast<size_t>(i)].width, 0).width());
  }
  lstBnd->setRootIsDecorated(false);
  lstBnd->setSortingEnabled(false);
  lstBnd->header()->setSectionsClickable(false);
  lstBnd->setContextMenuPolicy(Qt::CustomContextMenu);
  for (const boundaries::ListedBoundary& boundary : rows) {
    auto* item = new QTreeWidgetItem(lstBnd);
    item->setText(0, QString::number(boundary.ordinal));
    item->setText(1, FromCp1252(boundary.description));
    item->setText(2, QString::fromStdString(boundary.node_count));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
  }

  optPolyType0->setChecked(true);
  optOutType0->setChecked(true);

  connect(lstBnd, &QTreeWidget::itemChanged, this, &frmSelectBnd::UpdateSelectedCount);
  connect(lstBnd, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    menu.setObjectName("mnuPopup");
    menu.addAction(FromLocal(app::kSelectAllCaption), this, [this] { SetAllTicked(true); });
    menu.addAction(FromLocal(app::kDeselectAllCaption), this, [this] { SetAllTicked(false); });
    menu.exec(lstBnd->viewport()->mapToGlobal(at));
  });
  connect(cmdOK, &QPushButton::clicked, this, &frmSelectBnd::cmdOKClick);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

boundaries::BoundarySelection frmSelectBnd::Run() {
  SetAllTicked(true);
  exec();
  return result_;
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
  fraSelectBnd->setTitle(FromLocal(app::SelectedCount(count)));
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
