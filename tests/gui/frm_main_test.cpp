#include "gui/frm_main.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <optional>

#include "app/messages.h"
#include "app/version.h"
#include "gui/frm_select_bnd.h"
#include "gui/modal_answerer.h"
#include "platform/native_separator.h"
#include "sample_data/sample_boundaries.h"
#include "support/temp_folder.h"

namespace routix::gui {
namespace {

namespace fs = std::filesystem;
using testing::ModalAnswerer;

template <typename Widget>
Widget* Find(QWidget& window, const char* name) {
  Widget* widget = window.findChild<Widget*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

class FrmMainTest : public ::testing::Test {
 protected:
  FrmMainTest() {
    window_.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
  }
  QLineEdit* Source() { return Find<QLineEdit>(window_, "txtSrc"); }
  QLineEdit* Destination() { return Find<QLineEdit>(window_, "txtDst"); }

  frmMain window_;
};

TEST_F(FrmMainTest, StartsWithTheVersionInItsCaptionAndTheFocusOnTheFirstBrowseButton) {
  EXPECT_EQ(
      window_.windowTitle().toStdString(),
      "Convert Routix Geocode or Boundaries to Shapefile - Version " + std::string(app::kVersion));
  std::vector<std::string> order;  // from the widget with the focus at the start
  QWidget* widget = QApplication::focusWidget();
  for (int i = 0; i < 8; ++i) {
    order.push_back(widget->objectName().toStdString());
    QTest::keyClick(widget, Qt::Key_Tab);
    widget = QApplication::focusWidget();
  }
  EXPECT_EQ(order, (std::vector<std::string>{"cmdBrwSrc", "txtSrc", "cmdBrwDst", "txtDst",
                                             "chkGeo2Shp", "chkDat2Shp", "cmdGo", "cmdExit"}));
  EXPECT_EQ(Find<QPushButton>(window_, "cmdGo")->text().toStdString(), "&Go");
  EXPECT_EQ(Find<QPushButton>(window_, "cmdExit")->text().toStdString(), "&Exit");
}

TEST_F(FrmMainTest, IsANormalTopLevelWindowWithAMinimiseButtonAndTheProgramsIcon) {
  EXPECT_EQ(window_.windowType(), Qt::Window);
  EXPECT_TRUE(window_.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  const QImage icon = window_.windowIcon().pixmap(32, 32).toImage();
  ASSERT_EQ(icon.size(), QSize(32, 32));  // drawn from the SVG
  EXPECT_EQ(qAlpha(icon.pixel(16, 16)), 255);
  EXPECT_EQ(qAlpha(icon.pixel(0, 31)), 0);  // the map sheet's rounded corner
}

TEST_F(FrmMainTest, PathFieldsAreTidiedWhenTheyLoseTheFocus) {
  const char sep = platform::kNativeSeparator;
  std::string typed = std::string("  ") + sep + "srv" + sep + sep + "data" + sep + "  ";
  Source()->setFocus();
  Source()->setText(QString::fromStdString(typed));
  QTest::keyClick(Source(), Qt::Key_Tab);
  EXPECT_EQ(Source()->text().toStdString(), std::string(1, sep) + "srv" + sep + "data");

  Destination()->setFocus();
  Destination()->setText(QStringLiteral(" roads "));
  QTest::keyClick(Destination(), Qt::Key_Tab);
  EXPECT_EQ(Destination()->text().toStdString(), "roads.shp");
}

TEST_F(FrmMainTest, EnterRunsGoWithTheFieldAsTypedAndEscCloses) {
  ModalAnswerer answers;
  Destination()->setFocus();
  Destination()->setText(QStringLiteral(" roads "));
  QTest::keyClick(Destination(), Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !answers.texts.empty(); }));
  EXPECT_EQ(answers.texts, std::vector<std::string>{"Please select convert type."});
  EXPECT_EQ(Destination()->text().toStdString(), " roads ");
  EXPECT_EQ(window_.focusWidget(), Find<QCheckBox>(window_, "chkGeo2Shp"));

  QTest::keyClick(&window_, Qt::Key_Escape);
  EXPECT_FALSE(window_.isVisible());
}

TEST_F(FrmMainTest, TheFinishedBoxLeavesItsTitleBarRoomForTheTitleAndTheButtons) {
  int width = 0, room = 0;
  ModalAnswerer answer([&](QWidget* modal) {
    const QFontMetrics metrics = modal->fontMetrics();
    width = modal->width();
    room = metrics.horizontalAdvance(modal->windowTitle()) + 4 * metrics.height();
    qobject_cast<QMessageBox*>(modal)->buttons().front()->click();
  });
  window_.ShowMessage(app::ConvertFinished());
  EXPECT_GE(width, room);
}

TEST_F(FrmMainTest, TickingTheBoundaryBoxOpensTheDialogOnlyWhenRxybndIsThere) {
  testing::TempFolder folder;
  const fs::path server = folder.path() / "<b>srv</b>";  // shown as typed, not as markup
  fs::create_directories(server / "DYN");
  Source()->setText(QString::fromStdString(server.string()));
  ModalAnswerer missing;
  auto* box = Find<QCheckBox>(window_, "chkDat2Shp");
  box->click();
  EXPECT_EQ(missing.texts, std::vector<std::string>{"Not found Rxybnd.dat file in directory: \n" +
                                                    (server / "DYN").string() + "/"});
  EXPECT_FALSE(box->isChecked());

  sample::WriteSampleBoundaries((server / "DYN").string(), 3);
  bool dialog_opened = false;
  ModalAnswerer ok([&](QWidget* modal) {
    dialog_opened = qobject_cast<frmSelectBnd*>(modal) != nullptr;
    Find<QPushButton>(*modal, "cmdOK")->click();
  });
  box->click();
  EXPECT_TRUE(dialog_opened);
  EXPECT_TRUE(box->isChecked());
  EXPECT_FALSE(window_.selected_boundaries().col_return.empty());
}

TEST(FrmMain, WhileTheExportProgramRunsPressesDoNothingAndEscOrAltECloseAfterItsEnd) {
  testing::TempFolder folder;
  fs::create_directories(folder.path() / "Server" / "GEO");
  // The slow stand-in export program, which writes nothing: the run ends with "Incompatible
  // dictionary file."
  fs::copy(fs::path(ROUTIX_PROGRAM_FOLDER) / "slow_export", folder.path() / "Server" / "PRO",
           fs::copy_options::recursive);
  for (Qt::KeyboardModifier alt : {Qt::NoModifier, Qt::AltModifier}) {
    SCOPED_TRACE(alt == Qt::NoModifier ? "Esc" : "Alt+E");
    frmMain window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Find<QLineEdit>(window, "txtSrc")
        ->setText(QString::fromStdString((folder.path() / "Server").string()));
    Find<QLineEdit>(window, "txtDst")
        ->setText(QString::fromStdString((folder.path() / "roads.shp").string()));
    Find<QCheckBox>(window, "chkGeo2Shp")->setChecked(true);

    ModalAnswerer answers;
    const auto start = std::chrono::steady_clock::now();
    std::optional<std::chrono::steady_clock::duration> pressed_after;
    bool still_open = false;
    QTimer::singleShot(200, [&] {
      pressed_after = std::chrono::steady_clock::now() - start;
      QTest::mouseClick(Find<QPushButton>(window, "cmdGo"), Qt::LeftButton);
      QTest::mouseClick(Find<QPushButton>(window, "cmdExit"), Qt::LeftButton);
      QTest::mouseClick(Find<QCheckBox>(window, "chkDat2Shp"), Qt::LeftButton);
      QTest::keyClick(QApplication::focusWidget(), alt ? Qt::Key_E : Qt::Key_Escape, alt);
      still_open = window.isVisible();
    });
    Find<QPushButton>(window, "cmdGo")->click();
    ASSERT_TRUE(pressed_after.has_value());
    EXPECT_LT(*pressed_after, std::chrono::milliseconds(600));  // while the export program ran
    EXPECT_TRUE(still_open);
    EXPECT_FALSE(Find<QCheckBox>(window, "chkDat2Shp")->isChecked());
    EXPECT_EQ(answers.texts, std::vector<std::string>{"Incompatible dictionary file."});
    EXPECT_FALSE(window.isVisible());  // closed once the run had ended
  }
}

}  // namespace
}  // namespace routix::gui
