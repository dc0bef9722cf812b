#include "gui/frm_select_bnd.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <cstring>
#include <string>

#include "gui/modal_answerer.h"
#include "support/temp_folder.h"

namespace routix::gui {
namespace {

using testing::ModalAnswerer;

// Rxybnd.dat records with the given node counts and descriptions (no nodes needed here).
void WriteBoundaryList(const testing::TempFolder& folder,
                       const std::vector<std::pair<int16_t, std::string>>& boundaries) {
  std::string bytes;
  for (const auto& [count, description] : boundaries) {
    std::string record(2048, '\0');
    record[2] = static_cast<char>(count & 0xFF);
    record[3] = static_cast<char>((count >> 8) & 0xFF);
    std::string padded = description;
    padded.resize(60, ' ');
    std::memcpy(record.data() + 8, padded.data(), 60);
    bytes += record;
  }
  testing::WriteFileBytes(folder.path() / "Rxybnd.dat", bytes);
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
  WriteBoundaryList(folder, {{4, "North"},
                             {0, "Empty"},
                             {-3, "Bad"},
                             {12,
                              "  S\xFC"
                              "d  "}});
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
  EXPECT_EQ(shown.rows, (std::vector<std::string>{"1|North|4|x",
                                                  "4|S\xC3\xBC"
                                                  "d|12|x"}));
  EXPECT_EQ(shown.captions,
            (std::vector<std::string>{"Selected: 2 boundaries", "Selected: 0 boundary",
                                      "Selected: 1 boundary"}));
}

TEST(FrmSelectBnd, OkHandsBackTheTicksAndSettingsCancelKeepsTheEarlierSettings) {
  testing::TempFolder folder;
  WriteBoundaryList(folder, {{4, "North"}, {5, "South"}, {6, "East"}});
  boundaries::BoundarySelection previous{{}, 5, false};

  boundaries::BoundarySelection ok = RunDialog(folder, previous, [](QDialog& dialog) {
    dialog.findChild<QTreeWidget*>("lstBnd")->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    dialog.findChild<QRadioButton*>("optPolyType1")->setChecked(true);
    dialog.findChild<QRadioButton*>("optOutType1")->setChecked(true);
    QTest::keyClick(&dialog, Qt::Key_Return);  // OK is the default button
  });
  EXPECT_EQ(ok.col_return, (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(ok.boundary_shape_type, 3);
  EXPECT_TRUE(ok.one_file_per_boundary);

  boundaries::BoundarySelection cancelled = RunDialog(folder, ok, [](QDialog& dialog) {
    dialog.findChild<QRadioButton*>("optPolyType0")->setChecked(true);
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  EXPECT_TRUE(cancelled.col_return.empty());
  EXPECT_EQ(cancelled.boundary_shape_type, 3);
  EXPECT_TRUE(cancelled.one_file_per_boundary);

  boundaries::BoundarySelection defaults = RunDialog(folder, ok, [](QDialog& dialog) {
    dialog.findChild<QPushButton*>("cmdOK")->click();  // each opening starts from the defaults
  });
  EXPECT_EQ(defaults.col_return.size(), 3u);
  EXPECT_EQ(defaults.boundary_shape_type, 5);
  EXPECT_FALSE(defaults.one_file_per_boundary);
}

TEST(FrmSelectBnd, ALongBoundaryWithoutRxybxtRefusesTheListing) {
  testing::TempFolder folder;
  WriteBoundaryList(folder, {{4, "North"}, {192, "Long"}});
  ModalAnswerer answers;
  frmSelectBnd dialog(folder.path().string(), {});
  boundaries::BoundarySelection selection = dialog.Run();
  EXPECT_TRUE(selection.col_return.empty());
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0].rfind("Not found Rxybxt.dat file in directory: ", 0), 0u);

  WriteBoundaryList(folder, {{4, "North"}, {191, "Long enough"}});  // 191 needs no extension
  selection = RunDialog(folder, {},
                        [](QDialog& dialog) { dialog.findChild<QPushButton*>("cmdOK")->click(); });
  EXPECT_EQ(selection.col_return.size(), 2u);
}

}  // namespace
}  // namespace routix::gui
