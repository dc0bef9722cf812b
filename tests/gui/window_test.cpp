// The windows' wiring, their event loop while the export program runs, and their captions'
// fit, which CTest checks once more with only the DejaVu fonts and with only the Liberation
// fonts (ROUTIX_FONT_FAMILY names the family such a run must get).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QStyleOption>
#include <QTest>
#include <QTimer>

#include "app/form_description.h"
#include "app/version.h"
#include "gui/frm_main.h"
#include "gui/frm_select_bnd.h"
#include "gui/qt_text.h"
#include "support/sample_server.h"
#include "support/scripted_process_runner.h"
#include "support/temp_folder.h"

namespace routix::gui {
namespace {

// Whether widget shows its caption whole: the width its style asks for the caption and a line
// of text fit the widget; a push button's caption fits the room inside its bevel, a wrapped
// label's lines its height.
bool CaptionFits(const QWidget* widget) {
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    const QRect room =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return text.width() <= room.width() && text.height() <= room.height();
  }
  if (const auto* label = qobject_cast<const QLabel*>(widget); label && label->wordWrap()) {
    return label->heightForWidth(label->width()) <= label->height();
  }
  const QSize wanted =
      qobject_cast<const QGroupBox*>(widget) ? widget->minimumSizeHint() : widget->sizeHint();
  return wanted.width() <= widget->width() && widget->fontMetrics().height() <= widget->height();
}

// Every control shows its caption whole and lies inside its container.
void ExpectCaptionsFit(const QWidget& form, const app::FormDescription& description) {
  for (const app::ControlDescription& control : description.controls) {
    const auto* widget = form.findChild<QWidget*>(QString::fromLatin1(control.name));
    SCOPED_TRACE(std::string(control.name) + " \"" + std::string(control.caption) + "\"");
    EXPECT_TRUE(control.caption.empty() || CaptionFits(widget));
    EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()));
  }
}

TEST(CaptionFit, EveryCaptionOfBothWindowsFitsInTheFontTheyAreShownIn) {
  const testing::ScriptedProcessRunner runner;
  frmMain window(runner, "");
  if (!qgetenv("ROUTIX_FONT_FAMILY").isEmpty()) {
    ASSERT_EQ(QFontInfo(window.font()).family(), qgetenv("ROUTIX_FONT_FAMILY"));
  }
  ExpectCaptionsFit(window, app::kMainForm);
  ExpectCaptionsFit(frmSelectBnd({{1, "North", "4"}}, {}, &window), app::kSelectBoundaryForm);
}

// Inside the event loop of each modal window shown while it lives: keeps a message box's
// text, "(markup)" for one that reads markup, and presses its first button; hands the first other
// modal window to act.
struct ModalAnswerer : QTimer {
  explicit ModalAnswerer(std::function<void(QWidget*)> act = {}) {
    connect(this, &QTimer::timeout, [this, act]() mutable {
      QWidget* modal = QApplication::activeModalWidget();
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr && modal != nullptr && act) std::exchange(act, nullptr)(modal);  // once
      if (box == nullptr) return;
      texts.push_back(box->textFormat() == Qt::PlainText ? box->text().toStdString() : "(markup)");
      box->buttons().front()->click();
    });
    start(5);
  }
  std::vector<std::string> texts;
};

TEST(FrmMain, ItsControlsReachTheDriverAndTheBoundaryDialogsTicksComeBack) {
  testing::TempFolder folder;
  const auto server = testing::MakeSampleServer(folder.path() / "Server", {.streets = false});
  const testing::ScriptedProcessRunner runner;
  frmMain window(runner, "");
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_EQ(
      ToLocal(window.windowTitle()),
      "Convert Routix Geocode or Boundaries to Shapefile - Version " + std::string(app::kVersion));
  auto* source = window.findChild<QLineEdit*>("txtSrc");
  source->setFocus();
  source->setText(QString::fromStdString(" " + server.string() + "// "));
  QTest::keyClick(source, Qt::Key_Tab);  // tidied as the focus leaves it, but not by Go
  window.findChild<QLineEdit*>("txtDst")->setText(" roads ");
  std::string ticked;  // the ordinal of the one row left ticked, in Windows-1252, and the count
  ModalAnswerer answers([&](QWidget* dialog) {
    auto* list = dialog->findChild<QTreeWidget*>("lstBnd");
    QTreeWidgetItem* row = list->findItems("Z\u00FCrich S\u00FCd", Qt::MatchExactly, 1).at(0);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      list->topLevelItem(i)->setCheckState(
          0, list->topLevelItem(i) == row ? Qt::Checked : Qt::Unchecked);
    }
    ticked = ToLocal(row->text(0) + " " + dialog->findChild<QGroupBox*>("fraSelectBnd")->title());
    QTest::keyClick(dialog, Qt::Key_Return);  // OK is the default button
  });
  QTest::keyClick(window.findChild<QLineEdit*>("txtDst"), Qt::Key_Return);  // Go
  EXPECT_EQ(window.focusWidget(), window.findChild<QWidget*>("chkGeo2Shp"));
  window.findChild<QCheckBox*>("chkDat2Shp")->click();
  EXPECT_EQ(answers.texts, std::vector<std::string>{"Please select convert type."});
  EXPECT_EQ(window.selected_boundaries().col_return.at(0) + " Selected: 1 boundary", ticked);
  EXPECT_EQ(ToLocal(source->text() + "|" + window.findChild<QLineEdit*>("txtDst")->text()),
            server.string() + "| roads ");
}

TEST(FrmMain, WhileTheExportProgramRunsPressesDoNothingAndEscOrAltECloseAfterItsEnd) {
  testing::TempFolder folder;
  const auto server = testing::MakeSampleServer(folder.path() / "Server");
  testing::TempFolder tools;
  testing::WriteFileBytes(tools.Path("db2asc.exe"), "tool");
  for (Qt::KeyboardModifier alt : {Qt::NoModifier, Qt::AltModifier}) {
    testing::ScriptedProcessRunner runner;
    frmMain window(runner, tools.path().string());
    window.show();
    window.findChild<QLineEdit*>("txtSrc")->setText(QString::fromStdString(server.string()));
    window.findChild<QLineEdit*>("txtDst")->setText(QString::fromStdString(folder.Path("r.shp")));
    window.findChild<QCheckBox*>("chkGeo2Shp")->setChecked(true);
    std::vector<std::string> seen;  // the status, and whether the window is open after the presses
    runner.script = [&](const auto&, const std::function<void()>& while_waiting) {
      seen.push_back(window.findChild<QStatusBar*>()->findChild<QLabel*>()->text().toStdString());
      for (const char* name : {"cmdGo", "cmdExit", "chkDat2Shp"})
        QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton);
      QTest::keyClick(QApplication::focusWidget(), alt ? Qt::Key_E : Qt::Key_Escape, alt);
      while_waiting();
      seen.push_back(window.isVisible() ? "open" : "closed");
      return std::optional<int>(0);  // and writes nothing
    };
    ModalAnswerer answers;
    window.findChild<QPushButton*>("cmdGo")->click();
    EXPECT_EQ(seen, (std::vector<std::string>{"Please wait for a moment when running db2asc...",
                                              "open"}));
    EXPECT_EQ(answers.texts, std::vector<std::string>{"Incompatible dictionary file."});
    EXPECT_EQ(runner.calls.at(0).working_folder, (server / "PRO").string());
    EXPECT_EQ(testing::ReadFileBytes(server / "PRO" / "db2asc.exe"), "tool");
    EXPECT_FALSE(window.findChild<QCheckBox*>("chkDat2Shp")->isChecked() || window.isVisible());
  }
}

}  // namespace
}  // namespace routix::gui

// The tests run on Qt's offscreen platform, inside one QApplication.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
