#include "gui/frm_select_bnd.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <string>

#include "gui/modal_answerer.h"

namespace routix::gui {
namespace {

using testing::ModalAnswerer;
using Rows = std::vector<boundaries::ListedBoundary>;

// The ticked ordinals, the shape type and the output mode: "1,3 type 3, one per boundary".
std::string Settings(const boundaries::BoundarySelection& selection) {
  std::string text;
  for (const std::string& ordinal : selection.col_return)
    text += (text.empty() ? "" : ",") + ordinal;
  return text + " type " + std::to_string(selection.boundary_shape_type) +
         (selection.one_file_per_boundary ? ", one per boundary" : ", one set");
}

struct Shown {
  std::vector<std::string> rows;  // "ID|Description|Nodes #|ticked"
  std::vector<std::string> captions;
};

std::string Row(QTreeWidgetItem* item) {
  return (item->text(0) + "|" + item->text(1) + "|" + item->text(2) + "|" +
          (item->checkState(0) == Qt::Checked ? "x" : ""))
      .toStdString();
}

// Opens the dialog on rows, lets act work on it, and gives back what it handed over.
boundaries::BoundarySelection RunDialog(const Rows& rows,
                                        const boundaries::BoundarySelection& previous,
                                        const std::function<void(QDialog&)>& act) {
  frmSelectBnd dialog(rows, previous);
  ModalAnswerer answer([&](QWidget* modal) { act(*static_cast<QDialog*>(modal)); });
  return dialog.Run();
}

TEST(FrmSelectBnd, ListsItsRowsAllTickedAndCountsTheTicks) {
  Shown shown;
  RunDialog({{1, "North", "4"}, {4, "Z\xFCrich", "12"}}, {}, [&](QDialog& dialog) {
    auto* list = dialog.findChild<QTreeWidget*>("lstBnd");
    auto* frame = dialog.findChild<QGroupBox*>("fraSelectBnd");
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      shown.rows.push_back(Row(list->topLevelItem(i)));
    }
    shown.captions.push_back(frame->title().toStdString());
    ModalAnswerer menu_answer;  // the context menu is a popup, not modal: trigger it by hand
    QTimer::singleShot(20, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      EXPECT_EQ(menu->actions()[0]->text().toStdString(), "Select All");
      menu->actions()[1]->trigger();  // Deselect All
      menu->close();
    });
    emit list->customContextMenuRequested(QPoint(5, 5));
    shown.captions.push_back(frame->title().toStdString());
    list->topLevelItem(1)->setCheckState(0, Qt::Checked);
    shown.captions.push_back(frame->title().toStdString());
    dialog.findChild<QPushButton*>("cmdCancel")->click();
  });
  EXPECT_EQ(shown.rows, (std::vector<std::string>{"1|North|4|x", "4|Z\u00FCrich|12|x"}));
  EXPECT_EQ(shown.captions,
            (std::vector<std::string>{"Selected: 2 boundaries", "Selected: 0 boundary",
                                      "Selected: 1 boundary"}));
}

TEST(FrmSelectBnd, OkHandsBackTheTicksAndSettingsCancelKeepsTheEarlierSettings) {
  const Rows rows = {{1, "North", "4"}, {2, "South", "5"}, {3, "East", "6"}};
  boundaries::BoundarySelection previous{{}, 5, false};

  boundaries::BoundarySelection ok = RunDialog(rows, previous, [](QDialog& dialog) {
    dialog.findChild<QTreeWidget*>("lstBnd")->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    dialog.findChild<QRadioButton*>("optPolyType1")->setChecked(true);
    dialog.findChild<QRadioButton*>("optOutType1")->setChecked(true);
    QTest::keyClick(&dialog, Qt::Key_Return);  // OK is the default button
  });
  EXPECT_EQ(Settings(ok), "1,3 type 3, one per boundary");

  boundaries::BoundarySelection cancelled = RunDialog(rows, ok, [](QDialog& dialog) {
    dialog.findChild<QRadioButton*>("optPolyType0")->setChecked(true);
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  EXPECT_EQ(Settings(cancelled), " type 3, one per boundary");

  boundaries::BoundarySelection defaults = RunDialog(rows, ok, [](QDialog& dialog) {
    dialog.findChild<QPushButton*>("cmdOK")->click();  // each opening starts from the defaults
  });
  EXPECT_EQ(Settings(defaults), "1,2,3 type 5, one set");
}

}  // namespace
}  // namespace routix::gui
