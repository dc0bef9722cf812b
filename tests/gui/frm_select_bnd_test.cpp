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
#include "support/boundary_bytes.h"
#include "support/temp_folder.h"

namespace routix::gui {
namespace {

using testing::ModalAnswerer;

using testing::RecordBytes;

void WriteBoundaryList(const testing::TempFolder& folder, const std::string& records) {
  testing::WriteFileBytes(folder.path() / "Rxybnd.dat", records);
}

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

// Opens the dialog, lets act work on it, and gives back what it handed over.
boundaries::BoundarySelection RunDialog(const testing::TempFolder& folder,
                                        const boundaries::BoundarySelection& previous,
                                        const std::function<void(QDialog&)>& act) {
  frmSelectBnd dialog(folder.path().string(), previous);
  ModalAnswerer answer([&](QWidget* modal) { act(*static_cast<QDialog*>(modal)); });
  return dialog.Run();
}

TEST(FrmSelectBnd, ListsBoundariesWithNodesAllTickedAndCountsTheTicks) {
  testing::TempFolder folder;
  WriteBoundaryList(folder, RecordBytes(4, "North", {}) + RecordBytes(0, "Empty", {}) +
                                RecordBytes(-3, "Bad", {}) + RecordBytes(12, "  Z\xFCrich  ", {}));
  Shown shown;
  RunDialog(folder, {}, [&](QDialog& dialog) {
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
  testing::TempFolder folder;
  WriteBoundaryList(folder, RecordBytes(4, "North", {}) + RecordBytes(5, "South", {}) +
                                RecordBytes(6, "East", {}));
  boundaries::BoundarySelection previous{{}, 5, false};

  boundaries::BoundarySelection ok = RunDialog(folder, previous, [](QDialog& dialog) {
    dialog.findChild<QTreeWidget*>("lstBnd")->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    dialog.findChild<QRadioButton*>("optPolyType1")->setChecked(true);
    dialog.findChild<QRadioButton*>("optOutType1")->setChecked(true);
    QTest::keyClick(&dialog, Qt::Key_Return);  // OK is the default button
  });
  EXPECT_EQ(Settings(ok), "1,3 type 3, one per boundary");

  boundaries::BoundarySelection cancelled = RunDialog(folder, ok, [](QDialog& dialog) {
    dialog.findChild<QRadioButton*>("optPolyType0")->setChecked(true);
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  EXPECT_EQ(Settings(cancelled), " type 3, one per boundary");

  boundaries::BoundarySelection defaults = RunDialog(folder, ok, [](QDialog& dialog) {
    dialog.findChild<QPushButton*>("cmdOK")->click();  // each opening starts from the defaults
  });
  EXPECT_EQ(Settings(defaults), "1,2,3 type 5, one set");
}

TEST(FrmSelectBnd, ALongBoundaryWithoutRxybxtRefusesTheListing) {
  testing::TempFolder folder;
  WriteBoundaryList(folder, RecordBytes(4, "North", {}) + RecordBytes(192, "Long", {}));
  ModalAnswerer answers;
  frmSelectBnd dialog(folder.path().string(), {});
  EXPECT_TRUE(dialog.Run().col_return.empty());
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0].rfind("Not found Rxybxt.dat file in directory: ", 0), 0u);
}

}  // namespace
}  // namespace routix::gui
