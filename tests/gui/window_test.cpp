// The windows' wiring, their event loop while the export program runs, and their captions'
// fit (CTest runs that once more with only the DejaVu and only the Liberation fonts).
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
#include "support/sample_server.h"
#include "support/scripted_process_runner.h"
#include "support/temp_folder.h"

namespace routix::gui {
namespace {

const testing::ScriptedProcessRunner idle_runner;  // for the tests that run no export

// Whether the caption fits: the width the style asks for it and a line of text fit the widget,
// a push button's caption the room inside its bevel, a wrapped label's lines its height.
bool CaptionFits(const QWidget* widget) {
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect room =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return room.contains(
        QRect(room.topLeft(), button->fontMetrics().size(Qt::TextShowMnemonic, button->text())));
  }
  if (const auto* label = qobject_cast<const QLabel*>(widget); label && label->wordWrap())
    return label->heightForWidth(label->width()) <= label->height();
  const QSize wanted =
      qobject_cast<const QGroupBox*>(widget) ? widget->minimumSizeHint() : widget->sizeHint();
  return wanted.width() <= widget->width() && widget->fontMetrics().height() <= widget->height();
}

TEST(CaptionFit, EveryCaptionOfBothWindowsFitsInTheFontTheyAreShownIn) {
  frmMain window(idle_runner, "");
  const frmSelectBnd dialog({{1, "North", "4"}}, {}, &window);
  const QString family = qgetenv("ROUTIX_FONT_FAMILY");
  ASSERT_TRUE(family.isEmpty() || QFontInfo(window.font()).family() == family);
  for (const app::FormDescription* form : {&app::kMainForm, &app::kSelectBoundaryForm}) {
    for (const app::ControlDescription& control : form->controls) {
      const auto* widget = window.findChild<QWidget*>(QString::fromLatin1(control.name));
      EXPECT_TRUE(control.caption.empty() || CaptionFits(widget)) << control.name;
    }
  }
}

// Inside the event loop of each modal window shown while it lives: keeps a message box's text
// ("(markup)" for one read as markup) and presses its first button; hands the first other to act.
struct ModalAnswerer : QTimer {
  explicit ModalAnswerer(std::function<void(QWidget*)> act = {}) {
    connect(this, &QTimer::timeout, [this, act]() mutable {
      QWidget* modal = QApplication::activeModalWidget();
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr) return modal && act ? std::exchange(act, nullptr)(modal) : void();
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
  frmMain window(idle_runner, "");
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_EQ(
      window.windowTitle().toStdString(),
      "Convert Routix Geocode or Boundaries to Shapefile - Version " + std::string(app::kVersion));
  auto* source = window.findChild<QLineEdit*>("txtSrc");
  source->setFocus();
  source->setText(QString::fromStdString(" " + server.string() + "// "));
  QTest::keyClick(source, Qt::Key_Tab);         // tidied as the focus leaves it
  ModalAnswerer answers([&](QWidget* dialog) {  // keeps the ordinal and the count of the row
    auto* list = dialog->findChild<QTreeWidget*>("lstBnd");
    QTreeWidgetItem* row = list->findItems("Z\u00FCrich S\u00FCd", Qt::MatchExactly, 1).at(0);
    for (QTreeWidgetItem* item : list->findItems("", Qt::MatchContains))
      item->setCheckState(0, item == row ? Qt::Checked : Qt::Unchecked);
    answers.texts.push_back(
        (row->text(0) + " " + dialog->findChild<QGroupBox*>()->title()).toStdString());
    QTest::keyClick(dialog, Qt::Key_Return);  // OK is the default button
  });
  QTest::keyClick(window.findChild<QLineEdit*>("txtDst"), Qt::Key_Return);  // Go
  window.findChild<QCheckBox*>("chkDat2Shp")->click();
  EXPECT_EQ(answers.texts, (std::vector<std::string>{"Please select convert type.",
                                                     window.selected_boundaries().col_return.at(0) +
                                                         " Selected: 1 boundary"}));
  EXPECT_EQ(source->text().toStdString(), server.string());
}

TEST(FrmMain, WhileTheExportProgramRunsPressesDoNothingAndEscOrAltECloseAfterItsEnd) {
  testing::TempFolder folder, tools;
  const auto server = testing::MakeSampleServer(folder.path() / "Server");
  testing::WriteFileBytes(tools.Path("db2asc.exe"), "tool");
  for (Qt::KeyboardModifier alt : {Qt::NoModifier, Qt::AltModifier}) {
    testing::ScriptedProcessRunner runner;
    frmMain window(runner, tools.path().string());
    window.show();
    window.findChild<QLineEdit*>("txtSrc")->setText(QString::fromStdString(server.string()));
    window.findChild<QLineEdit*>("txtDst")->setText(QString::fromStdString(folder.Path("r.shp")));
    window.findChild<QCheckBox*>("chkGeo2Shp")->setChecked(true);
    ModalAnswerer seen;  // what the window and PRO show while the program runs, and the message
    runner.script = [&](const auto&, const std::function<void()>& while_waiting) {
      seen.texts.push_back(
          window.findChild<QStatusBar*>()->findChild<QLabel*>()->text().toStdString());
      for (const char* name : {"cmdGo", "cmdExit", "chkDat2Shp"})
        QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton);
      QTest::keyClick(QApplication::focusWidget(), alt ? Qt::Key_E : Qt::Key_Escape, alt);
      while_waiting();
      seen.texts.push_back(window.isVisible() ? "open" : "closed");
      seen.texts.push_back(testing::ReadFileBytes(server / "PRO" / "db2asc.exe"));  // the tools
      return std::optional<int>(0);  // and writes nothing
    };
    window.findChild<QPushButton*>("cmdGo")->click();
    EXPECT_EQ(seen.texts,
              (std::vector<std::string>{"Please wait for a moment when running db2asc...", "open",
                                        "tool", "Incompatible dictionary file."}));
    EXPECT_FALSE(window.findChild<QCheckBox*>("chkDat2Shp")->isChecked() || window.isVisible());
  }
}

}  // namespace
}  // namespace routix::gui

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
